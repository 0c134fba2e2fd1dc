#include <windows.h>

#include "preview/bitmap.h"
#include "toolkit/win/bitmap_gdi_win.h"

namespace toolkit {

namespace {

const BITMAPINFO* InfoOf(const preview::Bitmap& bitmap) {
  return reinterpret_cast<const BITMAPINFO*>(bitmap.Header());
}

bool Drawable(const preview::Bitmap& bitmap) { return !bitmap.IsEmpty(); }

}  // namespace

bool DrawBitmapAt(DeviceContext dc, const preview::Bitmap& bitmap, int x, int y) {
  if (!Drawable(bitmap)) return false;
  const int w = bitmap.Width(), h = bitmap.Height();
  return SetDIBitsToDevice(static_cast<HDC>(dc), x, y, w, h, 0, 0, 0, h, bitmap.Pixels(), InfoOf(bitmap),
                           DIB_RGB_COLORS) != 0;
}

}  // namespace toolkit
