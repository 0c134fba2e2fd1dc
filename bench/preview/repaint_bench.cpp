// Repaint of a shown, shrunk picture under Wine: the old halftone shrink on every repaint
// beside the cached shrink blitted unscaled (ShrinkCache + DrawPixelsAt), drawn into a
// window; plus the one-time downscale, which is part of the click-to-picture time, the old
// way (across first, 64-bit quotients) beside the new.
// Run: scripts/bench-repaint.sh
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "preview/bitmap.h"
#include "preview/preview_layout.h"
#include "preview/shrink.h"
#include "toolkit/win/bitmap_gdi_win.h"

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

// The old downscale: each source row shrunk across first, in scalar code, and the rounded
// quotients in 64-bit integers (kept here so that it can go from the program).
struct OldTaps {
  uint32_t first, last, firstWeight, lastWeight;
};

OldTaps OldTapsOf(uint64_t t, uint64_t n, uint64_t sourceN) {
  const uint64_t lo = t * sourceN, hi = (t + 1) * sourceN;
  const uint64_t first = lo / n, last = (hi - 1) / n;
  const uint64_t firstEnd = std::min(hi, (first + 1) * n);
  return {static_cast<uint32_t>(first), static_cast<uint32_t>(last), static_cast<uint32_t>(firstEnd - lo),
          static_cast<uint32_t>(hi - std::max(lo, last * n))};
}

uint8_t OldQuotient(uint64_t s, uint64_t a, double inverse) {
  const uint64_t num = s + a / 2;
  uint32_t q = static_cast<uint32_t>(static_cast<double>(num) * inverse);
  if (q > 0 && uint64_t{q} * a > num) --q;
  if (uint64_t{q + 1} * a <= num) ++q;
  return static_cast<uint8_t>(q);
}

void OldShrink(const preview::Bitmap& source, int32_t width, int32_t height, preview::Bitmap& target) {
  target.Create(width, height, false);
  std::vector<OldTaps> cols;
  for (int32_t tx = 0; tx < width; ++tx) cols.push_back(OldTapsOf(tx, width, source.Width()));
  const size_t w = cols.size();
  std::vector<uint32_t> across(3 * w), sums(3 * w);
  const uint64_t sh = source.Height(), area = uint64_t(source.Width()) * sh;
  const double inverse = 1.0 / static_cast<double>(area);
  uint32_t acrossRow = UINT32_MAX;
  for (int32_t ty = 0; ty < height; ++ty) {
    std::fill(sums.begin(), sums.end(), 0u);
    const OldTaps rows = OldTapsOf(ty, height, sh);
    for (uint32_t sy = rows.first; sy <= rows.last; ++sy) {
      const uint8_t* src = source.RowPointer(static_cast<int32_t>(sy));
      for (size_t tx = 0; tx < w && sy != acrossRow; ++tx) {
        const OldTaps& c = cols[tx];
        const uint8_t* p = src + size_t{4} * c.first;
        uint32_t b = c.firstWeight * p[0], g = c.firstWeight * p[1], r = c.firstWeight * p[2];
        if (c.last > c.first) {
          uint32_t wb = 0, wg = 0, wr = 0;
          for (p += 4; p < src + size_t{4} * c.last; p += 4) {
            wb += p[0];
            wg += p[1];
            wr += p[2];
          }
          b += uint32_t(width) * wb + c.lastWeight * p[0];
          g += uint32_t(width) * wg + c.lastWeight * p[1];
          r += uint32_t(width) * wr + c.lastWeight * p[2];
        }
        across[3 * tx] = b;
        across[3 * tx + 1] = g;
        across[3 * tx + 2] = r;
      }
      acrossRow = sy;
      const uint32_t wy = sy == rows.first ? rows.firstWeight : sy == rows.last ? rows.lastWeight : height;
      for (size_t i = 0; i < 3 * w; ++i) sums[i] += wy * across[i];
    }
    uint8_t* out = target.RowPointer(ty);
    for (size_t tx = 0; tx < w; ++tx, out += 4) {
      for (int ch = 0; ch < 3; ++ch) out[ch] = OldQuotient(sums[3 * tx + ch], area, inverse);
      out[3] = 0;
    }
  }
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
    preview::Bitmap shrunk, oldShrunk;
    const double downscale = MedianMs(dc, 5, [&] { preview::Shrink(picture, at.width, at.height, shrunk); });
    const double oldDownscale = MedianMs(dc, 5, [&] { OldShrink(picture, at.width, at.height, oldShrunk); });
    const bool same = shrunk.PixelBytes() == oldShrunk.PixelBytes() &&
                      std::equal(shrunk.Pixels(), shrunk.Pixels() + shrunk.PixelBytes(), oldShrunk.Pixels());
    preview::ShrinkCache cache;
    cache.Get(picture, at.width, at.height);
    bool drawn = true;
    const double repaint = MedianMs(dc, 30, [&] {
      drawn = toolkit::DrawPixelsAt(target, cache.Get(picture, at.width, at.height).View(), at.x, at.y) && drawn;
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
    std::printf("    old: one-time downscale (per picture)  %8.1f\n", oldDownscale);
    std::printf("    new: one-time downscale (per picture)  %8.1f   (%s)\n", downscale,
                same ? "same pixels" : "PIXELS DIFFER");
    std::printf("result: downscale_%d_ms %.1f\n", size, downscale);
    if (size == 4096) repaint4096 = repaint;
  }
  std::printf("result: repaint_ms %.2f\n", repaint4096);
  ReleaseDC(window, dc);
  DestroyWindow(window);
  return 0;
}
