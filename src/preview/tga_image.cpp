#include "preview/tga_image.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "toolkit/file_stream.h"

namespace preview {
namespace {

constexpr size_t kHeaderSize = 18;

// A 5-bit channel widened to 8 bits as value x 8: 31 becomes 248, no low bits filled in.
constexpr uint8_t FiveToEight(uint32_t v) { return static_cast<uint8_t>((v & 31) << 3); }

uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

// Reads until n bytes or the end of the stream; returns the count read.
size_t ReadUpTo(ByteStream& stream, uint8_t* dst, size_t n) {
  size_t done = 0;
  while (done < n) {
    const size_t got = stream.Read(dst + done, n - done);
    if (got == 0) break;
    done += got;
  }
  return done;
}

void Skip(ByteStream& stream, uint64_t n) {
  uint8_t scratch[4096];
  while (n > 0) {
    const size_t chunk = static_cast<size_t>(std::min<uint64_t>(n, sizeof scratch));
    if (ReadUpTo(stream, scratch, chunk) != chunk) return;
    n -= chunk;
  }
}

enum class PixelLayout { kNone, kIndex8, kBgr16, kBgr24, kBgra32, kGrey8, kGreyAlpha16 };

size_t BytesPerPixel(PixelLayout layout) {
  switch (layout) {
    case PixelLayout::kIndex8:
    case PixelLayout::kGrey8:
      return 1;
    case PixelLayout::kBgr16:
    case PixelLayout::kGreyAlpha16:
      return 2;
    case PixelLayout::kBgr24:
      return 3;
    case PixelLayout::kBgra32:
      return 4;
    default:
      return 0;
  }
}

// A run-length packet may run past the end of a row (the format forbids it, some writers
// do it anyway): what is left of it carries into the next row.
struct RleCarry {
  uint32_t rawPixels = 0;  // raw pixels still to copy from the packet data
  uint32_t runPixels = 0;  // copies of runPixel still to write
  uint8_t runPixel[4] = {};
};

// Expands packets from src[0, n) into exactly rowBytes bytes of row, continuing the
// packet in `carry` and leaving a new one there when a packet outlasts the row. Returns
// the packet bytes used, so that the next row starts at src + result. When the data ends
// first, the rest of the row keeps what it held (the previous row). An incomplete run
// packet is left unused; an incomplete raw packet gives the whole pixels it has.
// P is the pixel size in bytes, a constant so that pixel copies need no calls.
template <size_t P>
size_t DecodeRleRow(const uint8_t* src, size_t n, uint8_t* __restrict row, size_t rowBytes, RleCarry& carry) {
  size_t used = 0;
  size_t out = 0;
  while (out < rowBytes) {
    const size_t room = (rowBytes - out) / P;
    if (carry.runPixels > 0) {
      const size_t k = std::min<size_t>(carry.runPixels, room);
      uint8_t pixel[P];
      std::memcpy(pixel, carry.runPixel, P);
      uint8_t* d = row + out;
      for (size_t i = 0; i < k; ++i, d += P) std::memcpy(d, pixel, P);
      out += k * P;
      carry.runPixels -= static_cast<uint32_t>(k);
      continue;
    }
    if (carry.rawPixels > 0) {
      const size_t k = std::min({static_cast<size_t>(carry.rawPixels), room, (n - used) / P});
      if (k == 0) break;  // data ended inside the packet
      std::memcpy(row + out, src + used, k * P);
      used += k * P;
      out += k * P;
      carry.rawPixels -= static_cast<uint32_t>(k);
      continue;
    }
    if (used >= n) break;
    const uint8_t h = src[used];
    const uint32_t count = (h & 0x7Fu) + 1;
    if (h & 0x80) {
      if (n - used < 1 + P) break;
      std::memcpy(carry.runPixel, src + used + 1, P);
      carry.runPixels = count;
      used += 1 + P;
    } else {
      carry.rawPixels = count;
      used += 1;
    }
  }
  return used;
}

size_t DecodeRleRow(const uint8_t* src, size_t n, uint8_t* row, size_t rowBytes, size_t p, RleCarry& carry) {
  switch (p) {
    case 1:
      return DecodeRleRow<1>(src, n, row, rowBytes, carry);
    case 2:
      return DecodeRleRow<2>(src, n, row, rowBytes, carry);
    case 3:
      return DecodeRleRow<3>(src, n, row, rowBytes, carry);
    case 4:
      return DecodeRleRow<4>(src, n, row, rowBytes, carry);
    default:
      return 0;
  }
}

// Row converters: file pixels of one row to Format32 rows of blue, green, red. The
// fourth byte is written as the 0 it already holds in a new bitmap, so that each pixel
// is one 32-bit store.
uint32_t LoadLe32(const uint8_t* p) {
  uint32_t v;
  std::memcpy(&v, p, 4);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
  v = __builtin_bswap32(v);
#endif
  return v;
}

void StoreLe32(uint8_t* p, uint32_t v) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
  v = __builtin_bswap32(v);
#endif
  std::memcpy(p, &v, 4);
}

constexpr uint32_t Bgr(uint32_t b, uint32_t g, uint32_t r) { return b | g << 8 | r << 16; }

void ConvertIndex8(const uint8_t* src, size_t width, const uint32_t* bgr, uint8_t* dst) {
  for (size_t x = 0; x < width; ++x) StoreLe32(dst + 4 * x, bgr[src[x]]);
}

void ConvertBgr16(const uint8_t* src, size_t width, uint8_t* dst) {
  for (size_t x = 0; x < width; ++x) {
    const uint32_t v = Le16(src + 2 * x);  // bit 15 is ignored
    StoreLe32(dst + 4 * x, Bgr(FiveToEight(v), FiveToEight(v >> 5), FiveToEight(v >> 10)));
  }
}

void ConvertBgr24(const uint8_t* src, size_t width, uint8_t* dst) {
  if (width == 0) return;
  // Four-byte loads for all but the last pixel, which must not read past the row.
  for (size_t x = 0; x + 1 < width; ++x) StoreLe32(dst + 4 * x, LoadLe32(src + 3 * x) & 0xFFFFFF);
  const uint8_t* last = src + 3 * (width - 1);
  StoreLe32(dst + 4 * (width - 1), Bgr(last[0], last[1], last[2]));
}

void ConvertBgra32(const uint8_t* src, size_t width, uint8_t* dst, uint8_t* alpha) {
  for (size_t x = 0; x < width; ++x) {
    const uint32_t v = LoadLe32(src + 4 * x);
    StoreLe32(dst + 4 * x, v & 0xFFFFFF);
    StoreLe32(alpha + 4 * x, (v >> 24) * 0x010101u);
  }
}

void ConvertGrey8(const uint8_t* src, size_t width, uint8_t* dst) {
  for (size_t x = 0; x < width; ++x) StoreLe32(dst + 4 * x, src[x] * 0x010101u);
}

// 16-bit greyscale: grey in the low byte, alpha in the high byte.
void ConvertGreyAlpha16(const uint8_t* src, size_t width, uint8_t* dst, uint8_t* alpha) {
  for (size_t x = 0; x < width; ++x) {
    StoreLe32(dst + 4 * x, src[2 * x] * 0x010101u);
    StoreLe32(alpha + 4 * x, src[2 * x + 1] * 0x010101u);
  }
}

}  // namespace

