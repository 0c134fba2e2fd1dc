// Where and how large the preview picture is drawn in its box.
#pragma once

namespace preview {

struct PreviewPlacement {
  bool draw = false;    // false: paint only the background
  bool scaled = false;  // true: shrink the picture to width x height before drawing
  int x = 0, y = 0, width = 0, height = 0;
};

// A picture that fits the box (equality included) is drawn at its own size, centred; a
// larger one is shrunk keeping its aspect ratio, never enlarged, and never below one pixel
// either way. Empty pictures and empty boxes are not drawn.
PreviewPlacement PlacePreview(int boxW, int boxH, int imageW, int imageH);

}  // namespace preview
