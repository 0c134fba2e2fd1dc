#include "preview/paint_preview_win.h"

#include "preview/preview_layout.h"
#include "toolkit/win/bitmap_gdi_win.h"

namespace preview {

namespace {

// The picture as drawn in the box (shrunk once per picture and box size) and its place;
// null when nothing is drawn.
const Bitmap* PictureInBox(Preview& preview, toolkit::PaintBox& box, PreviewPlacement& at) {
  const TgaImage* image = preview.Shown();
  if (!image) return nullptr;
  const Bitmap& bitmap = image->colorBitmap;
  at = PlacePreview(box.Width(), box.Height(), bitmap.Width(), bitmap.Height());
  if (!at.draw) return nullptr;
  return at.scaled ? &preview.Shrunk(at.width, at.height) : &bitmap;
}

}  // namespace

void PreparePreview(Preview& preview, toolkit::PaintBox& box) {
  PreviewPlacement at;
  PictureInBox(preview, box, at);
}

void PaintPreview(Preview& preview, toolkit::PaintBox& box, toolkit::DeviceContext dc) {
  if (!preview.Shown()) return;
  box.PaintBackground(dc);
  PreviewPlacement at;
  // A copy only, unless the box has changed size since PreparePreview.
  if (const Bitmap* picture = PictureInBox(preview, box, at)) toolkit::DrawPixelsAt(dc, picture->View(), at.x, at.y);
}

}  // namespace preview
