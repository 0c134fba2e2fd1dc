// BC1-BC5 against hand-made blocks whose texels follow from the documented formulas.
#include <gtest/gtest.h>

#include <vector>

#include "readdxt/bc_test_bits.h"
#include "readdxt/block_decoders.h"

using readdxt_test::Bgra4x4;
using readdxt_test::Texel;

namespace {

using Block = std::vector<uint8_t>;

Block operator+(Block a, const Block& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// Two RGB565 endpoints, then 2-bit indices for texels 0..15.
Block ColourBlock(uint16_t c0, uint16_t c1, const unsigned (&idx)[16]) {
  Block b = {uint8_t(c0), uint8_t(c0 >> 8), uint8_t(c1), uint8_t(c1 >> 8), 0, 0, 0, 0};
  for (unsigned i = 0; i < 16; ++i) b[4 + i / 4] |= static_cast<uint8_t>(idx[i] << (2 * (i % 4)));
  return b;
}

// Two endpoint bytes, then 3-bit indices for texels 0..15 (BC3 alpha, BC4, BC5).
Block RampBlock(uint8_t a0, uint8_t a1, const unsigned (&idx)[16]) {
  uint64_t bits = 0;
  for (unsigned i = 0; i < 16; ++i) bits |= uint64_t{idx[i]} << (3 * i);
  Block b = {a0, a1};
  for (int i = 0; i < 6; ++i) b.push_back(uint8_t(bits >> (8 * i)));
  return b;
}

constexpr unsigned kRamp[16] = {0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3};
constexpr unsigned kAll8[16] = {0, 1, 2, 3, 4, 5, 6, 7, 0, 0, 0, 0, 0, 0, 7, 7};

TEST(BC1, FourAndThreeColourModes) {
  const struct {
    const char* what;
    uint16_t c0, c1;
    Texel t[4];  // indices 0..3
  } cases[] = {
      // 2/3-1/3 mixes round to nearest: (2*255 + 1)/3 = 170.
      {"4-colour",
       0xF800,
       0x001F,
       {{255, 0, 0, 255}, {0, 0, 255, 255}, {170, 0, 85, 255}, {85, 0, 170, 255}}},
      // r=16, g=32, b=1 -> 132, 130, 8 by bit replication; (2*132 + 123 + 1)/3 = 129 ...
      {"4-colour widening",
       (16 << 11) | (32 << 5) | 1,
       (15 << 11) | (31 << 5) | 30,
       {{132, 130, 8, 255}, {123, 125, 247, 255}, {129, 128, 88, 255}, {126, 127, 167, 255}}},
      {"3-colour: half mix, index 3 transparent black",
       0x001F,
       0xF800,
       {{0, 0, 255, 255}, {255, 0, 0, 255}, {128, 0, 128, 255}, {0, 0, 0, 0}}},
      {"equal endpoints are 3-colour",
       0x001F,
       0x001F,
       {{0, 0, 255, 255}, {0, 0, 255, 255}, {0, 0, 255, 255}, {0, 0, 0, 0}}},
  };
  for (const auto& c : cases) {
    Bgra4x4 out;
    readdxt::DecodeBC1(ColourBlock(c.c0, c.c1, kRamp).data(), out.bytes, 16);
    for (unsigned i = 0; i < 16; ++i) EXPECT_EQ(out.At(i), c.t[i % 4]) << c.what << ", texel " << i;
  }
}

TEST(BC1, UsesTransparencyOnlyInThreeColourModeWithIndex3) {
  const unsigned none[16] = {0, 1, 2, 2, 1};
  const unsigned last[16] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3};
  EXPECT_TRUE(readdxt::BC1BlockUsesTransparency(ColourBlock(0x001F, 0xF800, last).data()));
  EXPECT_TRUE(readdxt::BC1BlockUsesTransparency(ColourBlock(0x1234, 0x1234, last).data()));
  EXPECT_FALSE(readdxt::BC1BlockUsesTransparency(ColourBlock(0x001F, 0xF800, none).data()));
  EXPECT_FALSE(readdxt::BC1BlockUsesTransparency(ColourBlock(0xF800, 0x001F, last).data()));
}

TEST(BC2, AlphaNibblesLowFirstTimes17AndColourAlwaysFourColour) {
  const Block block = Block{0x21, 0x43, 0x65, 0x87, 0xA9, 0xCB, 0xED, 0x0F} +  // texel i: (i+1) & 15
                      ColourBlock(0x001F, 0xF800, kRamp);                      // c0 < c1
  Bgra4x4 out;
  readdxt::DecodeBC2(block.data(), out.bytes, 16);
  for (unsigned i = 0; i < 16; ++i) EXPECT_EQ(out.At(i).a, ((i + 1) & 15) * 17) << i;
  EXPECT_EQ(out.At(2), (Texel{85, 0, 170, 3 * 17}));  // 2/3 c0 + 1/3 c1, no 1/2 mix
  EXPECT_EQ(out.At(3), (Texel{170, 0, 85, 4 * 17}));  // no transparent black
}

TEST(BC3, AlphaRampsOfEightAndSixValues) {
  const struct {
    uint8_t a0, a1;
    uint8_t expected[8];
  } cases[] = {
      {200, 40, {200, 40, 177, 154, 131, 109, 86, 63}},  // a0 > a1: (6*a0 + a1 + 3)/7 ...
      {40, 200, {40, 200, 72, 104, 136, 168, 0, 255}},   // a0 <= a1: (4*a0 + a1 + 2)/5 ..., 0, 255
      {90, 90, {90, 90, 90, 90, 90, 90, 0, 255}},
  };
  for (const auto& c : cases) {
    const Block block = RampBlock(c.a0, c.a1, kAll8) + ColourBlock(0x001F, 0xF800, kRamp);
    Bgra4x4 out;
    readdxt::DecodeBC3(block.data(), out.bytes, 16);
    for (unsigned i = 0; i < 8; ++i) EXPECT_EQ(out.At(i).a, c.expected[i]) << int(c.a0) << " index " << i;
    EXPECT_EQ(out.At(3).r, 170);  // 4-colour although c0 < c1
  }
}

struct RampCase {
  uint8_t a0, a1;
  bool isSigned;
  uint8_t expected[8];
};

const RampCase kBc4Cases[] = {
    {255, 0, false, {255, 0, 219, 182, 146, 109, 73, 36}},
    {0, 255, false, {0, 255, 51, 102, 153, 204, 0, 255}},
    // signed: -127..127 shown as 0..255 by round((v + 127) * 255 / 254)
    {127, 0x81, true, {255, 0, 219, 182, 146, 109, 73, 36}},   // 127, -127: 8 values
    {0x80, 127, true, {0, 255, 51, 102, 153, 204, 0, 255}},    // -128 reads as -127; 6 values
    {0x81, 127, true, {0, 255, 51, 102, 153, 204, 0, 255}},    // the same block with -127
    {0, 0, true, {128, 128, 128, 128, 128, 128, 0, 255}},      // 0.0 is 127.5, rounded up
    {64, 0xC0, true, {192, 63, 173, 155, 137, 118, 100, 82}},  // 64, -64
};

TEST(BC4AndBC5, RampsAsGreyAndAsRedGreen) {
  const unsigned reversed[16] = {7, 6, 5, 4, 3, 2, 1, 0};
  for (const RampCase& c : kBc4Cases) {
    Bgra4x4 grey, rg;
    const Block red = RampBlock(c.a0, c.a1, kAll8);
    readdxt::DecodeBC4(red.data(), grey.bytes, 16, c.isSigned);
    readdxt::DecodeBC5((red + RampBlock(c.a0, c.a1, reversed)).data(), rg.bytes, 16, c.isSigned);
    for (unsigned i = 0; i < 8; ++i) {
      const uint8_t v = c.expected[i];
      EXPECT_EQ(grey.At(i), (Texel{v, v, v, 255})) << int(c.a0) << "," << int(c.a1) << " index " << i;
      EXPECT_EQ(rg.At(i), (Texel{v, c.expected[7 - i], 0, 255})) << int(c.a0) << " index " << i;
    }
  }
}

}  // namespace
