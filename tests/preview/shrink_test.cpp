#include "preview/shrink.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
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

// Large pictures, which are shrunk by two threads, against the area average worked out
// pixel by pixel: every target row, odd row counts included.
TEST(ShrinkTest, LargePicturesMatchTheAreaAverageOnEveryRow) {
  const int32_t sizes[][4] = {{1031, 1029, 37, 29}, {2048, 1024, 800, 401}};
  for (const auto& size : sizes) {
    const int32_t sw = size[0], sh = size[1], tw = size[2], th = size[3];
    Bitmap from, target;
    ASSERT_TRUE(from.Create(sw, sh, false));
    uint32_t seed = 12345;
    for (int32_t y = 0; y < sh; ++y) {
      uint8_t* row = from.RowPointer(y);
      for (int32_t i = 0; i < 4 * sw; ++i) row[i] = uint8_t((seed = seed * 1103515245 + 12345) >> 24);
    }
    ASSERT_TRUE(Shrink(from, tw, th, target));
    // Target pixel t of n covers [t * N, (t + 1) * N) of a side in units of 1 / (n * N);
    // source pixel s covers [s * n, (s + 1) * n).
    const auto overlap = [](int64_t t, int64_t n, int64_t s, int64_t sourceN) {
      return std::max<int64_t>(0, std::min((t + 1) * sourceN, (s + 1) * n) - std::max(t * sourceN, s * n));
    };
    const int64_t area = int64_t{sw} * sh;
    int wrong = 0;
    for (int32_t ty = 0; ty < th; ++ty) {
      for (int32_t tx = 0; tx < tw; ++tx) {
        int64_t sums[3] = {0, 0, 0};
        for (int32_t sy = ty * sh / th; sy <= ((ty + 1) * int64_t{sh} - 1) / th; ++sy) {
          for (int32_t sx = int32_t(tx * int64_t{sw} / tw); sx <= ((tx + 1) * int64_t{sw} - 1) / tw; ++sx) {
            const int64_t weight = overlap(tx, tw, sx, sw) * overlap(ty, th, sy, sh);
            for (int c = 0; c < 3; ++c) sums[c] += weight * from.RowPointer(sy)[4 * sx + c];
          }
        }
        for (int c = 0; c < 3; ++c)
          wrong += target.RowPointer(ty)[4 * tx + c] != (sums[c] + area / 2) / area;
      }
    }
    EXPECT_EQ(wrong, 0) << sw << " x " << sh << " to " << tw << " x " << th;
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
