// BC6H against hand-computed texels: a one-region untransformed mode (3) and a two-region
// transformed mode (0), each unsigned and signed, and the reserved modes; half to 8 bits.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "readdxt/block_decoders.h"

namespace {

using Block = std::vector<uint8_t>;

// Mode 3: endpoints of 10 bits stored whole, e0 = (0, 512, 1023), e1 = (1023, 256, 100);
// indices 0, 8, 15, 5 for texels 0..3, the rest 0.
// Unsigned: 0 -> 0, max -> 0xFFFF, else ((x << 16) + 0x8000) >> 10; texel = lerp * 31 >> 6.
// Signed: 512 -> -512 (clamps to -0x7FFF), 1023 -> -1.
const Block kOneRegion = {0x03, 0x00, 0x00, 0xFF, 0xFF, 0x1F, 0x20, 0x32,
                          0x80, 0x5F, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
// Mode 0, partition 0 (columns 2-3 in region 1): 10-bit base (1020, 200, 300), 5-bit deltas
// e1 (+10, -3, 0), which wraps red to 6; e2 (-16, +15, +1); e3 (0, 0, -1); indices 0, 7, 0,
// 7, 3, 0, 4, the rest 0. Signed, the base 1020 is -4 and the sums are sign-extended after
// wrapping.
const Block kTwoRegions = {0x90, 0x7F, 0x64, 0x58, 0x52, 0xBE, 0x07, 0x30,
                           0x60, 0x10, 0x70, 0x7C, 0x20, 0x00, 0x00, 0x00};

struct Expected {
  unsigned texel;
  uint16_t rgb[3];
};

TEST(BC6H, KnownBlocksUnsignedAndSigned) {
  const struct {
    const char* name;
    Block block;
    bool isSigned;
    std::vector<Expected> texels;
  } cases[] = {
      // clang-format off
      {"one region unsigned", kOneRegion, false,
       {{0, {0x0000, 0x3E0F, 0x7BFF}},   // 32800*31>>6 = 15887; 65535*31>>6 = 31743
        {1, {0x41DF, 0x2D97, 0x4097}},   // weight 34
        {2, {0x7BFF, 0x1F0F, 0x0C2B}},   // weight 64: e1
        {3, {0x28B0, 0x33E3, 0x574E}}}}, // weight 21
      {"one region signed", kOneRegion, true,
       {{0, {0x0000, 0xFBFF, 0x805D}}, {1, {0x8031, 0x991F, 0x0CC2}}, {2, {0x805D, 0x3E1F, 0x1857}},
        {3, {0x801E, 0xBEED, 0x07BE}}}},
      {"two regions unsigned", kTwoRegions, false,
       {{0, {0x7B93, 0x1847, 0x2463}},   // region 0, e0: 1020 -> 65312
        {1, {0x00C9, 0x17EA, 0x2463}},   // region 0, e1: red wrapped to 6
        {2, {0x79A3, 0x1A18, 0x2482}},   // region 1, e2
        {3, {0x7B93, 0x1847, 0x2444}},   // region 1, e3
        {4, {0x47C6, 0x1820, 0x2463}},   // region 0, index 3
        {6, {0x7AC2, 0x190B, 0x245E}}}}, // region 1, index 4
      {"two regions signed", kTwoRegions, true,
       {{0, {0x8117, 0x308F, 0x48C7}}, {1, {0x0193, 0x2FD5, 0x48C7}}, {2, {0x84F7, 0x3431, 0x4905}},
        {3, {0x8117, 0x308F, 0x4889}}, {4, {0x0008, 0x3040, 0x48C7}}, {6, {0x82B9, 0x3217, 0x48BD}}}},
      // clang-format on
  };
  for (const auto& c : cases) {
    uint16_t h[16][3];
    readdxt::DecodeBC6H(c.block.data(), &h[0][0], 4 * 3 * sizeof(uint16_t), c.isSigned);
    for (const Expected& e : c.texels) {
      for (int ch = 0; ch < 3; ++ch) EXPECT_EQ(h[e.texel][ch], e.rgb[ch]) << c.name << " texel " << e.texel;
    }
  }
  // Reserved modes decode to zero.
  for (unsigned number : {19u, 23u, 27u, 31u}) {
    for (bool isSigned : {false, true}) {
      Block block(16, 0xA5);
      block[0] = static_cast<uint8_t>(0xA0 | number);
      uint16_t h[48];
      readdxt::DecodeBC6H(block.data(), h, 4 * 3 * sizeof(uint16_t), isSigned);
      for (uint16_t v : h) EXPECT_EQ(v, 0) << number;
    }
  }
}

TEST(HalfToUnorm8, KnownValuesAndRows) {
  const struct {
    uint16_t half;
    uint8_t expected;
  } cases[] = {
      {0x0000, 0},   {0x8000, 0},   {0xBC00, 0},    // 0, -0, -1
      {0x3C00, 255}, {0x4000, 255}, {0x7BFF, 255},  // 1, 2, largest finite
      {0x7C00, 255}, {0xFC00, 0},                   // +inf, -inf
      {0x7E00, 0},   {0xFE00, 0},   {0x7C01, 0},    // NaNs
      {0x3800, 128}, {0x37FF, 127},                 // 0.5 -> 127.5 rounds up; just below -> 127.44
      {0x1C00, 1},   {0x0001, 0},                   // 1/256 -> 0.996; smallest subnormal
      {0x3BFF, 255}, {0x2C00, 16},                  // 0.99951 -> 254.875; 1/16 -> 15.94
  };
  for (const auto& c : cases) EXPECT_EQ(readdxt::HalfToUnorm8(c.half), c.expected) << std::hex << c.half;
  // A row of R, G, B halves becomes B, G, R, A bytes, opaque.
  const uint16_t rgb[6] = {0x3C00, 0x3800, 0x0000, 0xBC00, 0x7E00, 0x1C00};
  uint8_t bgra[8];
  readdxt::HalfRgbToBgra8(rgb, bgra, 2);
  const uint8_t expected[8] = {0, 128, 255, 255, 1, 0, 0, 255};
  EXPECT_EQ(std::memcmp(bgra, expected, 8), 0);
}

}  // namespace
