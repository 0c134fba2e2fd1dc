// Drawing a picture on a device context, straight from its memory.
#pragma once
#include "toolkit/portable/pixel_view.h"
#include "toolkit/win/control_win.h"

namespace toolkit {

// Copies the whole picture unscaled with its top-left corner at (x, y): the repaint of a
// picture that fits the pane, or of one already shrunk (preview::ShrinkCache). False,
// nothing drawn, for an empty picture.
bool DrawPixelsAt(DeviceContext dc, const PixelView& picture, int x, int y);

}  // namespace toolkit
