// Layout of the preview picture: fit, shrink, centre.
#include "preview/preview_layout.h"

#include <algorithm>
#include <cstdint>

namespace preview {

PreviewPlacement PlacePreview(int boxW, int boxH, int imageW, int imageH) {
  PreviewPlacement p;
  // Without these the ratios below would divide by zero; there is nothing to draw anyway.
  if (boxW <= 0 || boxH <= 0 || imageW <= 0 || imageH <= 0) return p;
  if (boxW >= imageW && boxH >= imageH) {
    p.width = imageW;
    p.height = imageH;
  } else {
    p.scaled = true;
    // Ratios compared as floating-point quotients; the sizes computed in 64 bits and
    // truncated, so that no picture size overflows and no pixel is rounded up; a very
    // thin picture keeps one pixel across.
    const double imageRatio = static_cast<double>(imageW) / imageH;
    const double boxRatio = static_cast<double>(boxW) / boxH;
    if (imageRatio > boxRatio) {
      p.width = boxW;
      p.height = static_cast<int>(std::max<int64_t>(1, static_cast<int64_t>(imageH) * boxW / imageW));
    } else {
      p.height = boxH;
      p.width = static_cast<int>(std::max<int64_t>(1, static_cast<int64_t>(imageW) * boxH / imageH));
    }
  }
  // The leftover space may be odd: the extra pixel goes to the right or bottom.
  p.x = (boxW - p.width) / 2;
  p.y = (boxH - p.height) / 2;
  p.draw = true;
  return p;
}

}  // namespace preview
