// Painting the preview pane: the picture centred, shrunk to fit when it is larger than the
// pane, never enlarged.
#pragma once
#include "preview/preview.h"
#include "toolkit/win/controls_win.h"

namespace preview {

// Makes what the next paint draws (the shrink of a new picture), so that the paint itself
// only copies it; called with the pane's invalidation.
void PreparePreview(Preview& preview, toolkit::PaintBox& box);
void PaintPreview(Preview& preview, toolkit::PaintBox& box, toolkit::DeviceContext dc);

}  // namespace preview
