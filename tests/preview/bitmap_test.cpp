#include "preview/bitmap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

namespace preview {
namespace {

bool AllBlack(const Bitmap& b) {
  return std::all_of(b.Pixels(), b.Pixels() + b.PixelBytes(), [](uint8_t v) { return v == 0; });
}

TEST(BitmapTest, RowsAreBottomUpMemoryIsReusedWhenThePictureFitsAndVersionsChange) {
  Bitmap b;
  ASSERT_TRUE(b.Create(3, 4));
  EXPECT_EQ(b.RowPointer(0), b.Pixels() + 3 * 12);
  EXPECT_EQ(b.RowPointer(3), b.Pixels());
  EXPECT_EQ(b.Header()->biHeight, 4);  // positive: bottom-up for the GDI side
  EXPECT_TRUE(AllBlack(b));
  const uint8_t* memory = b.Pixels();
  b.RowPointer(0)[0] = 7;
  ASSERT_TRUE(b.Create(3, 4, false));  // kept as it was
  EXPECT_EQ(b.RowPointer(0)[0], 7);
  ASSERT_TRUE(b.Create(2, 2));  // smaller: same memory, black
  EXPECT_TRUE(b.Pixels() == memory && AllBlack(b));
  b.RowPointer(1)[4] = 9;  // a byte past a 1 x 1 picture's
  ASSERT_TRUE(b.Create(1, 1));
  ASSERT_TRUE(b.Create(4, 3));  // black again up to the end, with the same memory
  EXPECT_TRUE(b.Pixels() == memory && AllBlack(b));
  // Caches of a picture rely on its version: new whenever the pixels may have changed.
  Bitmap other;
  ASSERT_TRUE(other.Create(2, 2));
  uint64_t last = other.Version();
  static_cast<const Bitmap&>(b).RowPointer(0);
  EXPECT_LT(b.Version(), last);  // reading changes nothing
  for (int step = 0; step < 3; ++step) {
    step == 0 ? void(b.RowPointer(0)) : step == 1 ? void(b.Create(2, 2)) : b.Reset();
    EXPECT_GT(b.Version(), last) << step;
    last = b.Version();
  }
}

TEST(BitmapTest, EmptyAndRefusedSizes) {
  const bool wide = sizeof(void*) == 8;  // a 64-bit program holds up to 16384 x 16384
  const std::tuple<int32_t, int32_t, bool> cases[] = {
      {0, 5, true},          {5, 0, true},           {-1, 5, false},        {5, -1, false},
      {65535, 65535, false}, {0x7FFFFFFF, 1, false}, {16384, 8193, wide},   {16384, 16384, wide},
      {16384, 16385, false}};
  for (auto [w, h, ok] : cases) {
    Bitmap b;
    ASSERT_TRUE(b.Create(2, 2));
    EXPECT_EQ(b.Create(w, h), ok) << w << "x" << h;
    const bool empty = w <= 0 || h <= 0 || !ok;
    EXPECT_TRUE(b.IsEmpty() == empty && (b.Pixels() == nullptr) == empty) << w << "x" << h;
  }
}

// A picture of more than 32 MiB, which the Windows programs hold in several pieces of
// memory side by side, keeps what was written to each row.
TEST(BitmapTest, LargePictureKeepsEveryRow) {
  Bitmap b;
  ASSERT_TRUE(b.Create(4096, 2100, false));
  for (int32_t y = 0; y < b.Height(); ++y) {
    uint8_t* row = b.RowPointer(y);
    for (int32_t x = 0; x < b.Width(); x += 1365) row[4 * x] = uint8_t(y + x), row[4 * x + 3] = uint8_t(y >> 8);
  }
  int wrong = 0;
  const Bitmap& view = b;
  for (int32_t y = 0; y < view.Height(); ++y) {
    const uint8_t* row = view.RowPointer(y);
    for (int32_t x = 0; x < view.Width(); x += 1365) wrong += row[4 * x] != uint8_t(y + x) || row[4 * x + 3] != uint8_t(y >> 8);
  }
  EXPECT_EQ(wrong, 0);
  EXPECT_EQ(view.RowPointer(0) - view.RowPointer(view.Height() - 1), ptrdiff_t{4096} * 4 * 2099);
}

}  // namespace
}  // namespace preview
