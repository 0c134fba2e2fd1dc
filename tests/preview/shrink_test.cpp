#include "preview/shrink.h"

#include <gtest/gtest.h>

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

// Each target pixel: the area-weighted mean, rounded to nearest.
TEST(ShrinkTest, ExactAreaAverages) {
  const struct {
    const char* name;
    Grid source, expected;
  } cases[] = {
      {"2x2 to 1x1, rounding .5 up", {{0, 1}, {0, 1}}, {{1}}},
      {"3 to 2: thirds", {{0, 90, 255}}, {{30, 200}}},  // (2*0 + 90)/3, (90 + 2*255)/3
      {"5 to 3, odd", {{10, 20, 30, 40, 50}}, {{14, 30, 46}}},
      {"1-pixel-wide strip, 4 to 3", {{0}, {30}, {60}, {90}}, {{8}, {45}, {83}}},
      {"both ways, 3x3 to 2x2", {{0, 0, 255}, {0, 0, 255}, {90, 90, 90}}, {{0, 170}, {60, 117}}},
      {"the target size: unchanged", {{1, 2}, {3, 4}}, {{1, 2}, {3, 4}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Bitmap source, target;
    Fill(source, c.source);
    ASSERT_TRUE(Shrink(source, int32_t(c.expected[0].size()), int32_t(c.expected.size()), target));
    Grid blue(c.expected.size());
    for (size_t y = 0; y < c.expected.size(); ++y)
      for (size_t x = 0; x < c.expected[0].size(); ++x) {
        const uint8_t* p = target.RowPointer(int32_t(y)) + 4 * x;
        blue[y].push_back(p[0]);
        EXPECT_EQ(p[1], p[0]);
        EXPECT_EQ(p[2] | p[3], 0);
      }
    EXPECT_EQ(blue, c.expected);
  }
}

TEST(ShrinkTest, CacheIsReusedUntilThePictureOrTheSizeChanges) {
  Bitmap picture, other;
  Fill(picture, {{0, 255}, {0, 255}});
  Fill(other, {{0, 255}, {0, 255}});
  ShrinkCache cache;
  EXPECT_EQ(cache.Get(picture, 1, 1).RowPointer(0)[0], 128);
  cache.Get(picture, 1, 1);  // repaint
  EXPECT_EQ(cache.Builds(), 1u);
  Fill(picture, {{255, 255}, {255, 255}});  // a new load into the same bitmap
  EXPECT_EQ(cache.Get(picture, 1, 1).RowPointer(0)[0], 255);
  cache.Get(picture, 1, 2);  // new pane size
  cache.Get(other, 1, 2);    // another picture
  EXPECT_EQ(cache.Builds(), 4u);
  EXPECT_TRUE(cache.Get(picture, 0, 1).IsEmpty());  // a size Shrink refuses
}

}  // namespace
}  // namespace preview
