// BC7 against the documented modes: hand-computed texels for mode 6, mode 5 with
// rotation, mode 1 with a partition whose anchor is not the last texel, the
// reserved mode, the partition tables against the published shapes, and every mode
// against a plain per-texel reference decoder on random blocks.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "readdxt/bc_partitions.h"
#include "readdxt/bc_test_bits.h"
#include "readdxt/block_decoders.h"

using readdxt_test::Bgra4x4;
using readdxt_test::BlockWriter;
using readdxt_test::Texel;

namespace {

// The published partition shapes, texel 0 first, rows of four.
const char* const kShapes2[64] = {
    "0011001100110011", "0001000100010001", "0111011101110111", "0001001100110111", "0000000100010011",
    "0011011101111111", "0001001101111111", "0000000100110111", "0000000000010011", "0011011111111111",
    "0000000101111111", "0000000000010111", "0001011111111111", "0000000011111111", "0000111111111111",
    "0000000000001111", "0000100011101111", "0111000100000000", "0000000010001110", "0111001100010000",
    "0011000100000000", "0000100011001110", "0000000010001100", "0111001100110001", "0011000100010000",
    "0000100010001100", "0110011001100110", "0011011001101100", "0001011111101000", "0000111111110000",
    "0111000110001110", "0011100110011100", "0101010101010101", "0000111100001111", "0101101001011010",
    "0011001111001100", "0011110000111100", "0101010110101010", "0110100101101001", "0101101010100101",
    "0111001111001110", "0001001111001000", "0011001001001100", "0011101111011100", "0110100110010110",
    "0011110011000011", "0110011010011001", "0000011001100000", "0100111001000000", "0010011100100000",
    "0000001001110010", "0000010011100100", "0110110010010011", "0011011011001001", "0110001110011100",
    "0011100111000110", "0110110011001001", "0110001100111001", "0111111010000001", "0001100011100111",
    "0000111100110011", "0011001111110000", "0010001011101110", "0100010001110111",
};
const char* const kShapes3[64] = {
    "0011001102212222", "0001001122112221", "0000200122112211", "0222002200110111", "0000000011221122",
    "0011001100220022", "0022002211111111", "0011001122112211", "0000000011112222", "0000111111112222",
    "0000111122222222", "0012001200120012", "0112011201120112", "0122012201220122", "0011011211221222",
    "0011200122002220", "0001001101121122", "0111001120012200", "0000112211221122", "0022002200221111",
    "0111011102220222", "0001000122212221", "0000001101220122", "0000110022102210", "0122012200110000",
    "0012001211222222", "0110122112210110", "0000011012211221", "0022110211020022", "0110011020022222",
    "0011012201220011", "0000200022112221", "0000000211221222", "0222002200120011", "0011001200220222",
    "0120012001200120", "0000111122220000", "0120120120120120", "0120201212010120", "0011220011220011",
    "0011112222000011", "0101010122222222", "0000000021212121", "0022112200221122", "0022001100220011",
    "0220122102201221", "0101222222220101", "0000212121212121", "0101010101012222", "0222011102220111",
    "0002111200021112", "0000211221122112", "0222011101110222", "0002111211120002", "0110011001102222",
    "0000000021122112", "0110011022222222", "0022001100110022", "0022112211220022", "0000000000002112",
    "0002000100020001", "0222122202221222", "0101222222222222", "0111201122012220",
};

TEST(BC7Tables, PartitionsMatchThePublishedShapes) {
  for (unsigned p = 0; p < 64; ++p) {
    for (unsigned i = 0; i < 16; ++i) {
      EXPECT_EQ((readdxt::bc::kPartition2[p] >> i) & 1, unsigned(kShapes2[p][i] - '0')) << p << " " << i;
      EXPECT_EQ((readdxt::bc::kPartition3[p] >> (2 * i)) & 3, unsigned(kShapes3[p][i] - '0'))
          << p << " " << i;
    }
  }
}

TEST(BC7Tables, AnchorsLieInTheirOwnSubset) {
  for (unsigned p = 0; p < 64; ++p) {
    EXPECT_EQ(kShapes2[p][readdxt::bc::kAnchor2[p]], '1') << p;
    EXPECT_EQ(kShapes3[p][readdxt::bc::kAnchor3Second[p]], '1') << p;
    EXPECT_EQ(kShapes3[p][readdxt::bc::kAnchor3Third[p]], '2') << p;
  }
}

Bgra4x4 Decode(const BlockWriter& w) {
  EXPECT_EQ(w.Position(), 128u);
  Bgra4x4 out;
  readdxt::DecodeBC7(w.Bytes(), out.bytes, 16);
  return out;
}

TEST(BC7, Mode6EndpointsWithPBitsAndFourBitIndices) {
  // RGBA 7.7.7.7 + p-bit per endpoint: e0 = (10,0,127,127) p1 -> (21,1,255,255);
  // e1 = (100,127,0,64) p0 -> (200,254,0,128).
  BlockWriter w;
  w.Put(1 << 6, 7);
  w.Put(10, 7).Put(100, 7).Put(0, 7).Put(127, 7).Put(127, 7).Put(0, 7).Put(127, 7).Put(64, 7);
  w.Put(1, 1).Put(0, 1);
  const unsigned idx[16] = {0, 15, 5, 8, 1, 2, 3, 4, 6, 7, 9, 10, 11, 12, 13, 14};
  w.Put(idx[0], 3);
  for (unsigned i = 1; i < 16; ++i) w.Put(idx[i], 4);
  const Bgra4x4 out = Decode(w);
  EXPECT_EQ(out.At(0), (Texel{21, 1, 255, 255}));
  EXPECT_EQ(out.At(1), (Texel{200, 254, 0, 128}));
  // weight 21: (43*a + 21*b + 32) >> 6
  EXPECT_EQ(out.At(2), (Texel{80, 84, 171, 213}));
  // weight 34: (30*a + 34*b + 32) >> 6
  EXPECT_EQ(out.At(3), (Texel{116, 135, 120, 188}));
}

// Mode 5: RGB 7.7.7, alpha 8, separate 2-bit colour and alpha indices.
// Colour e0 = (127,32,64) -> (255,64,129), e1 = (0,96,64) -> (0,193,129); alpha 0..255.
BlockWriter Mode5Block(unsigned rotation) {
  BlockWriter w;
  w.Put(1 << 5, 6).Put(rotation, 2);
  w.Put(127, 7).Put(0, 7).Put(32, 7).Put(96, 7).Put(64, 7).Put(64, 7);
  w.Put(0, 8).Put(255, 8);
  const unsigned colour[16] = {0, 1, 3, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  const unsigned alpha[16] = {0, 1, 3, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  w.Put(colour[0], 1);
  for (unsigned i = 1; i < 16; ++i) w.Put(colour[i], 2);
  w.Put(alpha[0], 1);
  for (unsigned i = 1; i < 16; ++i) w.Put(alpha[i], 2);
  return w;
}

TEST(BC7, Mode5RotationSwapsAlphaWithAChannel) {
  // Unrotated texels: 0 (255,64,129, 0); 1 w21 (171,106,129, 84); 2 (0,193,129, 255);
  // 3 w43 (84,151,129, 171).
  const struct {
    unsigned rotation;
    Texel t0, t1, t2;
  } cases[] = {
      {0, {255, 64, 129, 0}, {171, 106, 129, 84}, {0, 193, 129, 255}},
      {1, {0, 64, 129, 255}, {84, 106, 129, 171}, {255, 193, 129, 0}},  // swap(a, r)
      {2, {255, 0, 129, 64}, {171, 84, 129, 106}, {0, 255, 129, 193}},  // swap(a, g)
      {3, {255, 64, 0, 129}, {171, 106, 84, 129}, {0, 193, 255, 129}},  // swap(a, b)
  };
  for (const auto& c : cases) {
    const Bgra4x4 out = Decode(Mode5Block(c.rotation));
    EXPECT_EQ(out.At(0), c.t0) << c.rotation;
    EXPECT_EQ(out.At(1), c.t1) << c.rotation;
    EXPECT_EQ(out.At(2), c.t2) << c.rotation;
  }
}

TEST(BC7, Mode4IndexSelectorSwapsWhichIndicesColourAndAlphaUse) {
  // RGB 5.5.5: e0 = 0, e1 = 31 -> 255; alpha 6 bits: 0 and 63 -> 255.
  // 2-bit indices all 1 (weight 21), 3-bit indices all 5 (weight 46).
  for (unsigned selector : {0u, 1u}) {
    BlockWriter w;
    w.Put(1 << 4, 5).Put(0, 2).Put(selector, 1);
    for (int c = 0; c < 3; ++c) w.Put(0, 5).Put(31, 5);
    w.Put(0, 6).Put(63, 6);
    w.Put(1, 1);
    for (int i = 1; i < 16; ++i) w.Put(1, 2);
    w.Put(1, 2);  // texel 0 (the anchor) stores its 3-bit index in 2 bits
    for (int i = 1; i < 16; ++i) w.Put(5, 3);
    const Bgra4x4 out = Decode(w);
    const uint8_t w21 = (21 * 255 + 32) >> 6, w46 = (46 * 255 + 32) >> 6;  // 84, 183
    const uint8_t colour = selector ? w46 : w21, alpha = selector ? w21 : w46;
    EXPECT_EQ(out.At(5), (Texel{colour, colour, colour, alpha})) << selector;
  }
}

TEST(BC7, Mode1PartitionWithAnchorInTheMiddle) {
  // Partition 17: texels 1, 2, 3, 7 form subset 1, whose anchor is texel 2.
  // Subset 0: (0,0,0)-(63,63,63), shared p-bit 0 -> 0 and 253; subset 1: (63,0,0)-(0,0,63),
  // shared p-bit 1 -> (255,2,2) and (2,2,255).
  BlockWriter w;
  w.Put(1 << 1, 2).Put(17, 6);
  w.Put(0, 6).Put(63, 6).Put(63, 6).Put(0, 6);  // red: subset 0 e0 e1, subset 1 e0 e1
  w.Put(0, 6).Put(63, 6).Put(0, 6).Put(0, 6);   // green
  w.Put(0, 6).Put(63, 6).Put(0, 6).Put(63, 6);  // blue
  w.Put(0, 1).Put(1, 1);
  const unsigned idx[16] = {0, 7, 3, 0, 4, 0, 0, 6, 0, 0, 0, 0, 0, 0, 0, 5};
  for (unsigned i = 0; i < 16; ++i) w.Put(idx[i], (i == 0 || i == 2) ? 2 : 3);
  const Bgra4x4 out = Decode(w);
  EXPECT_EQ(out.At(0), (Texel{0, 0, 0, 255}));
  EXPECT_EQ(out.At(1), (Texel{2, 2, 255, 255}));
  EXPECT_EQ(out.At(2), (Texel{148, 2, 109, 255}));  // anchor, weight 27
  EXPECT_EQ(out.At(3), (Texel{255, 2, 2, 255}));
  EXPECT_EQ(out.At(4), (Texel{146, 146, 146, 255}));   // weight 37
  EXPECT_EQ(out.At(7), (Texel{38, 2, 219, 255}));      // subset 1, weight 55
  EXPECT_EQ(out.At(15), (Texel{182, 182, 182, 255}));  // weight 46: the last index lines up
}

TEST(BC7, ReservedModeIsTransparentBlack) {
  std::vector<uint8_t> block(16, 0xFF);
  block[0] = 0;
  std::vector<uint8_t> image(40 * 4, 0xAB);
  readdxt::DecodeBC7(block.data(), image.data(), 40);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 16; ++x) EXPECT_EQ(image[y * 40 + x], 0) << x << "," << y;
    EXPECT_EQ(image[y * 40 + 16], 0xAB);
  }
}

// ---- reference decoder: one texel at a time, fields read bit by bit in the documented order ----

struct ModeRow {
  unsigned ns, pb, rb, isb, cb, ab, epb, spb, ib, ib2;
};
const ModeRow kModeTable[8] = {
    {3, 4, 0, 0, 4, 0, 1, 0, 3, 0}, {2, 6, 0, 0, 6, 0, 0, 1, 3, 0}, {3, 6, 0, 0, 5, 0, 0, 0, 2, 0},
    {2, 6, 0, 0, 7, 0, 1, 0, 2, 0}, {1, 0, 2, 1, 5, 6, 0, 0, 2, 3}, {1, 0, 2, 0, 7, 8, 0, 0, 2, 2},
    {1, 0, 0, 0, 7, 7, 1, 0, 4, 0}, {2, 6, 0, 0, 5, 5, 1, 0, 2, 0},
};

struct Reader {
  const uint8_t* b;
  unsigned pos = 0;
  unsigned Read(unsigned n) {
    unsigned v = 0;
    for (unsigned i = 0; i < n; ++i, ++pos) v |= ((b[pos / 8] >> (pos % 8)) & 1u) << i;
    return v;
  }
};

unsigned Weight(unsigned bits, unsigned index) {
  static const unsigned w2[] = {0, 21, 43, 64}, w3[] = {0, 9, 18, 27, 37, 46, 55, 64},
                        w4[] = {0, 4, 9, 13, 17, 21, 26, 30, 34, 38, 43, 47, 51, 55, 60, 64};
  return bits == 2 ? w2[index] : bits == 3 ? w3[index] : w4[index];
}

Texel ReferenceTexel(const uint8_t* block, unsigned texel) {
  unsigned mode = 0;
  while (mode < 8 && !((block[0] >> mode) & 1)) ++mode;
  if (mode == 8) return {0, 0, 0, 0};
  const ModeRow& m = kModeTable[mode];
  Reader r{block};
  r.Read(mode + 1);
  const unsigned partition = r.Read(m.pb), rotation = r.Read(m.rb), isb = r.Read(m.isb);
  unsigned ep[3][2][4] = {};
  for (unsigned c = 0; c < 4; ++c) {
    const unsigned bits = c < 3 ? m.cb : m.ab;
    for (unsigned s = 0; s < m.ns; ++s) {
      for (unsigned e = 0; e < 2; ++e) ep[s][e][c] = r.Read(bits);
    }
  }
  unsigned pbit[3][2] = {};
  for (unsigned s = 0; s < m.ns && m.epb; ++s) {
    for (unsigned e = 0; e < 2; ++e) pbit[s][e] = r.Read(1);
  }
  for (unsigned s = 0; s < m.ns && m.spb; ++s) pbit[s][0] = pbit[s][1] = r.Read(1);
  const bool hasP = m.epb || m.spb;
  for (unsigned s = 0; s < m.ns; ++s) {
    for (unsigned e = 0; e < 2; ++e) {
      for (unsigned c = 0; c < 4; ++c) {
        unsigned bits = c < 3 ? m.cb : m.ab;
        if (bits == 0) {
          ep[s][e][c] = 255;
          continue;
        }
        unsigned v = ep[s][e][c];
        if (hasP) v = (v << 1) | pbit[s][e], ++bits;
        v <<= 8 - bits;
        ep[s][e][c] = v | (v >> bits);  // the top bits repeated below
      }
    }
  }
  auto subsetOf = [&](unsigned t) -> unsigned {
    if (m.ns == 1) return 0;
    return unsigned((m.ns == 2 ? kShapes2 : kShapes3)[partition][t] - '0');
  };
  auto isAnchor = [&](unsigned t) {
    if (t == 0) return true;
    if (m.ns == 2) return t == readdxt::bc::kAnchor2[partition];
    if (m.ns == 3)
      return t == readdxt::bc::kAnchor3Second[partition] || t == readdxt::bc::kAnchor3Third[partition];
    return false;
  };
  unsigned primary = 0, secondary = 0;
  for (unsigned t = 0; t < 16; ++t) {
    const unsigned v = r.Read(m.ib - (isAnchor(t) ? 1 : 0));
    if (t == texel) primary = v;
  }
  for (unsigned t = 0; m.ib2 && t < 16; ++t) {
    const unsigned v = r.Read(m.ib2 - (t == 0 ? 1 : 0));
    if (t == texel) secondary = v;
  }
  unsigned colourIndex = primary, colourBits = m.ib, alphaIndex = primary, alphaBits = m.ib;
  if (m.ib2 && isb) colourIndex = secondary, colourBits = m.ib2;
  if (m.ib2 && !isb) alphaIndex = secondary, alphaBits = m.ib2;
  const unsigned s = subsetOf(texel);
  unsigned out[4];
  for (unsigned c = 0; c < 4; ++c) {
    const unsigned w = c < 3 ? Weight(colourBits, colourIndex) : Weight(alphaBits, alphaIndex);
    out[c] = ((64 - w) * ep[s][0][c] + w * ep[s][1][c] + 32) >> 6;
  }
  if (rotation) std::swap(out[rotation - 1], out[3]);
  return {uint8_t(out[0]), uint8_t(out[1]), uint8_t(out[2]), uint8_t(out[3])};
}

TEST(BC7, EveryModeMatchesTheReferenceOnRandomBlocks) {
  std::mt19937 rng(7);
  for (unsigned mode = 0; mode < 8; ++mode) {
    for (int n = 0; n < 500; ++n) {
      uint8_t block[16];
      for (uint8_t& b : block) b = static_cast<uint8_t>(rng());
      block[0] = static_cast<uint8_t>(((block[0] | 1u) << mode) & 0xFF);
      Bgra4x4 out;
      readdxt::DecodeBC7(block, out.bytes, 16);
      for (unsigned t = 0; t < 16; ++t) {
        ASSERT_EQ(out.At(t), ReferenceTexel(block, t)) << "mode " << mode << " block " << n << " texel " << t;
      }
    }
  }
}

}  // namespace
