#include <windows.h>

#include "preview/bitmap.h"
#include "toolkit/bitmap_gdi.h"
#include "toolkit/handles_win.h"

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

bool DrawBitmapShrunk(DeviceContext dc, const preview::Bitmap& bitmap, int x, int y, int width, int height) {
  if (!Drawable(bitmap) || width <= 0 || height <= 0) return false;
  HDC target = static_cast<HDC>(dc);
  GdiObject shrunk(CreateCompatibleBitmap(target, width, height));
  MemoryDc mem(CreateCompatibleDC(target));
  if (!shrunk || !mem) return false;
  {
    SelectedObject sel(mem.Get(), shrunk.Get());
    SetStretchBltMode(mem.Get(), HALFTONE);
    SetBrushOrgEx(mem.Get(), 0, 0, nullptr);
    if (!StretchDIBits(mem.Get(), 0, 0, width, height, 0, 0, bitmap.Width(), bitmap.Height(), bitmap.Pixels(),
                       InfoOf(bitmap), DIB_RGB_COLORS, SRCCOPY))
      return false;
    BitBlt(target, x, y, width, height, mem.Get(), 0, 0, SRCCOPY);
  }
  return true;
}

}  // namespace toolkit
