// BC6H against hand-computed texels: a one-region untransformed mode (3) and a two-region
// transformed mode (0), each unsigned and signed, and the reserved modes. Blocks are laid
// out from the documentation's layout strings.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "readdxt/bc_partitions.h"
#include "readdxt/bc_test_bits.h"
#include "readdxt/block_decoders.h"

using readdxt_test::BlockWriter;

namespace {

// As printed in the format tables, lowest block bit first. v[a:b] moves bits into b..a,
// the first block bit going to bit b; with a < b the order is reversed.
const char kMode0[] =
    "m[1:0], g2[4], b2[4], b3[4], r0[9:0], g0[9:0], b0[9:0], r1[4:0], g3[4], g2[3:0], g1[4:0], b3[0], "
    "g3[3:0], b1[4:0], b3[1], b2[3:0], r2[4:0], b3[2], r3[4:0], b3[3]";
const char kMode3[] = "m[4:0], r0[9:0], g0[9:0], b0[9:0], r1[9:0], g1[9:0], b1[9:0]";

// Builds a block from raw field values; two-region blocks add partition 0 (anchor 15).
std::vector<uint8_t> Encode(const std::string& layout, std::map<std::string, uint32_t> fields,
                            const unsigned (&idx)[16]) {
  BlockWriter w;
  for (size_t pos = 0; pos < layout.size();) {
    const size_t open = layout.find('[', pos), close = layout.find(']', open);
    std::string var = layout.substr(pos, open - pos);
    var.erase(0, var.find_first_not_of(", "));
    const int a = std::stoi(layout.substr(open + 1)), colon = static_cast<int>(layout.find(':', open));
    const int b = colon > 0 && size_t(colon) < close ? std::stoi(layout.substr(colon + 1)) : a;
    for (int bit = b;; bit += a >= b ? 1 : -1) {
      w.Put(fields[var] >> bit, 1);
      if (bit == a) break;
    }
    pos = close + 1;
  }
  const bool two = w.Position() == 77;
  if (two) w.Put(0, 5);
  for (unsigned i = 0; i < 16; ++i) w.Put(idx[i], (two ? 3 : 4) - (i == 0 || (two && i == 15)));
  EXPECT_EQ(w.Position(), 128u);
  return std::vector<uint8_t>(w.Bytes(), w.Bytes() + 16);
}

struct Halves {
  uint16_t v[16][3];
};

Halves Decode(const std::vector<uint8_t>& block, bool isSigned) {
  Halves h;
  readdxt::DecodeBC6H(block.data(), &h.v[0][0], 4 * 3 * sizeof(uint16_t), isSigned);
  return h;
}

::testing::AssertionResult TexelIs(const Halves& h, unsigned t, uint16_t r, uint16_t g, uint16_t b) {
  if (h.v[t][0] == r && h.v[t][1] == g && h.v[t][2] == b) return ::testing::AssertionSuccess();
  char msg[96];
  std::snprintf(msg, sizeof msg, "texel %u is %04X %04X %04X, expected %04X %04X %04X", t, h.v[t][0],
                h.v[t][1], h.v[t][2], r, g, b);
  return ::testing::AssertionFailure() << msg;
}

struct Expected {
  unsigned texel;
  uint16_t r, g, b;
};

// Mode 3: endpoints of 10 bits stored whole. e0 = (0, 512, 1023), e1 = (1023, 256, 100).
// Unsigned: 0 -> 0, max -> 0xFFFF, else ((x << 16) + 0x8000) >> 10; texel = lerp * 31 >> 6.
// Signed: 512 -> -512 (clamps to -0x7FFF), 1023 -> -1.
std::vector<uint8_t> OneRegionBlock() {
  return Encode(kMode3, {{"m", 3}, {"g0", 512}, {"b0", 1023}, {"r1", 1023}, {"g1", 256}, {"b1", 100}},
                {0, 8, 15, 5});
}

// Mode 0: 10-bit base, 5-bit deltas. Partition 0 puts columns 2-3 in region 1. Base
// (1020, 200, 300); deltas e1 (+10, -3, 0), which wraps red to 6; e2 (-16, +15, +1);
// e3 (0, 0, -1). Signed, the base 1020 is -4 and the sums are sign-extended after wrapping.
std::vector<uint8_t> TwoRegionBlock() {
  return Encode(kMode0,
                {{"r0", 1020},
                 {"g0", 200},
                 {"b0", 300},
                 {"r1", 10},
                 {"g1", 32 - 3},
                 {"r2", 32 - 16},
                 {"g2", 15},
                 {"b2", 1},
                 {"b3", 31}},
                {0, 7, 0, 7, 3, 0, 4});
}

TEST(BC6H, KnownBlocksUnsignedAndSigned) {
  const struct {
    const char* name;
    std::vector<uint8_t> block;
    bool isSigned;
    std::vector<Expected> texels;
  } cases[] = {
      {"one region unsigned",
       OneRegionBlock(),
       false,
       {{0, 0x0000, 0x3E0F, 0x7BFF},    // 32800*31>>6 = 15887; 65535*31>>6 = 31743
        {1, 0x41DF, 0x2D97, 0x4097},    // weight 34
        {2, 0x7BFF, 0x1F0F, 0x0C2B},    // weight 64: e1
        {3, 0x28B0, 0x33E3, 0x574E}}},  // weight 21
      {"one region signed",
       OneRegionBlock(),
       true,
       {{0, 0x0000, 0xFBFF, 0x805D},
        {1, 0x8031, 0x991F, 0x0CC2},
        {2, 0x805D, 0x3E1F, 0x1857},
        {3, 0x801E, 0xBEED, 0x07BE}}},
      {"two regions unsigned",
       TwoRegionBlock(),
       false,
       {{0, 0x7B93, 0x1847, 0x2463},    // region 0, e0: 1020 -> 65312
        {1, 0x00C9, 0x17EA, 0x2463},    // region 0, e1: red wrapped to 6
        {2, 0x79A3, 0x1A18, 0x2482},    // region 1, e2
        {3, 0x7B93, 0x1847, 0x2444},    // region 1, e3
        {4, 0x47C6, 0x1820, 0x2463},    // region 0, index 3
        {6, 0x7AC2, 0x190B, 0x245E}}},  // region 1, index 4
      {"two regions signed",
       TwoRegionBlock(),
       true,
       {{0, 0x8117, 0x308F, 0x48C7},
        {1, 0x0193, 0x2FD5, 0x48C7},
        {2, 0x84F7, 0x3431, 0x4905},
        {3, 0x8117, 0x308F, 0x4889},
        {4, 0x0008, 0x3040, 0x48C7},
        {6, 0x82B9, 0x3217, 0x48BD}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Halves h = Decode(c.block, c.isSigned);
    for (const Expected& e : c.texels) EXPECT_TRUE(TexelIs(h, e.texel, e.r, e.g, e.b));
  }
}

TEST(BC6H, ReservedModesDecodeToZero) {
  for (unsigned number : {19u, 23u, 27u, 31u}) {
    for (bool isSigned : {false, true}) {
      std::vector<uint8_t> block(16, 0xA5);
      block[0] = static_cast<uint8_t>(0xA0 | number);
      const Halves h = Decode(block, isSigned);
      for (unsigned t = 0; t < 16; ++t) EXPECT_TRUE(TexelIs(h, t, 0, 0, 0)) << number;
    }
  }
}

TEST(BC6H, RowsLandOnPitch) {
  const std::vector<uint8_t> block = OneRegionBlock();
  std::vector<uint16_t> image(4 * 20, 0xEEEE);
  readdxt::DecodeBC6H(block.data(), image.data() + 2, 20 * sizeof(uint16_t), false);
  for (int y = 0; y < 4; ++y) {
    EXPECT_EQ(image[y * 20 + 1], 0xEEEE);
    EXPECT_EQ(image[y * 20 + 14], 0xEEEE);
  }
  EXPECT_EQ(image[2 + 3], 0x41DF);  // texel 1 red
}

TEST(HalfToUnorm8, KnownValues) {
  const struct {
    uint16_t half;
    uint8_t expected;
  } cases[] = {
      {0x0000, 0},   {0x8000, 0},   {0xBC00, 0},    // 0, -0, -1
      {0x3C00, 255}, {0x4000, 255}, {0x7BFF, 255},  // 1, 2, largest finite
      {0x7C00, 255}, {0xFC00, 0},                   // +inf, -inf
      {0x7E00, 0},   {0xFE00, 0},   {0x7C01, 0},    // NaNs
      {0x3800, 128},                                // 0.5 -> 127.5 rounds up
      {0x1C00, 1},                                  // 1/256 -> 0.996
      {0x0001, 0},                                  // smallest subnormal
      {0x3BFF, 255},                                // 0.99951 -> 254.875
      {0x2C00, 16},                                 // 1/16 -> 15.94
      {0x37FF, 127},                                // just below 0.5 -> 127.44
  };
  for (const auto& c : cases) EXPECT_EQ(readdxt::HalfToUnorm8(c.half), c.expected) << std::hex << c.half;
}

TEST(HalfToUnorm8, RowConversionSwapsToBgraWithOpaqueAlpha) {
  const uint16_t rgb[6] = {0x3C00, 0x3800, 0x0000, 0xBC00, 0x7E00, 0x1C00};
  uint8_t bgra[8];
  readdxt::HalfRgbToBgra8(rgb, bgra, 2);
  const uint8_t expected[8] = {0, 128, 255, 255, 1, 0, 0, 255};
  EXPECT_EQ(std::memcmp(bgra, expected, 8), 0);
}

}  // namespace
