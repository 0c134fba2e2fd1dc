// Repaint of a shown, shrunk picture under Wine: the old halftone shrink on every repaint
// beside the cached shrink blitted unscaled (ShrinkCache + DrawBitmapAt), drawn into a
// window; plus the one-time downscale, which is part of the click-to-picture time.
// Run: scripts/bench-repaint.sh
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "preview/bitmap.h"
#include "preview/preview_layout.h"
#include "preview/shrink.h"
#include "toolkit/bitmap_gdi_win.h"

namespace {

using Clock = std::chrono::steady_clock;

// Each draw ends with one pixel read back from the window, so that drawing the X server
// does after the call is counted too.
template <typename F>
double MedianMs(HDC dc, int runs, F&& f) {
  std::vector<double> ms;
  for (int i = 0; i < runs; ++i) {
    const auto t0 = Clock::now();
    f();
    GdiFlush();
    GetPixel(dc, 1, 1);
    ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
  }
  std::sort(ms.begin(), ms.end());
  return ms[ms.size() / 2];
}

// A texture-like picture: gradients with fine noise, so that filtering has work to do.
void MakePicture(preview::Bitmap& b, int size) {
  b.Create(size, size, false);
  uint32_t seed = 7;
  for (int y = 0; y < size; ++y) {
    uint8_t* row = b.RowPointer(y);
    for (int x = 0; x < size; ++x) {
      seed = seed * 1664525u + 1013904223u;
      row[4 * x] = static_cast<uint8_t>(x * 255 / size);
      row[4 * x + 1] = static_cast<uint8_t>(y * 255 / size);
      row[4 * x + 2] = static_cast<uint8_t>(seed >> 24);
      row[4 * x + 3] = 0;
    }
  }
}

// The old paint: halftone shrink into a temporary screen-compatible bitmap, then one copy
// to the window, on every repaint (kept here so that it can go from the program).
void DrawHalftone(HDC dc, const preview::Bitmap& b, int x, int y, int w, int h) {
  HBITMAP shrunk = CreateCompatibleBitmap(dc, w, h);
  HDC mem = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(mem, shrunk);
  SetStretchBltMode(mem, HALFTONE);
  SetBrushOrgEx(mem, 0, 0, nullptr);
  StretchDIBits(mem, 0, 0, w, h, 0, 0, b.Width(), b.Height(), b.Pixels(),
                reinterpret_cast<const BITMAPINFO*>(b.Header()), DIB_RGB_COLORS, SRCCOPY);
  BitBlt(dc, x, y, w, h, mem, 0, 0, SRCCOPY);
  SelectObject(mem, old);
  DeleteDC(mem);
  DeleteObject(shrunk);
}

}  // namespace

int main() {
  const int paneW = 780, paneH = 600;
  WNDCLASSA wc = {};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "RepaintBench";
  RegisterClassA(&wc);
  HWND window = CreateWindowA("RepaintBench", "repaint", WS_POPUP | WS_VISIBLE, 0, 0, paneW, paneH, nullptr,
                              nullptr, wc.hInstance, nullptr);
  if (!window) return 1;
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  HDC dc = GetDC(window);
  toolkit::DeviceContext target = dc;

  std::printf("repaint of a shown picture in a %d x %d pane under Wine, median (ms):\n", paneW, paneH);
  double repaint4096 = 0;
  for (int size : {2048, 4096}) {
    preview::Bitmap picture;
    MakePicture(picture, size);
    const preview::PreviewPlacement at = preview::PlacePreview(paneW, paneH, size, size);
    const double halftone =
        MedianMs(dc, 5, [&] { DrawHalftone(dc, picture, at.x, at.y, at.width, at.height); });
    preview::Bitmap shrunk;
    const double downscale = MedianMs(dc, 5, [&] { preview::Shrink(picture, at.width, at.height, shrunk); });
    preview::ShrinkCache cache;
    cache.Get(picture, at.width, at.height);
    bool drawn = true;
    const double repaint = MedianMs(dc, 30, [&] {
      drawn = toolkit::DrawBitmapAt(target, cache.Get(picture, at.width, at.height), at.x, at.y) && drawn;
    });
    // One pixel read back: the picture really reached the window.
    const uint8_t* mid =
        cache.Get(picture, at.width, at.height).RowPointer(at.height / 2) + 4 * (at.width / 2);
    drawn = drawn && GetPixel(dc, at.x + at.width / 2, at.y + at.height / 2) == RGB(mid[2], mid[1], mid[0]);
    std::printf("  %d x %d into %d x %d:\n", size, size, at.width, at.height);
    std::printf("    old: halftone shrink on every repaint  %8.1f\n", halftone);
    std::printf("    new: repaint, cached shrink blitted    %8.2f   (%.0fx faster; %llu shrink%s)\n", repaint,
                halftone / repaint, static_cast<unsigned long long>(cache.Builds()),
                drawn ? "" : "; NOT DRAWN");
    std::printf("    new: one-time downscale (per picture)  %8.1f\n", downscale);
    std::printf("result: downscale_%d_ms %.1f\n", size, downscale);
    if (size == 4096) repaint4096 = repaint;
  }
  std::printf("result: repaint_ms %.2f\n", repaint4096);
  ReleaseDC(window, dc);
  DestroyWindow(window);
  return 0;
}