TgaImage::TgaImage() {
  ColorBitmap.MakeBitmap(0, 0);
  ColorBitmap.SetFormat(Format32);
  AlphaBitmap.MakeBitmap(0, 0);
  AlphaBitmap.SetFormat(Format32);
}

void TgaImage::LoadFile(const std::string& path) {
  toolkit::FileStream file(path);
  BufferedStream stream(file);
  LoadStream(stream);
}

void TgaImage::LoadStream(ByteStream& stream) {
  // Header bytes the stream does not deliver count as 0.
  uint8_t h[kHeaderSize] = {};
  ReadUpTo(stream, h, kHeaderSize);
  IdLength = h[0];
  ColorMapType = h[1];
  ImageType = h[2];
  ColorMapFirstEntry = Le16(h + 3);
  ColorMapLength = Le16(h + 5);
  ColorMapEntrySize = h[7];
  XOrigin = Le16(h + 8);
  YOrigin = Le16(h + 10);
  Width = Le16(h + 12);
  Height = Le16(h + 14);
  PixelDepth = h[16];
  AlphaBits = h[17] & 0x0F;
  RightOrigin = (h[17] & 0x10) != 0;
  TopOrigin = (h[17] & 0x20) != 0;

  Skip(stream, IdLength);

  if (ColorMapType == 1) {
    // Entries past the palette's room, and maps of sizes we do not decode, are skipped
    // so that the pixel data is read from where it starts.
    const size_t entryBytes = (ColorMapEntrySize + 7u) / 8;
    const bool decoded = ColorMapEntrySize == 15 || ColorMapEntrySize == 16 || ColorMapEntrySize == 24 ||
                         ColorMapEntrySize == 32;
    size_t kept = 0;
    if (decoded) {
      kept = std::min<size_t>(ColorMapLength, kPaletteSize);
      uint8_t map[kPaletteSize * 4] = {};  // a truncated map gives black entries
      ReadUpTo(stream, map, kept * entryBytes);
      for (size_t i = 0; i < kept; ++i) {
        const uint8_t* e = map + i * entryBytes;
        PaletteEntry& p = Palette[i];
        if (entryBytes == 2) {
          const uint32_t v = Le16(e);
          p = {FiveToEight(v >> 10), FiveToEight(v >> 5), FiveToEight(v), 0};
        } else {
          p = {e[2], e[1], e[0], entryBytes == 4 ? e[3] : uint8_t{0}};
        }
      }
    }
    Skip(stream, (uint64_t{ColorMapLength} - kept) * entryBytes);
  }

  PixelLayout layout = PixelLayout::kNone;
  bool rle = false;
  switch (ImageType) {
    case 0:
      Kind = kTgaNoImage;
      break;
    case 1:
    case 9:
      rle = ImageType == 9;
      Kind = rle ? kTgaRleColorMapped : kTgaColorMapped;
      if (PixelDepth == 8) {
        layout = PixelLayout::kIndex8;
        PixelCode = 0;
        HasAlpha = false;
      }
      break;
    case 2:
    case 10:
      rle = ImageType == 10;
      Kind = rle ? kTgaRleTrueColor : kTgaTrueColor;
      if (PixelDepth == 16 || PixelDepth == 24 || PixelDepth == 32) {
        layout = PixelDepth == 16   ? PixelLayout::kBgr16
                 : PixelDepth == 24 ? PixelLayout::kBgr24
                                    : PixelLayout::kBgra32;
        PixelCode = static_cast<uint8_t>(PixelDepth / 8 - 1);
        HasAlpha = PixelDepth == 32;
      }
      break;
    case 3:
    case 11:
      // Greyscale: 8-bit grey, or 16-bit grey with alpha; other depths stay black.
      rle = ImageType == 11;
      Kind = rle ? kTgaRleGrey : kTgaGrey;
      PixelCode = 0;
      HasAlpha = PixelDepth == 16;
      if (PixelDepth == 8) layout = PixelLayout::kGrey8;
      if (PixelDepth == 16) layout = PixelLayout::kGreyAlpha16;
      break;
    default:
      break;  // unknown type: Kind stays
  }

  // A size the bitmaps cannot hold leaves both empty rather than a half-made picture.
  if (!ColorBitmap.MakeBitmap(Width, Height) || !ColorBitmap.SetFormat(Format32) ||
      !AlphaBitmap.MakeBitmap(Width, Height) || !AlphaBitmap.SetFormat(Format32)) {
    ColorBitmap.Reset();
    AlphaBitmap.Reset();
    return;
  }
  if (layout == PixelLayout::kNone || ColorBitmap.IsEmpty()) return;

  const size_t p = BytesPerPixel(layout);
  const size_t width = Width;
  const size_t rowBytes = width * p;  // at most 65535 x 4
  std::unique_ptr<uint8_t[]> row(new (std::nothrow) uint8_t[rowBytes]());
  std::unique_ptr<uint8_t[]> packets(rle ? new (std::nothrow) uint8_t[2 * rowBytes]() : nullptr);
  if (!row || (rle && !packets)) {
    ColorBitmap.Reset();
    AlphaBitmap.Reset();
    return;
  }

  // Index bytes reach entries 0 to 255 of the palette, whatever the map held.
  uint32_t bgr[256] = {};
  if (layout == PixelLayout::kIndex8) {
    for (size_t i = 0; i < 256; ++i) bgr[i] = Bgr(Palette[i].blue, Palette[i].green, Palette[i].red);
  }

  RleCarry carry;
  const bool topDown = TopOrigin || RightOrigin;
  for (int32_t r = 0; r < Height; ++r) {
    if (rle) {
      // Read ahead two rows' worth (enough for any row of packets), then move back to
      // the first byte the row did not use.
      const uint64_t start = stream.Position();
      const size_t n = ReadUpTo(stream, packets.get(), 2 * rowBytes);
      const size_t used = DecodeRleRow(packets.get(), n, row.get(), rowBytes, p, carry);
      if (used != n) stream.Seek(start + used);
    } else {
      // A short read keeps the rest of the previous row: the buffer is not cleared.
      ReadUpTo(stream, row.get(), rowBytes);
    }
    const int32_t y = topDown ? r : Height - 1 - r;
    uint8_t* dst = ColorBitmap.RowPointer(y);
    uint8_t* alpha = AlphaBitmap.RowPointer(y);
    const uint8_t* src = row.get();
    switch (layout) {
      case PixelLayout::kIndex8:
        ConvertIndex8(src, width, bgr, dst);
        break;
      case PixelLayout::kBgr16:
        ConvertBgr16(src, width, dst);
        break;
      case PixelLayout::kBgr24:
        ConvertBgr24(src, width, dst);
        break;
      case PixelLayout::kBgra32:
        ConvertBgra32(src, width, dst, alpha);
        break;
      case PixelLayout::kGrey8:
        ConvertGrey8(src, width, dst);
        break;
      case PixelLayout::kGreyAlpha16:
        ConvertGreyAlpha16(src, width, dst, alpha);
        break;
      case PixelLayout::kNone:
        break;
    }
  }
}

}  // namespace preview
