// Mip and pitch arithmetic: block rounding, pixel and pair rows, DWORD padding, overflow.
#include "readdxt/level_size.h"

#include <gtest/gtest.h>

namespace readdxt {
namespace {

DataLayout Layout(DataLayout::Kind kind, uint32_t unit, bool dword = false) {
  DataLayout l;
  l.kind = kind;
  l.unitBytes = unit;
  l.dwordRows = dword;
  return l;
}

TEST(ReaddxtLevelSize, RowsAndPitchPerLayout) {
  struct Case {
    DataLayout layout;
    uint32_t w, h;
    uint64_t pitch;
    uint32_t rows;
  } cases[] = {
      {Layout(DataLayout::kBlocks, 8), 1, 1, 8, 1},
      {Layout(DataLayout::kBlocks, 8), 5, 3, 16, 1},
      {Layout(DataLayout::kBlocks, 16), 3136, 3104, 784 * 16, 776},
      {Layout(DataLayout::kBlocks, 16), 4, 5, 16, 2},
      {Layout(DataLayout::kPixels, 3), 3, 2, 9, 2},
      {Layout(DataLayout::kPixels, 3, true), 3, 2, 12, 2},
      {Layout(DataLayout::kPixels, 4, true), 3, 2, 12, 2},
      {Layout(DataLayout::kPixels, 1, true), 5, 1, 8, 1},
      {Layout(DataLayout::kPairs, 4), 3, 2, 8, 2},
      {Layout(DataLayout::kPairs, 4), 1, 1, 4, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " unit " << c.layout.unitBytes);
    LevelSize s;
    ASSERT_TRUE(ComputeLevelSize(c.layout, c.w, c.h, &s));
    EXPECT_EQ(s.rowPitch, c.pitch);
    EXPECT_EQ(s.rowCount, c.rows);
    EXPECT_EQ(s.bytes, c.pitch * c.rows);
  }
}

TEST(ReaddxtLevelSize, ChainsAndMipDimensions) {
  uint64_t bytes = 0;
  // 8x8 BC1: 4 blocks, then 1 block for 4x4, 2x2 and 1x1.
  ASSERT_TRUE(ComputeChainBytes(Layout(DataLayout::kBlocks, 8), 8, 8, 1, 4, &bytes));
  EXPECT_EQ(bytes, 32u + 8 + 8 + 8);
  // 5x3 RGBA: 5x3, 2x1, 1x1.
  ASSERT_TRUE(ComputeChainBytes(Layout(DataLayout::kPixels, 4), 5, 3, 1, 3, &bytes));
  EXPECT_EQ(bytes, (15u + 2 + 1) * 4);
  // A volume of depth 3: 4x4x3 then 2x2x1.
  ASSERT_TRUE(ComputeChainBytes(Layout(DataLayout::kPixels, 1), 4, 4, 3, 2, &bytes));
  EXPECT_EQ(bytes, 48u + 4);

  EXPECT_EQ(FullMipCount(1, 1), 1u);
  EXPECT_EQ(FullMipCount(4096, 1), 13u);
  EXPECT_EQ(FullMipCount(5, 3), 3u);
  EXPECT_EQ(FullMipCount(3136, 3104), 12u);
  EXPECT_EQ(MipDimension(5, 1), 2u);
  EXPECT_EQ(MipDimension(5, 3), 1u);
  EXPECT_EQ(MipDimension(1, 40), 1u);
}

TEST(ReaddxtLevelSize, OverflowIsReported) {
  LevelSize s;
  EXPECT_FALSE(ComputeLevelSize(Layout(DataLayout::kPixels, 16), 0xFFFFFFFF, 0xFFFFFFFF, &s));
  uint64_t bytes = 0;
  EXPECT_FALSE(
      ComputeChainBytes(Layout(DataLayout::kPixels, 16), 0xFFFFFFFF, 0xFFFFFF, 0xFFFFFFFF, 1, &bytes));
  EXPECT_TRUE(ComputeLevelSize(Layout(DataLayout::kBlocks, 16), 0x0FFFFFFF, 0x0FFFFFFF, &s));
}

}  // namespace
}  // namespace readdxt
