// BC7 against hand-computed texels: mode 6, mode 5 with rotation, mode 4's index
// selector, mode 1 (two subsets) and mode 2 (three subsets) with anchors inside the
// block, and the reserved mode.
#include <gtest/gtest.h>

#include <vector>

#include "readdxt/bc_partitions.h"
#include "readdxt/bc_test_bits.h"
#include "readdxt/block_decoders.h"

using readdxt_test::Bgra4x4;
using readdxt_test::BlockWriter;
using readdxt_test::Texel;

namespace {

// A transcription slip in one table shows as an anchor outside its subset.
TEST(BC7Tables, AnchorsLieInTheirOwnSubsetAndTexelZeroInSubsetZero) {
  using namespace readdxt::bc;
  for (unsigned p = 0; p < 64; ++p) {
    EXPECT_EQ(kPartition2[p] & 1, 0) << p;
    EXPECT_EQ((kPartition2[p] >> kAnchor2[p]) & 1, 1) << p;
    EXPECT_EQ(kPartition3[p] & 3, 0u) << p;
    EXPECT_EQ((kPartition3[p] >> (2 * kAnchor3Second[p])) & 3, 1u) << p;
    EXPECT_EQ((kPartition3[p] >> (2 * kAnchor3Third[p])) & 3, 2u) << p;
  }
}

Bgra4x4 Decode(const BlockWriter& w) {
  EXPECT_EQ(w.Position(), 128u);
  Bgra4x4 out;
  readdxt::DecodeBC7(w.Bytes(), out.bytes, 16);
  return out;
}

// Indices of texels 0..15; those listed in `anchors` (and texel 0) are one bit shorter.
void PutIndices(BlockWriter& w, const unsigned (&idx)[16], unsigned bits,
                std::vector<unsigned> anchors = {}) {
  anchors.push_back(0);
  for (unsigned i = 0; i < 16; ++i) {
    bool anchor = false;
    for (unsigned a : anchors) anchor |= a == i;
    w.Put(idx[i], bits - anchor);
  }
}

TEST(BC7, Mode6EndpointsWithPBitsAndFourBitIndices) {
  // RGBA 7.7.7.7 + p-bit per endpoint: e0 = (10,0,127,127) p1 -> (21,1,255,255);
  // e1 = (100,127,0,64) p0 -> (200,254,0,128).
  BlockWriter w;
  w.Put(1 << 6, 7);
  w.Put(10, 7).Put(100, 7).Put(0, 7).Put(127, 7).Put(127, 7).Put(0, 7).Put(127, 7).Put(64, 7);
  w.Put(1, 1).Put(0, 1);
  PutIndices(w, {0, 15, 5, 8, 1, 2, 3, 4, 6, 7, 9, 10, 11, 12, 13, 14}, 4);
  const Bgra4x4 out = Decode(w);
  EXPECT_EQ(out.At(0), (Texel{21, 1, 255, 255}));
  EXPECT_EQ(out.At(1), (Texel{200, 254, 0, 128}));
  EXPECT_EQ(out.At(2), (Texel{80, 84, 171, 213}));    // weight 21: (43*a + 21*b + 32) >> 6
  EXPECT_EQ(out.At(3), (Texel{116, 135, 120, 188}));  // weight 34
}

TEST(BC7, Mode5RotationSwapsAlphaWithAChannel) {
  // RGB 7.7.7, alpha 8, separate 2-bit colour and alpha indices. Colour e0 = (127,32,64)
  // -> (255,64,129), e1 = (0,96,64) -> (0,193,129); alpha 0..255. Texels 0, 1, 2 use
  // indices 0, 1 (weight 21), 3.
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
    BlockWriter w;
    w.Put(1 << 5, 6).Put(c.rotation, 2);
    w.Put(127, 7).Put(0, 7).Put(32, 7).Put(96, 7).Put(64, 7).Put(64, 7).Put(0, 8).Put(255, 8);
    const unsigned idx[16] = {0, 1, 3, 2};
    PutIndices(w, idx, 2);
    PutIndices(w, idx, 2);
    const Bgra4x4 out = Decode(w);
    EXPECT_EQ(out.At(0), c.t0) << c.rotation;
    EXPECT_EQ(out.At(1), c.t1) << c.rotation;
    EXPECT_EQ(out.At(2), c.t2) << c.rotation;
  }
}

