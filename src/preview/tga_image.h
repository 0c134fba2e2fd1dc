// Reader of Truevision TGA files into two 32-bit bitmaps: the picture and its alpha
// channel as a grey picture. Handles uncompressed and run-length colour-mapped (8-bit),
// true-colour (16, 24, 32-bit) and greyscale (8-bit, 16-bit grey + alpha) images.
// A load depends on its file alone: nothing but pixel memory is carried from one load
// to the next. It reports no error: whatever the stream holds, both bitmaps end up of
// the header's size with the pixels that could be decoded (black elsewhere), or empty.
#pragma once
#include <cstdint>
#include <string>

#include "preview/bitmap.h"
#include "preview/byte_stream.h"

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
  bool IsEmpty() const { return ColorBitmap.IsEmpty(); }
  // The header's picture could not be held (above kMaxPixelBytes per bitmap, or no
  // memory): both bitmaps are empty, Width, Height and PixelDepth still tell its size.
  bool TooLarge() const { return tooLarge_; }

  // From the last file's header; missing header bytes count as 0.
  uint16_t Width = 0;
  uint16_t Height = 0;
  uint8_t PixelDepth = 0;
  Bitmap ColorBitmap;  // blue, green, red; the fourth byte 0
  Bitmap AlphaBitmap;  // alpha in blue, green and red; black when the file has none

 private:
  bool tooLarge_ = false;
};

}  // namespace preview
