// BC1-BC5 against hand-made blocks whose texels follow from the documented formulas.
#include <gtest/gtest.h>

#include <vector>

#include "readdxt/bc_test_bits.h"
#include "readdxt/block_decoders.h"

using readdxt_test::Bgra4x4;
using readdxt_test::Texel;

namespace {

Bgra4x4 Bc1(const std::vector<uint8_t>& b) {
  Bgra4x4 out;
  readdxt::DecodeBC1(b.data(), out.bytes, 16);
  return out;
}

// 2-bit colour indices for texels 0..15, packed as the block stores them.
std::vector<uint8_t> ColourIndices(const unsigned (&idx)[16]) {
  std::vector<uint8_t> v(4, 0);
  for (unsigned i = 0; i < 16; ++i) v[i / 4] |= static_cast<uint8_t>(idx[i] << (2 * (i % 4)));
  return v;
}

std::vector<uint8_t> ColourBlock(uint16_t c0, uint16_t c1, const unsigned (&idx)[16]) {
  std::vector<uint8_t> b = {uint8_t(c0), uint8_t(c0 >> 8), uint8_t(c1), uint8_t(c1 >> 8)};
  const std::vector<uint8_t> i = ColourIndices(idx);
  b.insert(b.end(), i.begin(), i.end());
  return b;
}

constexpr unsigned kRamp[16] = {0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3};

TEST(BC1, FourColourModeInterpolatesThirdsRoundedToNearest) {
  // red 0xF800 > blue 0x001F: 255,0,0 and 0,0,255; 2/3-1/3 mixes round (2*255 + 1)/3 = 170.
  const Bgra4x4 out = Bc1(ColourBlock(0xF800, 0x001F, kRamp));
  EXPECT_EQ(out.At(0), (Texel{255, 0, 0, 255}));
  EXPECT_EQ(out.At(1), (Texel{0, 0, 255, 255}));
  EXPECT_EQ(out.At(2), (Texel{170, 0, 85, 255}));
  EXPECT_EQ(out.At(3), (Texel{85, 0, 170, 255}));
  EXPECT_EQ(out.At(15), out.At(3));
}

TEST(BC1, EndpointsWidenByBitReplication) {
  // r=16, g=32, b=1 -> 132, 130, 8; r=15, g=31, b=30 -> 123, 125, 247.
  const uint16_t c0 = (16 << 11) | (32 << 5) | 1, c1 = (15 << 11) | (31 << 5) | 30;
  const Bgra4x4 out = Bc1(ColourBlock(c0, c1, kRamp));
  EXPECT_EQ(out.At(0), (Texel{132, 130, 8, 255}));
  EXPECT_EQ(out.At(1), (Texel{123, 125, 247, 255}));
  // (2*132 + 123 + 1)/3 = 129, (2*130 + 125 + 1)/3 = 128, (2*8 + 247 + 1)/3 = 88
  EXPECT_EQ(out.At(2), (Texel{129, 128, 88, 255}));
}

TEST(BC1, ThreeColourModeHalvesAndTransparentBlack) {
  for (uint16_t c1 : {uint16_t{0xF800}, uint16_t{0x001F}}) {  // c0 < c1 and c0 == c1
    const Bgra4x4 out = Bc1(ColourBlock(0x001F, c1, kRamp));
    const Texel mid = c1 == 0xF800 ? Texel{128, 0, 128, 255} : Texel{0, 0, 255, 255};
    EXPECT_EQ(out.At(2), mid) << c1;
    EXPECT_EQ(out.At(3), (Texel{0, 0, 0, 0})) << c1;
    EXPECT_EQ(out.At(0), (Texel{0, 0, 255, 255}));
  }
}

TEST(BC1, RowsLandOnPitchAndIndicesRunRowMajor) {
  const unsigned idx[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};  // diagonal
  const std::vector<uint8_t> block = ColourBlock(0x0000, 0xFFFF, idx);
  std::vector<uint8_t> image(40 * 4, 0xAB);
  readdxt::DecodeBC1(block.data(), image.data() + 4, 40);
  for (int y = 0; y < 4; ++y) {
    EXPECT_EQ(image[y * 40 + 3], 0xAB) << "byte before the row";
    EXPECT_EQ(image[y * 40 + 20], 0xAB) << "byte after the row";
    for (int x = 0; x < 4; ++x) EXPECT_EQ(image[y * 40 + 4 + 4 * x], x == y ? 255 : 0) << x << "," << y;
  }
}

TEST(BC1, UsesTransparencyOnlyInThreeColourModeWithIndex3) {
  const unsigned none[16] = {0, 1, 2, 2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  const unsigned last[16] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3};
  struct Case {
    uint16_t c0, c1;
    const unsigned (&idx)[16];
    bool expected;
  } cases[] = {
      {0x001F, 0xF800, last, true},   // 3-colour, index 3 used
      {0x1234, 0x1234, last, true},   // equal endpoints are 3-colour too
      {0x001F, 0xF800, none, false},  // 3-colour, index 3 unused
      {0xF800, 0x001F, last, false},  // 4-colour: index 3 is a colour
      {0xF800, 0x001F, kRamp, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(readdxt::BC1BlockUsesTransparency(ColourBlock(c.c0, c.c1, c.idx).data()), c.expected)
        << c.c0 << " " << c.c1;
  }
}

TEST(BC2, AlphaNibblesLowFirstTimes17AndColourAlwaysFourColour) {
  std::vector<uint8_t> block = {0x21, 0x43, 0x65, 0x87, 0xA9, 0xCB, 0xED, 0x0F};  // texel i: (i+1) & 15
  const std::vector<uint8_t> colour = ColourBlock(0x001F, 0xF800, kRamp);         // c0 < c1
  block.insert(block.end(), colour.begin(), colour.end());
  Bgra4x4 out;
  readdxt::DecodeBC2(block.data(), out.bytes, 16);
  for (unsigned i = 0; i < 16; ++i) EXPECT_EQ(out.At(i).a, ((i + 1) & 15) * 17) << i;
  EXPECT_EQ(out.At(2), (Texel{85, 0, 170, 2 * 17 + 17}));  // 2/3 c0 + 1/3 c1, no 1/2 mix
  EXPECT_EQ(out.At(3), (Texel{170, 0, 85, 4 * 17}));       // no transparent black
}

// BC4-style index bits: 3 per texel, texel 0 lowest, after the two endpoint bytes.
std::vector<uint8_t> RampBlock(uint8_t a0, uint8_t a1, const unsigned (&idx)[16]) {
  uint64_t bits = 0;
  for (unsigned i = 0; i < 16; ++i) bits |= uint64_t{idx[i]} << (3 * i);
  std::vector<uint8_t> b = {a0, a1};
  for (int i = 0; i < 6; ++i) b.push_back(uint8_t(bits >> (8 * i)));
  return b;
}

constexpr unsigned kAll8[16] = {0, 1, 2, 3, 4, 5, 6, 7, 0, 0, 0, 0, 0, 0, 7, 7};

TEST(BC3, AlphaRampsOfEightAndSixValues) {
  struct Case {
    uint8_t a0, a1;
    uint8_t expected[8];
  } cases[] = {
      // a0 > a1: six values between, (6*a0 + a1 + 3)/7 ...
      {200, 40, {200, 40, 177, 154, 131, 109, 86, 63}},
      // a0 <= a1: four values between, (4*a0 + a1 + 2)/5 ..., then 0 and 255
      {40, 200, {40, 200, 72, 104, 136, 168, 0, 255}},
      {90, 90, {90, 90, 90, 90, 90, 90, 0, 255}},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> block = RampBlock(c.a0, c.a1, kAll8);
    const std::vector<uint8_t> colour = ColourBlock(0x001F, 0xF800, kRamp);  // 4-colour although c0 < c1
    block.insert(block.end(), colour.begin(), colour.end());
    Bgra4x4 out;
    readdxt::DecodeBC3(block.data(), out.bytes, 16);
    for (unsigned i = 0; i < 8; ++i) EXPECT_EQ(out.At(i).a, c.expected[i]) << int(c.a0) << " index " << i;
    EXPECT_EQ(out.At(3).r, 170);
    EXPECT_EQ(out.At(2).r, 85);
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

TEST(BC4, UnsignedAndSignedRampsAsGrey) {
  for (const RampCase& c : kBc4Cases) {
    const std::vector<uint8_t> block = RampBlock(c.a0, c.a1, kAll8);
    Bgra4x4 out;
    readdxt::DecodeBC4(block.data(), out.bytes, 16, c.isSigned);
    for (unsigned i = 0; i < 8; ++i) {
      const uint8_t v = c.expected[i];
      EXPECT_EQ(out.At(i), (Texel{v, v, v, 255})) << int(c.a0) << "," << int(c.a1) << " index " << i;
    }
  }
}

TEST(BC5, RedFromFirstBlockGreenFromSecond) {
  for (const RampCase& c : kBc4Cases) {
    const unsigned reversed[16] = {7, 6, 5, 4, 3, 2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    std::vector<uint8_t> block = RampBlock(c.a0, c.a1, kAll8);
    const std::vector<uint8_t> green = RampBlock(c.a0, c.a1, reversed);
    block.insert(block.end(), green.begin(), green.end());
    Bgra4x4 out;
    readdxt::DecodeBC5(block.data(), out.bytes, 16, c.isSigned);
    for (unsigned i = 0; i < 8; ++i) {
      EXPECT_EQ(out.At(i), (Texel{c.expected[i], c.expected[7 - i], 0, 255})) << int(c.a0) << " index " << i;
    }
  }
}

}  // namespace
