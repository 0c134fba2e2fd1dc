// The preview pane: the texture centred, shrunk with halftone filtering when it is larger
// than the pane, never enlarged.
#include "app/handlers.h"
#include "app/main_form.h"
#include "preview/preview_layout.h"
#include "preview/tga_image.h"
#include "toolkit/bitmap_gdi.h"

void PaintPreview(MainForm& form, toolkit::DeviceContext dc) {
  if (form.textures.CurrentIndex == -1 || !form.PreviewImage) return;
  toolkit::PaintBox& box = *form.PreviewBox;
  box.PaintBackground(dc);
  const preview::Bitmap& bitmap = form.PreviewImage->ColorBitmap;
  const preview::PreviewPlacement at = preview::PlacePreview(box.Width(), box.Height(), bitmap.Width(), bitmap.Height());
  if (!at.draw) return;
  if (at.scaled) toolkit::DrawBitmapShrunk(dc, bitmap, at.x, at.y, at.width, at.height);
  else toolkit::DrawBitmapAt(dc, bitmap, at.x, at.y);
}
