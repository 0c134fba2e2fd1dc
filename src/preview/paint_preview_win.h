// Painting the preview pane: the picture centred, shrunk to fit when it is larger than the
// pane, never enlarged.
#pragma once
#include "preview/preview.h"
#include "toolkit/controls_win.h"

namespace preview {

void PaintPreview(Preview& preview, toolkit::PaintBox& box, toolkit::DeviceContext dc);

}  // namespace preview
