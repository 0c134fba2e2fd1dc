// The pixel store of a picture: width x height pixels of 32 bits (blue, green, red and an
// unused fourth byte) in bottom-up rows, with a BITMAPINFO-style header that the GDI side
// passes along unchanged. Platform-free.
#pragma once
#include <cstddef>
#include <cstdint>

#include "toolkit/portable/picture_memory.h"
#include "toolkit/portable/pixel_view.h"

namespace preview {

// Laid out like the platform's BITMAPINFOHEADER.
struct BitmapInfoHeader {
  uint32_t biSize;
  int32_t biWidth;
  int32_t biHeight;  // positive: rows are stored bottom-up
  uint16_t biPlanes;
  uint16_t biBitCount;
  uint32_t biCompression;
  uint32_t biSizeImage;
  int32_t biXPelsPerMeter;
  int32_t biYPelsPerMeter;
  uint32_t biClrUsed;
  uint32_t biClrImportant;
};
static_assert(sizeof(BitmapInfoHeader) == 40, "BitmapInfoHeader must match BITMAPINFOHEADER");

// Largest pixel memory one bitmap may take; larger sizes are refused. A TGA reader holds
// two bitmaps: in a 32-bit process, whose whole address space is 2 GiB, 512 MiB each; in
// a 64-bit one 16384 x 16384, the largest texture the graphics interfaces allow.
constexpr uint64_t kMaxPixelBytes = sizeof(void*) == 4 ? uint64_t{512} << 20 : uint64_t{1} << 30;

class Bitmap {
 public:
  Bitmap() = default;
  Bitmap(const Bitmap&) = delete;
  Bitmap& operator=(const Bitmap&) = delete;

  // Makes the bitmap width x height; empty (true) when either is 0. The pixel memory is
  // kept when it is large enough, so that a picture of the same size costs no new
  // memory; `black` clears the pixels, otherwise they hold whatever they held (for callers
  // that write every pixel). False, leaving the bitmap empty, for a negative size, one
  // above kMaxPixelBytes, or memory that cannot be had.
  bool Create(int32_t width, int32_t height, bool black = true);
  // Empties the bitmap and releases its memory.
  void Reset();

  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  bool IsEmpty() const { return width_ == 0 || height_ == 0; }
  uint32_t RowSize() const { return static_cast<uint32_t>(width_) * 4; }
  size_t PixelBytes() const { return static_cast<size_t>(RowSize()) * static_cast<size_t>(height_); }

  // First byte of picture row y (0 is the top row); no range check; nullptr when empty.
  const uint8_t* RowPointer(int32_t y) const { return RowAt(y); }
  uint8_t* RowPointer(int32_t y) {
    Touch();
    return RowAt(y);
  }
  const uint8_t* Pixels() const { return IsEmpty() ? nullptr : pixels_.Get(); }
  toolkit::PixelView View() const { return {Pixels(), width_, height_}; }
  const BitmapInfoHeader* Header() const { return IsEmpty() ? nullptr : &header_; }
  // Changes with every Create, Reset and mutable pixel access, and never repeats within
  // the process (single thread): a cache made from this picture is still valid as long as
  // the version is the same.
  uint64_t Version() const { return version_; }

 private:
  uint8_t* RowAt(int32_t y) const {
    if (IsEmpty()) return nullptr;
    return pixels_.Get() + static_cast<size_t>(RowSize()) * static_cast<size_t>(height_ - 1 - y);
  }
  void Touch();

  int32_t width_ = 0;
  int32_t height_ = 0;
  BitmapInfoHeader header_{};
  toolkit::PictureMemory pixels_;
  size_t capacity_ = 0;
  size_t blackBytes_ = 0;  // leading bytes of the memory known to be 0: no clearing needed
  uint64_t version_ = 0;
};

}  // namespace preview
