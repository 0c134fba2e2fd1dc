#include "preview/shrink.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace preview {
namespace {

using Grid = std::vector<std::vector<int>>;  // grey values, top row first

void Fill(Bitmap& b, const Grid& g) {
  ASSERT_TRUE(b.Create(static_cast<int32_t>(g[0].size()), static_cast<int32_t>(g.size())));
  for (size_t y = 0; y < g.size(); ++y)
    for (size_t x = 0; x < g[0].size(); ++x)  // blue and green v, red 0
      for (int c = 0; c < 2; ++c) b.RowPointer(int32_t(y))[4 * x + c] = uint8_t(g[y][x]);
}

// Blue and green as one grey value; -1 where they differ or red or the fourth byte is set.
Grid Read(const Bitmap& b) {
  Grid g(b.Height());
  for (int32_t y = 0; y < b.Height(); ++y)
    for (const uint8_t* p = b.RowPointer(y); g[y].size() < size_t(b.Width()); p += 4)
      g[y].push_back(p[1] == p[0] && (p[2] | p[3]) == 0 ? p[0] : -1);
  return g;
}

// Each target pixel: the area-weighted mean, rounded to nearest.
TEST(ShrinkTest, ExactAreaAverages) {
  const std::pair<Grid, Grid> cases[] = {
      {{{0, 1}, {0, 1}}, {{1}}},                     // rounding .5 up
      {{{0, 90, 255}}, {{30, 200}}},                 // thirds: (2*0 + 90)/3, (90 + 2*255)/3
      {{{10, 20, 30, 40, 50}}, {{14, 30, 46}}},      // 5 to 3
      {{{0, 10, 20, 30, 40, 50, 60, 70}}, {{9, 35, 61}}},  // 8 to 3: 70/8, 280/8, 490/8
      {{{0}, {30}, {60}, {90}}, {{8}, {45}, {83}}},  // 1-pixel-wide strip
      {{{0, 0, 255}, {0, 0, 255}, {90, 90, 90}}, {{0, 170}, {60, 117}}},  // both ways
      {{{1, 2}, {3, 4}}, {{1, 2}, {3, 4}}},                               // the target size: unchanged
  };
  for (const auto& [source, expected] : cases) {
    Bitmap from, target;
    Fill(from, source);
    ASSERT_TRUE(Shrink(from, int32_t(expected[0].size()), int32_t(expected.size()), target));
    EXPECT_EQ(Read(target), expected);
  }
}

TEST(ShrinkTest, CacheIsReusedUntilThePictureOrTheSizeChanges) {
  Bitmap picture, other;
  Fill(picture, {{0, 255}, {0, 255}});
  Fill(other, {{0, 255}, {0, 255}});
  ShrinkCache cache;
  EXPECT_EQ(Read(cache.Get(picture, 1, 1)), Grid{{128}});
  cache.Get(picture, 1, 1);  // repaint
  EXPECT_EQ(cache.Builds(), 1u);
  Fill(picture, {{255, 255}, {255, 255}});  // a new load into the same bitmap
  EXPECT_EQ(Read(cache.Get(picture, 1, 1)), Grid{{255}});
  cache.Get(picture, 1, 2);  // new pane size
  cache.Get(other, 1, 2);    // another picture
  EXPECT_EQ(cache.Builds(), 4u);
  EXPECT_TRUE(cache.Get(picture, 0, 1).IsEmpty());  // a size Shrink refuses
}

}  // namespace
}  // namespace preview
