#include "preview/bitmap.h"

#include <cstring>
#include <new>
#include <utility>

namespace preview {

uint32_t BitsPerPixel(BitmapFormat format) {
  switch (format) {
    case Format1:
      return 1;
    case Format4:
      return 4;
    case Format8:
      return 8;
    case Format15:
    case Format16:
      return 16;
    case Format24:
      return 24;
    case Format32:
      return 32;
    default:
      return 0;
  }
}

uint64_t DibRowSize(uint64_t width, uint32_t bitsPerPixel) {
  return ((width * bitsPerPixel + 31) / 8) & ~uint64_t{3};
}

Bitmap::~Bitmap() { Reset(); }

void Bitmap::DropStorage() {
  // The attachment may own the memory pixels_ points into: forget that first.
  pixels_ = nullptr;
  ownPixels_.reset();
  attachment_.reset();
  header_.reset();
  rowSize_ = 0;
  pixelBytes_ = 0;
}

void Bitmap::Reset() {
  DropStorage();
  width_ = 0;
  height_ = 0;
}

bool Bitmap::MakeBitmap(int32_t width, int32_t height) {
  Reset();
  if (width < 0 || height < 0) return false;
  if (width == 0 || height == 0) return true;
  // Whatever format follows, 32 bits is the widest the program asks for.
  if (DibRowSize(static_cast<uint64_t>(width), 32) * static_cast<uint64_t>(height) > kMaxPixelBytes) {
    return false;
  }
  width_ = width;
  height_ = height;
  return true;
}

BitmapFormat Bitmap::Format() const {
  if (!pixels_ || !header_) return FormatDevice;
  const BitmapInfoHeader& h = header_->header;
  switch (h.biBitCount) {
    case 1:
      return Format1;
    case 4:
      return Format4;
    case 8:
      return Format8;
    case 16:
      return h.biCompression == kBiBitfields ? Format16 : Format15;
    case 24:
      return Format24;
    case 32:
      return Format32;
    default:
      return FormatCustom;
  }
}

bool Bitmap::SetFormat(BitmapFormat format) {
  if (IsEmpty()) return true;
  if (Format() == format) return true;
  if (format == FormatDevice) {
    DropStorage();
    return true;
  }
  const uint32_t bits = BitsPerPixel(format);
  if (bits == 0) return false;

  // The store holds no picture outside its pixel memory, so a new format starts black.
  DropStorage();
  const uint64_t rowSize = DibRowSize(static_cast<uint64_t>(width_), bits);
  const uint64_t bytes = rowSize * static_cast<uint64_t>(height_);
  if (bytes > kMaxPixelBytes) {
    Reset();
    return false;
  }
  std::unique_ptr<BitmapHeaderBlock> header(new (std::nothrow) BitmapHeaderBlock());
  std::unique_ptr<uint8_t, FreeDeleter> pixels(
      static_cast<uint8_t*>(std::calloc(static_cast<size_t>(bytes), 1)));
  if (!header || !pixels) {
    Reset();
    return false;
  }
  BitmapInfoHeader& h = header->header;
  h.biSize = sizeof(BitmapInfoHeader);
  h.biWidth = width_;
  h.biHeight = height_;
  h.biPlanes = 1;
  h.biBitCount = static_cast<uint16_t>(bits);
  h.biCompression = kBiRgb;
  if (format == Format16) {
    h.biCompression = kBiBitfields;
    header->colors[0] = 0xF800;  // red
    header->colors[1] = 0x07E0;  // green
    header->colors[2] = 0x001F;  // blue
  }
  header_ = std::move(header);
  ownPixels_ = std::move(pixels);
  pixels_ = ownPixels_.get();
  rowSize_ = static_cast<uint32_t>(rowSize);
  pixelBytes_ = static_cast<size_t>(bytes);
  return true;
}

void Bitmap::MovePixelsInto(uint8_t* memory) {
  if (!pixels_ || !memory || memory == pixels_) return;
  std::memcpy(memory, pixels_, pixelBytes_);
  ownPixels_.reset();
  pixels_ = memory;
}

}  // namespace preview
