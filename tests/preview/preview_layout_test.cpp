#include "preview/preview_layout.h"

#include <gtest/gtest.h>

#include <tuple>

namespace preview {
namespace {

TEST(PlacePreview, Layouts) {
  // clang-format off
  const struct { int boxW, boxH, imageW, imageH; bool draw, scaled; int x, y, width, height; } cases[] = {
      {400, 300, 400, 300, true, false, 0, 0, 400, 300},  // exactly the box: fits
      {401, 300, 128, 128, true, false, 136, 86, 128, 128},  // not enlarged; odd leftover: more right
      {400, 300, 512, 256, true, true, 0, 50, 400, 200},
      {400, 300, 256, 512, true, true, 125, 0, 150, 300},
      {300, 200, 700, 233, true, true, 0, 50, 300, 99},  // truncated, never rounded up
      {400, 300, 400, 301, true, true, 1, 0, 398, 300},  // fits in width only
      {400, 300, 65535, 1, true, true, 0, 149, 400, 1},  // would shrink to nothing: one pixel
      {100, 100, 1, 16384, true, true, 49, 0, 1, 100},
      {400, 300, 2147483647, 1073741824, true, true, 0, 50, 400, 200},  // 64-bit products
      {2147483647, 2147483647, 3, 2147483647, true, false, 1073741822, 0, 3, 2147483647},
      {400, 300, 0, 0, false, false, 0, 0, 0, 0},  // the ratios would divide by zero
      {400, -5, 10, 10, false, false, 0, 0, 0, 0},
  };
  // clang-format on
  for (const auto& c : cases) {
    const PreviewPlacement p = PlacePreview(c.boxW, c.boxH, c.imageW, c.imageH);
    SCOPED_TRACE(testing::Message() << c.boxW << "x" << c.boxH << " / " << c.imageW << "x" << c.imageH);
    EXPECT_EQ(p.draw, c.draw);
    if (!c.draw) continue;  // nothing but the background: the rest is not used
    EXPECT_EQ(std::tuple(p.scaled, p.x, p.y, p.width, p.height),
              std::tuple(c.scaled, c.x, c.y, c.width, c.height));
  }
}

}  // namespace
}  // namespace preview
