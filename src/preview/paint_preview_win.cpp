#include "preview/paint_preview_win.h"

#include "preview/preview_layout.h"
#include "toolkit/bitmap_gdi_win.h"

namespace preview {

void PaintPreview(const Preview& preview, toolkit::PaintBox& box, toolkit::DeviceContext dc) {
  const TgaImage* image = preview.Shown();
  if (!image) return;
  box.PaintBackground(dc);
  const Bitmap& bitmap = image->ColorBitmap;
  const PreviewPlacement at = PlacePreview(box.Width(), box.Height(), bitmap.Width(), bitmap.Height());
  if (!at.draw) return;
  if (at.scaled)
    toolkit::DrawBitmapShrunk(dc, bitmap, at.x, at.y, at.width, at.height);
  else
    toolkit::DrawBitmapAt(dc, bitmap, at.x, at.y);
}

}  // namespace preview
