// BC6H against the documented block formats: hand-computed texels for a one-region
// untransformed mode and a two-region transformed mode (unsigned and signed),
// reserved modes, and a cross-check of all 14 modes against a plain reference
// decoder that reads the documentation's layout strings directly.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "readdxt/bc_partitions.h"
#include "readdxt/bc_test_bits.h"
#include "readdxt/block_decoders.h"

using readdxt_test::BlockWriter;

namespace {

struct DocMode {
  unsigned number;  // the low 2 or 5 bits of the block
  bool transformed;
  unsigned epb;
  unsigned delta[3];
  const char* layout;  // as printed in the format tables, lowest bit first
};

// Modes 0 and 2 end in b3[3] (bit 76); one published copy of the table drops it,
// but the 77-bit header before the partition number needs it.
const DocMode kDocModes[] = {
    {0,
     true,
     10,
     {5, 5, 5},
     "m[1:0], g2[4], b2[4], b3[4], r0[9:0], g0[9:0], b0[9:0], r1[4:0], g3[4], g2[3:0], g1[4:0], b3[0], "
     "g3[3:0], b1[4:0], b3[1], b2[3:0], r2[4:0], b3[2], r3[4:0], b3[3]"},
    {1,
     true,
     7,
     {6, 6, 6},
     "m[1:0], g2[5], g3[4], g3[5], r0[6:0], b3[0], b3[1], b2[4], g0[6:0], b2[5], b3[2], g2[4], b0[6:0], "
     "b3[3], b3[5], b3[4], r1[5:0], g2[3:0], g1[5:0], g3[3:0], b1[5:0], b2[3:0], r2[5:0], r3[5:0]"},
    {2,
     true,
     11,
     {5, 4, 4},
     "m[4:0], r0[9:0], g0[9:0], b0[9:0], r1[4:0], r0[10], g2[3:0], g1[3:0], g0[10], b3[0], g3[3:0], "
     "b1[3:0], b0[10], b3[1], b2[3:0], r2[4:0], b3[2], r3[4:0], b3[3]"},
    {6,
     true,
     11,
     {4, 5, 4},
     "m[4:0], r0[9:0], g0[9:0], b0[9:0], r1[3:0], r0[10], g3[4], g2[3:0], g1[4:0], g0[10], g3[3:0], "
     "b1[3:0], b0[10], b3[1], b2[3:0], r2[3:0], b3[0], b3[2], r3[3:0], g2[4], b3[3]"},
    {10,
     true,
     11,
     {4, 4, 5},
     "m[4:0], r0[9:0], g0[9:0], b0[9:0], r1[3:0], r0[10], b2[4], g2[3:0], g1[3:0], g0[10], b3[0], "
     "g3[3:0], b1[4:0], b0[10], b2[3:0], r2[3:0], b3[1], b3[2], r3[3:0], b3[4], b3[3]"},
    {14,
     true,
     9,
     {5, 5, 5},
     "m[4:0], r0[8:0], b2[4], g0[8:0], g2[4], b0[8:0], b3[4], r1[4:0], g3[4], g2[3:0], g1[4:0], b3[0], "
     "g3[3:0], b1[4:0], b3[1], b2[3:0], r2[4:0], b3[2], r3[4:0], b3[3]"},
    {18,
     true,
     8,
     {6, 5, 5},
     "m[4:0], r0[7:0], g3[4], b2[4], g0[7:0], b3[2], g2[4], b0[7:0], b3[3], b3[4], r1[5:0], g2[3:0], "
     "g1[4:0], b3[0], g3[3:0], b1[4:0], b3[1], b2[3:0], r2[5:0], r3[5:0]"},
    {22,
     true,
     8,
     {5, 6, 5},
     "m[4:0], r0[7:0], b3[0], b2[4], g0[7:0], g2[5], g2[4], b0[7:0], g3[5], b3[4], r1[4:0], g3[4], "
     "g2[3:0], g1[5:0], g3[3:0], b1[4:0], b3[1], b2[3:0], r2[4:0], b3[2], r3[4:0], b3[3]"},
    {26,
     true,
     8,
     {5, 5, 6},
     "m[4:0], r0[7:0], b3[1], b2[4], g0[7:0], b2[5], g2[4], b0[7:0], b3[5], b3[4], r1[4:0], g3[4], "
     "g2[3:0], g1[4:0], b3[0], g3[3:0], b1[5:0], b2[3:0], r2[4:0], b3[2], r3[4:0], b3[3]"},
    {30,
     false,
     6,
     {6, 6, 6},
     "m[4:0], r0[5:0], g3[4], b3[0], b3[1], b2[4], g0[5:0], g2[5], b2[5], b3[2], g2[4], b0[5:0], g3[5], "
     "b3[3], b3[5], b3[4], r1[5:0], g2[3:0], g1[5:0], g3[3:0], b1[5:0], b2[3:0], r2[5:0], r3[5:0]"},
    {3, false, 10, {10, 10, 10}, "m[4:0], r0[9:0], g0[9:0], b0[9:0], r1[9:0], g1[9:0], b1[9:0]"},
    {7,
     true,
     11,
     {9, 9, 9},
     "m[4:0], r0[9:0], g0[9:0], b0[9:0], r1[8:0], r0[10], g1[8:0], g0[10], b1[8:0], b0[10]"},
    {11,
     true,
     12,
     {8, 8, 8},
     "m[4:0], r0[9:0], g0[9:0], b0[9:0], r1[7:0], r0[10:11], g1[7:0], g0[10:11], b1[7:0], b0[10:11]"},
    {15,
     true,
     16,
     {4, 4, 4},
     "m[4:0], r0[9:0], g0[9:0], b0[9:0], r1[3:0], r0[10:15], g1[3:0], g0[10:15], b1[3:0], b0[10:15]"},
};

bool TwoRegions(const DocMode& m) { return m.number < 3 || (m.number & 3) == 2; }

// One block bit of the layout: variable name ("m", "r0", ...) and its bit.
struct BitTarget {
  std::string var;
  unsigned bit;
};

// v[a:b] moves bits into b..a, the first block bit going to bit b; with a < b the
// order is reversed, the first block bit going to bit b and then down to a.
std::vector<BitTarget> ParseLayout(const char* layout) {
  std::vector<BitTarget> out;
  std::string s(layout);
  size_t pos = 0;
  while (pos < s.size()) {
    const size_t open = s.find('[', pos), close = s.find(']', open);
    std::string var = s.substr(pos, open - pos);
    var.erase(0, var.find_first_not_of(", "));
    const std::string range = s.substr(open + 1, close - open - 1);
    const size_t colon = range.find(':');
    const int a = std::stoi(range.substr(0, colon));
    const int b = colon == std::string::npos ? a : std::stoi(range.substr(colon + 1));
    const int step = a >= b ? 1 : -1;
    for (int bit = b;; bit += step) {
      out.push_back({var, static_cast<unsigned>(bit)});
      if (bit == a) break;
    }
    pos = close + 1;
  }
  return out;
}

const char* kEndpointVars[12] = {"r0", "g0", "b0", "r1", "g1", "b1", "r2", "g2", "b2", "r3", "g3", "b3"};

// Builds a block from raw (unsigned, masked) field values, a partition and indices.
std::vector<uint8_t> Encode(const DocMode& m, std::map<std::string, uint32_t> fields, unsigned partition,
                            const unsigned (&idx)[16]) {
  fields["m"] = m.number;
  BlockWriter w;
  for (const BitTarget& t : ParseLayout(m.layout)) w.Put(fields[t.var] >> t.bit, 1);
  const bool two = TwoRegions(m);
  if (two) w.Put(partition, 5);
  const unsigned anchor = two ? readdxt::bc::kAnchor2[partition] : 0;
  for (unsigned i = 0; i < 16; ++i) w.Put(idx[i], (two ? 3 : 4) - (i == 0 || i == anchor));
  return std::vector<uint8_t>(w.Bytes(), w.Bytes() + 16);
}

// ---- reference decoder: one texel at a time, straight from the documented steps ----

unsigned BitAt(const uint8_t* b, unsigned pos) { return (b[pos / 8] >> (pos % 8)) & 1; }

int SignExtendRef(uint32_t v, unsigned bits) {
  v &= (1u << bits) - 1;
  return (v >> (bits - 1)) ? static_cast<int>(v) - (1 << bits) : static_cast<int>(v);
}

int UnquantizeRef(int x, unsigned epb, bool isSigned) {
  if (!isSigned) {
    if (epb >= 15) return x;
    if (x == 0) return 0;
    if (x == (1 << epb) - 1) return 0xFFFF;
    return ((x << 15) + 0x4000) >> (epb - 1);
  }
  if (epb >= 16) return x;
  const bool s = x < 0;
  if (s) x = -x;
  int unq;
  if (x == 0) {
    unq = 0;
  } else if (x >= (1 << (epb - 1)) - 1) {
    unq = 0x7FFF;
  } else {
    unq = ((x << 15) + 0x4000) >> (epb - 1);
  }
  return s ? -unq : unq;
}

void ReferenceDecode(const uint8_t* block, bool isSigned, uint16_t out[16][3]) {
  const unsigned low2 = block[0] & 3;
  const unsigned number = low2 < 2 ? low2 : block[0] & 31u;
  const DocMode* m = nullptr;
  for (const DocMode& d : kDocModes) {
    if (d.number == number) m = &d;
  }
  if (!m) {
    std::memset(out, 0, sizeof(uint16_t) * 48);
    return;
  }
  std::map<std::string, uint32_t> f;
  unsigned pos = 0;
  for (const BitTarget& t : ParseLayout(m->layout)) f[t.var] |= BitAt(block, pos++) << t.bit;
  const bool two = TwoRegions(*m);
  unsigned partition = 0;
  for (unsigned i = 0; two && i < 5; ++i) partition |= BitAt(block, pos++) << i;
  int e[4][3];
  for (unsigned i = 0; i < (two ? 4u : 2u); ++i) {
    for (unsigned c = 0; c < 3; ++c) {
      const uint32_t raw = f[kEndpointVars[3 * i + c]];
      int v;
      if (i == 0) {
        v = isSigned ? SignExtendRef(raw, m->epb) : static_cast<int>(raw);
      } else if (m->transformed) {
        const int delta = SignExtendRef(raw, m->delta[c]);
        v = static_cast<int>((f[kEndpointVars[c]] + delta) & ((1u << m->epb) - 1));
        if (isSigned) v = SignExtendRef(static_cast<uint32_t>(v), m->epb);
      } else {
        v = isSigned ? SignExtendRef(raw, m->epb) : static_cast<int>(raw);
      }
      e[i][c] = UnquantizeRef(v, m->epb, isSigned);
    }
  }
  static const int w3[8] = {0, 9, 18, 27, 37, 46, 55, 64};
  static const int w4[16] = {0, 4, 9, 13, 17, 21, 26, 30, 34, 38, 43, 47, 51, 55, 60, 64};
  const unsigned anchor = two ? readdxt::bc::kAnchor2[partition] : 0;
  for (unsigned t = 0; t < 16; ++t) {
    const unsigned nbits = (two ? 3 : 4) - (t == 0 || t == anchor);
    unsigned idx = 0;
    for (unsigned i = 0; i < nbits; ++i) idx |= BitAt(block, pos++) << i;
    const unsigned region = two ? (readdxt::bc::kPartition2[partition] >> t) & 1 : 0;
    const int w = two ? w3[idx] : w4[idx];
    for (unsigned c = 0; c < 3; ++c) {
      const int v = (e[2 * region][c] * (64 - w) + e[2 * region + 1][c] * w + 32) >> 6;
      int h;
      if (!isSigned) {
        h = (v * 31) >> 6;
      } else {
        h = v < 0 ? (((-v) * 31) >> 5) | 0x8000 : (v * 31) >> 5;
      }
      out[t][c] = static_cast<uint16_t>(h);
    }
  }
}

struct Halves {
  uint16_t v[16][3];
};

Halves Decode(const std::vector<uint8_t>& block, bool isSigned) {
  Halves h;
  readdxt::DecodeBC6H(block.data(), &h.v[0][0], 4 * 3 * sizeof(uint16_t), isSigned);
  return h;
}

const DocMode& ModeNumbered(unsigned n) {
  for (const DocMode& d : kDocModes) {
    if (d.number == n) return d;
  }
  return kDocModes[0];
}

::testing::AssertionResult TexelIs(const Halves& h, unsigned t, uint16_t r, uint16_t g, uint16_t b) {
  if (h.v[t][0] == r && h.v[t][1] == g && h.v[t][2] == b) return ::testing::AssertionSuccess();
  char msg[96];
  std::snprintf(msg, sizeof msg, "texel %u is %04X %04X %04X, expected %04X %04X %04X", t, h.v[t][0],
                h.v[t][1], h.v[t][2], r, g, b);
  return ::testing::AssertionFailure() << msg;
}

TEST(BC6H, DocumentedLayoutsFillTheHeader) {
  for (const DocMode& m : kDocModes) {
    EXPECT_EQ(ParseLayout(m.layout).size(), TwoRegions(m) ? 77u : 65u) << "mode " << m.number;
  }
}

// Mode 3: one region, endpoints of 10 bits stored whole.
// e0 = (0, 512, 1023), e1 = (1023, 256, 100); unsigned unquantize: 0 -> 0, max -> 0xFFFF,
// else (x << 16 + 0x8000) >> 10, i.e. 512 -> 32800; texel = lerp * 31 >> 6.
const unsigned kOneRegionIdx[16] = {0, 8, 15, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};

std::vector<uint8_t> OneRegionBlock() {
  return Encode(ModeNumbered(3),
                {{"r0", 0}, {"g0", 512}, {"b0", 1023}, {"r1", 1023}, {"g1", 256}, {"b1", 100}}, 0,
                kOneRegionIdx);
}

TEST(BC6H, OneRegionUntransformedUnsigned) {
  const Halves h = Decode(OneRegionBlock(), false);
  EXPECT_TRUE(TexelIs(h, 0, 0x0000, 0x3E0F, 0x7BFF));  // 32800*31>>6 = 15887; 65535*31>>6 = 31743
  EXPECT_TRUE(TexelIs(h, 1, 0x41DF, 0x2D97, 0x4097));  // weight 34
  EXPECT_TRUE(TexelIs(h, 2, 0x7BFF, 0x1F0F, 0x0C2B));  // weight 64: e1
  EXPECT_TRUE(TexelIs(h, 3, 0x28B0, 0x33E3, 0x574E));  // weight 21
}

TEST(BC6H, OneRegionUntransformedSigned) {
  // The same bits read as signed: 512 -> -512 (clamps to -0x7FFF), 1023 -> -1 (-96).
  const Halves h = Decode(OneRegionBlock(), true);
  EXPECT_TRUE(TexelIs(h, 0, 0x0000, 0xFBFF, 0x805D));
  EXPECT_TRUE(TexelIs(h, 1, 0x8031, 0x991F, 0x0CC2));
  EXPECT_TRUE(TexelIs(h, 2, 0x805D, 0x3E1F, 0x1857));
  EXPECT_TRUE(TexelIs(h, 3, 0x801E, 0xBEED, 0x07BE));
}

// Mode 0: two regions, 10-bit base and 5-bit deltas. Partition 0 puts columns 2-3 in
// region 1; its anchor is texel 15. Base (1020, 200, 300); deltas e1 (+10, -3, 0), which
// wraps red to 6; e2 (-16, +15, +1); e3 (0, 0, -1).
std::vector<uint8_t> TwoRegionBlock() {
  const unsigned idx[16] = {0, 7, 0, 7, 3, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  return Encode(ModeNumbered(0),
                {{"r0", 1020},
                 {"g0", 200},
                 {"b0", 300},
                 {"r1", 10},
                 {"g1", 32 - 3},
                 {"b1", 0},
                 {"r2", 32 - 16},
                 {"g2", 15},
                 {"b2", 1},
                 {"r3", 0},
                 {"g3", 0},
                 {"b3", 31}},
                0, idx);
}

TEST(BC6H, TwoRegionTransformedUnsigned) {
  const Halves h = Decode(TwoRegionBlock(), false);
  EXPECT_TRUE(TexelIs(h, 0, 0x7B93, 0x1847, 0x2463));  // region 0, e0: 1020 -> 65312
  EXPECT_TRUE(TexelIs(h, 1, 0x00C9, 0x17EA, 0x2463));  // region 0, e1: red wrapped to 6
  EXPECT_TRUE(TexelIs(h, 2, 0x79A3, 0x1A18, 0x2482));  // region 1, e2
  EXPECT_TRUE(TexelIs(h, 3, 0x7B93, 0x1847, 0x2444));  // region 1, e3
  EXPECT_TRUE(TexelIs(h, 4, 0x47C6, 0x1820, 0x2463));  // region 0, index 3
  EXPECT_TRUE(TexelIs(h, 6, 0x7AC2, 0x190B, 0x245E));  // region 1, index 4
}

TEST(BC6H, TwoRegionTransformedSigned) {
  // Signed: the base 1020 is -4, and the sums are sign-extended after wrapping.
  const Halves h = Decode(TwoRegionBlock(), true);
  EXPECT_TRUE(TexelIs(h, 0, 0x8117, 0x308F, 0x48C7));
  EXPECT_TRUE(TexelIs(h, 1, 0x0193, 0x2FD5, 0x48C7));
  EXPECT_TRUE(TexelIs(h, 2, 0x84F7, 0x3431, 0x4905));
  EXPECT_TRUE(TexelIs(h, 3, 0x8117, 0x308F, 0x4889));
  EXPECT_TRUE(TexelIs(h, 4, 0x0008, 0x3040, 0x48C7));
  EXPECT_TRUE(TexelIs(h, 6, 0x82B9, 0x3217, 0x48BD));
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

TEST(BC6H, EveryModeMatchesTheReferenceOnRandomBlocks) {
  std::mt19937 rng(6);
  for (const DocMode& m : kDocModes) {
    for (bool isSigned : {false, true}) {
      for (int n = 0; n < 100; ++n) {
        std::vector<uint8_t> block(16);
        for (uint8_t& b : block) b = static_cast<uint8_t>(rng());
        const unsigned modeBits = m.number < 2 ? 2 : 5;
        block[0] = static_cast<uint8_t>((block[0] & ~((1u << modeBits) - 1)) | m.number);
        uint16_t expected[16][3];
        ReferenceDecode(block.data(), isSigned, expected);
        const Halves h = Decode(block, isSigned);
        ASSERT_EQ(std::memcmp(expected, h.v, sizeof expected), 0)
            << "mode " << m.number << (isSigned ? " signed" : " unsigned") << " block " << n;
      }
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

// round(clamp(h, 0, 1) * 255) from the half's value computed in double.
uint8_t HalfToUnormRef(uint16_t h) {
  const int exp = (h >> 10) & 31, mant = h & 0x3FF;
  if (exp == 31) return (mant == 0 && !(h & 0x8000)) ? 255 : 0;
  double v = exp == 0 ? std::ldexp(mant, -24) : std::ldexp(1024 + mant, exp - 25);
  if (h & 0x8000) v = -v;
  if (!(v > 0)) return 0;
  if (v >= 1) return 255;
  return static_cast<uint8_t>(std::floor(v * 255 + 0.5));
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
  };
  for (const auto& c : cases) EXPECT_EQ(readdxt::HalfToUnorm8(c.half), c.expected) << std::hex << c.half;
}

TEST(HalfToUnorm8, AllHalvesMatchTheRoundedValue) {
  for (uint32_t h = 0; h < 0x10000; ++h) {
    ASSERT_EQ(readdxt::HalfToUnorm8(static_cast<uint16_t>(h)), HalfToUnormRef(static_cast<uint16_t>(h)))
        << std::hex << h;
  }
}

TEST(HalfToUnorm8, RowConversionSwapsToBgraWithOpaqueAlpha) {
  const uint16_t rgb[6] = {0x3C00, 0x3800, 0x0000, 0xBC00, 0x7E00, 0x1C00};
  uint8_t bgra[8];
  readdxt::HalfRgbToBgra8(rgb, bgra, 2);
  const uint8_t expected[8] = {0, 128, 255, 255, 1, 0, 0, 255};
  EXPECT_EQ(std::memcmp(bgra, expected, 8), 0);
}

}  // namespace
