// The pixel store of a picture: size, format, a BITMAPINFO-style header block and
// device-independent pixel memory with bottom-up rows. Platform-free; the GDI side
// (DIB section, drawing surface) builds on it through Header(), Pixels() and Attachment().
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace preview {

enum BitmapFormat : uint8_t {
  FormatDevice,  // no device-independent pixels (size only, or the GDI side's own storage)
  Format1,
  Format4,
  Format8,
  Format15,  // 16 bits, 5-5-5
  Format16,  // 16 bits, 5-6-5 through bit-field masks
  Format24,
  Format32,  // blue, green, red and an unused fourth byte
  FormatCustom,
};

// Laid out like the platform's BITMAPINFOHEADER, so that the GDI side can pass the
// header block as a BITMAPINFO.
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

struct BitmapHeaderBlock {
  BitmapInfoHeader header;
  uint32_t colors[256];  // colour entries, or the three masks of Format16
};
static_assert(sizeof(BitmapHeaderBlock) == 1064, "header block: 40-byte header and 256 entries");

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiBitfields = 3;
// Largest pixel memory one bitmap may take; larger sizes are refused. A 32-bit process
// has 2 GiB of address space and a TGA reader holds two bitmaps.
constexpr uint64_t kMaxPixelBytes = uint64_t{512} << 20;

// What the GDI side keeps per bitmap (DIB section, memory DC). Dropped whenever the
// storage changes and on Reset.
struct BitmapAttachment {
  virtual ~BitmapAttachment() = default;
};

class Bitmap {
 public:
  Bitmap() = default;
  ~Bitmap();
  Bitmap(const Bitmap&) = delete;
  Bitmap& operator=(const Bitmap&) = delete;

  // Replaces the bitmap by one of width x height with no pixel memory yet (FormatDevice);
  // empty when either is 0. False, leaving the bitmap empty, for a negative size or one
  // whose 32-bit pixels would exceed kMaxPixelBytes.
  bool MakeBitmap(int32_t width, int32_t height);
  // Gives the bitmap device-independent storage of the format, all pixels 0 (black).
  // The same format keeps the pixels; an empty bitmap stays empty (true). FormatDevice
  // drops the pixel memory and keeps the size. False for FormatCustom (nothing changes)
  // and for storage that is too large or cannot be allocated (the bitmap becomes empty).
  bool SetFormat(BitmapFormat format);
  // The format read back from the header block; FormatDevice without pixel memory.
  BitmapFormat Format() const;

  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  bool IsEmpty() const { return width_ == 0 || height_ == 0; }
  // Releases attachment, pixel memory and header block; width and height become 0.
  void Reset();

  // Bytes per row: (width x bits + 31) / 8 rounded down to a multiple of 4; 0 without pixels.
  uint32_t RowSize() const { return rowSize_; }
  // First byte of picture row y (0 is the top row); rows are stored bottom-up. No range
  // check; nullptr without pixel memory.
  uint8_t* RowPointer(int32_t y) const {
    if (!pixels_) return nullptr;
    return pixels_ + static_cast<size_t>(rowSize_) * static_cast<size_t>(height_ - 1 - y);
  }

  BitmapHeaderBlock* Header() const { return header_.get(); }
  uint8_t* Pixels() const { return pixels_; }
  size_t PixelBytes() const { return pixelBytes_; }
  // For the GDI side: copies the pixels into memory owned by the attachment (a DIB
  // section), frees the bitmap's own copy, and from then on addresses that memory. The
  // memory must hold PixelBytes() bytes and live as long as the attachment.
  void MovePixelsInto(uint8_t* memory);
  std::unique_ptr<BitmapAttachment>& Attachment() { return attachment_; }

 private:
  struct FreeDeleter {
    void operator()(uint8_t* p) const { std::free(p); }
  };
  void DropStorage();

  int32_t width_ = 0;
  int32_t height_ = 0;
  uint32_t rowSize_ = 0;
  size_t pixelBytes_ = 0;
  std::unique_ptr<BitmapHeaderBlock> header_;
  std::unique_ptr<uint8_t, FreeDeleter> ownPixels_;
  uint8_t* pixels_ = nullptr;  // ownPixels_, or the attachment's memory after MovePixelsInto
  std::unique_ptr<BitmapAttachment> attachment_;
};

// Bits per pixel of a format with device-independent storage; 0 for FormatDevice and FormatCustom.
uint32_t BitsPerPixel(BitmapFormat format);
// Row size of the device-independent layout in 64 bits (no overflow for any 32-bit width).
uint64_t DibRowSize(uint64_t width, uint32_t bitsPerPixel);

}  // namespace preview
