// Reader of Truevision TGA files into two 32-bit bitmaps: the picture and its alpha
// channel as a grey picture. Handles uncompressed and run-length colour-mapped (8-bit),
// true-colour (16, 24, 32-bit) and greyscale (8-bit, 16-bit grey + alpha) images.
// It reports no error: whatever the stream holds, both bitmaps end up either of the
// header's size with the pixels that could be decoded, or empty when that size cannot
// be held.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "preview/bitmap.h"
#include "preview/byte_stream.h"

namespace preview {

struct PaletteEntry {
  uint8_t red;
  uint8_t green;
  uint8_t blue;
  uint8_t alpha;  // 0 unless the colour map has 32-bit entries
};

constexpr size_t kPaletteSize = 1000;

// Values of TgaImage::Kind, from the image type.
enum TgaKind : uint8_t {
  kTgaNoImage = 0,
  kTgaColorMapped = 1,
  kTgaTrueColor = 2,
  kTgaGrey = 3,
  kTgaRleColorMapped = 4,
  kTgaRleTrueColor = 5,
  kTgaRleGrey = 6,
};

class TgaImage {
 public:
  // Every field zero, both bitmaps empty in Format32.
  TgaImage();
  TgaImage(const TgaImage&) = delete;
  TgaImage& operator=(const TgaImage&) = delete;

  // Reads one image from the current position of the stream, replacing both bitmaps.
  void LoadStream(ByteStream& stream);
  // LoadStream on the named file (ANSI path); a file that cannot be opened reads as no bytes.
  void LoadFile(const std::string& path);
  bool IsEmpty() const { return ColorBitmap.IsEmpty(); }

  // Fields keep their values from one load to the next until a load overwrites them.
  uint8_t PixelCode = 0;  // decoded pixels: 0 index or grey, 1 16-bit, 2 24-bit, 3 32-bit
  uint8_t ColorMapType = 0;
  // The colour map as read, always from index 0; a load overwrites only the entries
  // its colour map holds.
  std::array<PaletteEntry, kPaletteSize> Palette{};
  uint16_t ColorMapFirstEntry = 0;  // kept, not used
  uint16_t ColorMapLength = 0;
  uint8_t ColorMapEntrySize = 0;
  uint8_t IdLength = 0;
  uint8_t ImageType = 0;
  uint16_t XOrigin = 0;  // kept, not used
  uint16_t YOrigin = 0;  // kept, not used
  uint16_t Width = 0;
  uint16_t Height = 0;
  uint8_t PixelDepth = 0;
  uint8_t AlphaBits = 0;     // descriptor bits 0-3, kept, not used
  bool TopOrigin = false;    // descriptor bit 5: first file row is the top row
  bool RightOrigin = false;  // descriptor bit 4: also read as top-down; rows are never mirrored
  // True when AlphaBitmap carries alpha from the file: 32-bit true colour, 16-bit grey.
  bool HasAlpha = false;
  uint8_t Kind = kTgaNoImage;  // TgaKind; unchanged by unknown image types
  Bitmap ColorBitmap;          // blue, green, red; the fourth byte stays 0
  Bitmap AlphaBitmap;          // alpha in blue, green and red
};

}  // namespace preview
