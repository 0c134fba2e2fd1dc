// Drawing a pixel store on a device context, straight from its memory.
#pragma once
#include "toolkit/win/control_win.h"

namespace preview {
class Bitmap;
}

namespace toolkit {

// Copies the whole bitmap unscaled with its top-left corner at (x, y): the repaint of a
// picture that fits the pane, or of one already shrunk (preview::ShrinkCache). False,
// nothing drawn, for an empty bitmap.
bool DrawBitmapAt(DeviceContext dc, const preview::Bitmap& bitmap, int x, int y);

}  // namespace toolkit
