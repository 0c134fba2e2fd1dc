// Reader of Truevision TGA files into a 32-bit bitmap of the picture, with its alpha channel
// as a grey picture on request. Handles uncompressed and run-length colour-mapped (8-bit),
// true-colour (16, 24, 32-bit) and greyscale (8-bit, 16-bit grey + alpha) images.
// A load depends on its file alone: nothing but pixel memory is carried from one load
// to the next. It reports no error: whatever the stream holds, the picture ends up of
// the header's size with the pixels that could be decoded (black elsewhere), or empty.
#pragma once
#include <cstdint>
#include <string>

#include "preview/bitmap.h"
#include "toolkit/portable/byte_stream.h"

namespace preview {

class TgaImage {
 public:
  TgaImage() = default;
  TgaImage(const TgaImage&) = delete;
  TgaImage& operator=(const TgaImage&) = delete;

  // Reads one image from the current position of the stream, replacing both bitmaps and
  // the header values; the stream is left after the last byte used.
  void LoadStream(ByteStream& stream);
  // LoadStream on the named file (ANSI path); a file that cannot be opened reads as no
  // bytes: an empty 0 x 0 x 0 picture.
  void LoadFile(const std::string& path);
  bool IsEmpty() const { return colorBitmap.IsEmpty(); }
  // The header's picture could not be held (above kMaxPixelBytes per bitmap, or no
  // memory): both bitmaps are empty, width, height and pixelDepth still tell its size.
  bool TooLarge() const { return tooLarge_; }
  // The alpha channel as a picture of colorBitmap's size: alpha in blue, green and red, the
  // fourth byte 0; black when the file has none. Made from colorBitmap's fourth bytes when
  // first asked for after a load, not with every load: the preview never shows it.
  const Bitmap& AlphaBitmap();

  // From the last file's header; missing header bytes count as 0.
  uint16_t width = 0;
  uint16_t height = 0;
  uint8_t pixelDepth = 0;
  // Blue, green, red; the fourth byte the alpha of 32-bit and 16-bit grey files, else 0
  // (drawing ignores it).
  Bitmap colorBitmap;

 private:
  bool tooLarge_ = false;
  bool hasAlpha_ = false;  // the file's pixels carry alpha
  Bitmap alpha_;
  uint64_t alphaMadeFrom_ = 0;  // colorBitmap's version when alpha_ was made
};

}  // namespace preview
