// Drawing a pixel store on a device context. Nothing is cached: the pixels are drawn
// straight from their memory.
#pragma once
#include "toolkit/control_win.h"

namespace preview {
class Bitmap;
}

namespace toolkit {

// Copies the whole bitmap unscaled with its top-left corner at (x, y). Nothing for an
// empty bitmap.
bool DrawBitmapAt(DeviceContext dc, const preview::Bitmap& bitmap, int x, int y);
// Shrinks the bitmap with halftone filtering into a temporary screen-compatible bitmap
// of width x height and copies that to (x, y) in one go. False (nothing drawn) when the
// temporary bitmap cannot be made.
bool DrawBitmapShrunk(DeviceContext dc, const preview::Bitmap& bitmap, int x, int y, int width, int height);

}  // namespace toolkit
