#include <windows.h>

#include "toolkit/win/bitmap_gdi_win.h"

namespace toolkit {

bool DrawPixelsAt(DeviceContext dc, const PixelView& picture, int x, int y) {
  if (!picture.pixels || picture.width <= 0 || picture.height <= 0) return false;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = picture.width;
  info.bmiHeader.biHeight = picture.height;  // positive: bottom-up rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return SetDIBitsToDevice(static_cast<HDC>(dc), x, y, picture.width, picture.height, 0, 0, 0, picture.height,
                           picture.pixels, &info, DIB_RGB_COLORS) != 0;
}

}  // namespace toolkit
