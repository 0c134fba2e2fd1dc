#include "preview/paint_preview_win.h"

#include "preview/preview_layout.h"
#include "toolkit/bitmap_gdi_win.h"

namespace preview {

void PaintPreview(Preview& preview, toolkit::PaintBox& box, toolkit::DeviceContext dc) {
  const TgaImage* image = preview.Shown();
  if (!image) return;
  box.PaintBackground(dc);
  const Bitmap& bitmap = image->ColorBitmap;
  const PreviewPlacement at = PlacePreview(box.Width(), box.Height(), bitmap.Width(), bitmap.Height());
  if (!at.draw) return;
  // Shrunk once per picture and pane size, then only copied on every repaint.
  toolkit::DrawBitmapAt(dc, at.scaled ? preview.Shrunk(at.width, at.height) : bitmap, at.x, at.y);
}

}  // namespace preview