TEST(BC7, Mode4IndexSelectorSwapsWhichIndicesColourAndAlphaUse) {
  // RGB 5.5.5: 0 and 31 -> 255; alpha 6 bits: 0 and 63 -> 255. 2-bit indices all 1
  // (weight 21 -> 84), 3-bit indices all 5 (weight 46 -> 183).
  for (unsigned selector : {0u, 1u}) {
    BlockWriter w;
    w.Put(1 << 4, 5).Put(0, 2).Put(selector, 1);
    for (int c = 0; c < 3; ++c) w.Put(0, 5).Put(31, 5);
    w.Put(0, 6).Put(63, 6);
    PutIndices(w, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}, 2);
    PutIndices(w, {1, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5}, 3);
    const uint8_t colour = selector ? 183 : 84, alpha = selector ? 84 : 183;
    EXPECT_EQ(Decode(w).At(5), (Texel{colour, colour, colour, alpha})) << selector;
  }
}

TEST(BC7, Mode1TwoSubsetsWithAnchorInTheMiddle) {
  // Partition 17: texels 1, 2, 3, 7 form subset 1, whose anchor is texel 2.
  // Subset 0: (0,0,0)-(63,63,63), shared p-bit 0 -> 0 and 253; subset 1: (63,0,0)-(0,0,63),
  // shared p-bit 1 -> (255,2,2) and (2,2,255).
  BlockWriter w;
  w.Put(1 << 1, 2).Put(17, 6);
  w.Put(0, 6).Put(63, 6).Put(63, 6).Put(0, 6);  // red: subset 0 e0 e1, subset 1 e0 e1
  w.Put(0, 6).Put(63, 6).Put(0, 6).Put(0, 6);   // green
  w.Put(0, 6).Put(63, 6).Put(0, 6).Put(63, 6);  // blue
  w.Put(0, 1).Put(1, 1);
  PutIndices(w, {0, 7, 3, 0, 4, 0, 0, 6, 0, 0, 0, 0, 0, 0, 0, 5}, 3, {2});
  const Bgra4x4 out = Decode(w);
  EXPECT_EQ(out.At(0), (Texel{0, 0, 0, 255}));
  EXPECT_EQ(out.At(1), (Texel{2, 2, 255, 255}));
  EXPECT_EQ(out.At(2), (Texel{148, 2, 109, 255}));  // anchor, weight 27
  EXPECT_EQ(out.At(3), (Texel{255, 2, 2, 255}));
  EXPECT_EQ(out.At(4), (Texel{146, 146, 146, 255}));   // weight 37
  EXPECT_EQ(out.At(7), (Texel{38, 2, 219, 255}));      // subset 1, weight 55
  EXPECT_EQ(out.At(15), (Texel{182, 182, 182, 255}));  // weight 46: the last index lines up
}

TEST(BC7, Mode2ThreeSubsetsWithBothAnchorsInTheMiddle) {
  // Partition 1 ("0001 0011 2211 2221"): anchors texel 3 (subset 1) and texel 8 (subset 2).
  // RGB 5.5.5, no p-bits: subset 0 black-white, subset 1 red-blue, subset 2 green-(132,132,132).
  BlockWriter w;
  w.Put(1 << 2, 3).Put(1, 6);
  w.Put(0, 5).Put(31, 5).Put(31, 5).Put(0, 5).Put(0, 5).Put(16, 5);  // red
  w.Put(0, 5).Put(31, 5).Put(0, 5).Put(0, 5).Put(31, 5).Put(16, 5);  // green
  w.Put(0, 5).Put(31, 5).Put(0, 5).Put(31, 5).Put(0, 5).Put(16, 5);  // blue
  PutIndices(w, {1, 3, 0, 1, 0, 0, 0, 2, 1, 2, 0, 0, 3, 0, 0, 3}, 2, {3, 8});
  const Bgra4x4 out = Decode(w);
  EXPECT_EQ(out.At(0), (Texel{84, 84, 84, 255}));  // weights 0, 21, 43, 64
  EXPECT_EQ(out.At(1), (Texel{255, 255, 255, 255}));
  EXPECT_EQ(out.At(3), (Texel{171, 0, 84, 255}));  // anchor of subset 1
  EXPECT_EQ(out.At(7), (Texel{84, 0, 171, 255}));
  EXPECT_EQ(out.At(8), (Texel{43, 215, 43, 255}));  // anchor of subset 2
  EXPECT_EQ(out.At(9), (Texel{89, 172, 89, 255}));
  EXPECT_EQ(out.At(12), (Texel{132, 132, 132, 255}));
  EXPECT_EQ(out.At(15), (Texel{0, 0, 255, 255}));
}

TEST(BC7, ReservedModeIsTransparentBlackWithinItsRows) {
  std::vector<uint8_t> block(16, 0xFF);
  block[0] = 0;
  std::vector<uint8_t> image(40 * 4, 0xAB);
  readdxt::DecodeBC7(block.data(), image.data(), 40);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 16; ++x) EXPECT_EQ(image[y * 40 + x], 0) << x << "," << y;
    EXPECT_EQ(image[y * 40 + 16], 0xAB);
  }
}

}  // namespace
