#include "preview/tga_image.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "toolkit/portable/file_stream.h"

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

// Row converters: file pixels of one row to bitmap rows of blue, green, red and a fourth
// byte, the alpha or 0, each pixel one 32-bit store (every byte written: the bitmap's memory
// may hold an earlier picture).
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

// The file's bytes are the bitmap's.
void ConvertBgra32(const uint8_t* src, size_t width, uint8_t* dst) { std::memcpy(dst, src, 4 * width); }

void ConvertGrey8(const uint8_t* src, size_t width, uint8_t* dst) {
  for (size_t x = 0; x < width; ++x) StoreLe32(dst + 4 * x, src[x] * 0x010101u);
}

// 16-bit greyscale: grey in the low byte, alpha in the high byte.
void ConvertGreyAlpha16(const uint8_t* src, size_t width, uint8_t* dst) {
  for (size_t x = 0; x < width; ++x)
    StoreLe32(dst + 4 * x, src[2 * x] * 0x010101u | uint32_t{src[2 * x + 1]} << 24);
}

// Pictures from this size on are written past the processor's cache: they do not fit it
// anyway, and a write that bypasses it need not first read the old memory. Without SSE2
// (the 32-bit Windows build) there are no such writes.
#if defined(__SSE2__)
constexpr size_t kStreamingBytes = size_t{8} << 20;

// Pixels before the first 16-byte aligned one of a row, at most 3.
size_t Unaligned(const uint8_t* dst, size_t width) {
  return std::min(width, ((16 - (reinterpret_cast<uintptr_t>(dst) & 15)) & 15) / 4);
}
#else
constexpr size_t kStreamingBytes = SIZE_MAX;
#endif

// ConvertBgra32 with non-temporal stores.
void StreamBgra32(const uint8_t* src, size_t width, uint8_t* dst) {
#if defined(__SSE2__)
  size_t x = Unaligned(dst, width);
  ConvertBgra32(src, x, dst);
  for (; x + 4 <= width; x += 4) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 4 * x));
    _mm_stream_si128(reinterpret_cast<__m128i*>(dst + 4 * x), v);
  }
  ConvertBgra32(src + 4 * x, width - x, dst + 4 * x);
#else
  ConvertBgra32(src, width, dst);
#endif
}

// ConvertBgr24 with non-temporal stores.
void StreamBgr24(const uint8_t* src, size_t width, uint8_t* dst) {
#if defined(__SSE2__)
  size_t x = Unaligned(dst, width);
  ConvertBgr24(src, x, dst);
  // Four pixels from a 16-byte load, which must stay inside the row.
  const __m128i colorMask = _mm_set1_epi32(0xFFFFFF);
  for (; x + 6 <= width; x += 4) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 3 * x));
    const __m128i p01 = _mm_unpacklo_epi32(v, _mm_srli_si128(v, 3));
    const __m128i p23 = _mm_unpacklo_epi32(_mm_srli_si128(v, 6), _mm_srli_si128(v, 9));
    _mm_stream_si128(reinterpret_cast<__m128i*>(dst + 4 * x),
                     _mm_and_si128(_mm_unpacklo_epi64(p01, p23), colorMask));
  }
  ConvertBgr24(src + 3 * x, width - x, dst + 4 * x);
#else
  ConvertBgr24(src, width, dst);
#endif
}

void StreamDone() {
#if defined(__SSE2__)
  _mm_sfence();
#endif
}

// Pixel data is read in blocks of about this size: few stream calls, and a block still
// sits in the processor's cache when its rows are converted.
constexpr size_t kBlockBytes = size_t{256} << 10;

// A block of stream bytes: [0, keep) a copy of the row before, then the bytes not yet
// used, from `at` to `end`.
class BlockReader {
 public:
  BlockReader(ByteStream& stream, uint8_t* buffer, size_t capacity, size_t keep)
      : stream_(stream), buffer_(buffer), capacity_(capacity), keep_(keep), at_(keep), end_(keep) {}

  const uint8_t* Data() const { return buffer_ + at_; }
  size_t Available() const { return end_ - at_; }
  void Use(size_t n) { at_ += n; }
  // Makes at least `want` bytes available unless the stream ends first. The `keep` bytes
  // just used before Data() are copied to the front, where the next Data() - keep finds them.
  void Fill(size_t want) {
    if (Available() >= want || ended_) return;
    const size_t kept = std::min(keep_, at_);
    std::memmove(buffer_ + keep_ - kept, buffer_ + at_ - kept, kept + Available());
    end_ = keep_ + Available();
    at_ = keep_;
    while (!ended_ && Available() < want) {
      const size_t got = ReadUpTo(stream_, buffer_ + end_, capacity_ - end_);
      end_ += got;
      ended_ = got == 0 || end_ < capacity_;
    }
  }
  // Moves the stream back to the first byte not used.
  void Finish() {
    if (Available() > 0) stream_.Seek(stream_.Position() - Available());
  }

 private:
  ByteStream& stream_;
  uint8_t* buffer_;
  size_t capacity_;
  size_t keep_;
  size_t at_;
  size_t end_;
  bool ended_ = false;
};

}  // namespace

void TgaImage::LoadFile(const std::string& path) {
  toolkit::FileStream file(path);
  LoadStream(file);
}

void TgaImage::LoadStream(ByteStream& stream) {
  // Header bytes the stream does not deliver count as 0.
  uint8_t h[kHeaderSize] = {};
  ReadUpTo(stream, h, kHeaderSize);
  const uint8_t idLength = h[0];
  const uint8_t colorMapType = h[1];
  const uint8_t imageType = h[2];
  const uint16_t mapLength = Le16(h + 5);
  const uint8_t entrySize = h[7];
  width = Le16(h + 12);
  height = Le16(h + 14);
  pixelDepth = h[16];
  // Descriptor bit 5 (top origin) and bit 4 (right origin) both mean top-down rows;
  // rows are never mirrored.
  const bool topDown = (h[17] & 0x30) != 0;
  tooLarge_ = false;

  Skip(stream, idLength);

  // Index bytes reach entries 0 to 255; entries the file's map does not give are black.
  uint32_t bgr[256] = {};
  if (colorMapType == 1) {
    // Entries past 255, and maps of sizes we do not decode, are skipped so that the
    // pixel data is read from where it starts.
    const size_t entryBytes = (entrySize + 7u) / 8;
    const bool decoded = entrySize == 15 || entrySize == 16 || entrySize == 24 || entrySize == 32;
    const size_t kept = decoded ? std::min<size_t>(mapLength, 256) : 0;
    uint8_t map[256 * 4] = {};  // a truncated map gives black entries
    ReadUpTo(stream, map, kept * entryBytes);
    for (size_t i = 0; i < kept; ++i) {
      const uint8_t* e = map + i * entryBytes;
      if (entryBytes == 2) {
        const uint32_t v = Le16(e);
        bgr[i] = Bgr(FiveToEight(v), FiveToEight(v >> 5), FiveToEight(v >> 10));
      } else {
        bgr[i] = Bgr(e[0], e[1], e[2]);
      }
    }
    Skip(stream, (uint64_t{mapLength} - kept) * entryBytes);
  }

  PixelLayout layout = PixelLayout::kNone;
  const bool rle = imageType >= 9;
  switch (imageType) {
    case 1:
    case 9:
      if (pixelDepth == 8) layout = PixelLayout::kIndex8;
      break;
    case 2:
    case 10:
      if (pixelDepth == 16) layout = PixelLayout::kBgr16;
      if (pixelDepth == 24) layout = PixelLayout::kBgr24;
      if (pixelDepth == 32) layout = PixelLayout::kBgra32;
      break;
    case 3:
    case 11:
      // 8-bit grey, or 16-bit grey with alpha; other depths stay black.
      if (pixelDepth == 8) layout = PixelLayout::kGrey8;
      if (pixelDepth == 16) layout = PixelLayout::kGreyAlpha16;
      break;
    default:
      break;
  }
  hasAlpha_ = layout == PixelLayout::kBgra32 || layout == PixelLayout::kGreyAlpha16;

  // The size is checked before any allocation; a size the bitmap cannot hold leaves it
  // empty rather than a half-made picture. Pixels the decoder writes need no clearing.
  if (!colorBitmap.Create(width, height, layout == PixelLayout::kNone)) {
    colorBitmap.Reset();
    tooLarge_ = true;
    return;
  }
  if (layout == PixelLayout::kNone || colorBitmap.IsEmpty()) return;

  const size_t p = BytesPerPixel(layout);
  const size_t rowWidth = width;
  const size_t rowBytes = rowWidth * p;  // at most 65535 x 4
  // Uncompressed rows are converted straight from the block, with room for a copy of
  // the row before (a short last row keeps its bytes). Run-length rows need up to two
  // rows' worth of packets at hand and a row buffer that keeps the row before.
  const size_t keep = rle ? 0 : rowBytes;
  const size_t capacity = keep + std::max(kBlockBytes, (rle ? 4 : 1) * rowBytes);
  std::unique_ptr<uint8_t[]> block(new (std::nothrow) uint8_t[capacity]);
  std::unique_ptr<uint8_t[]> row(new (std::nothrow) uint8_t[rowBytes]());
  if (!block || !row) {
    colorBitmap.Reset();
    tooLarge_ = true;
    return;
  }

  // Large 24- and 32-bit pictures (what the converter writes) bypass the cache.
  const bool streaming = colorBitmap.PixelBytes() >= kStreamingBytes;
  BlockReader reader(stream, block.get(), capacity, keep);
  RleCarry carry;
  bool rowHeld = false;  // the row buffer holds the row before (the data has ended)
  for (int32_t r = 0; r < height; ++r) {
    const uint8_t* src = row.get();
    if (rle) {
      reader.Fill(2 * rowBytes);
      reader.Use(DecodeRleRow(reader.Data(), reader.Available(), row.get(), rowBytes, p, carry));
    } else {
      reader.Fill(rowBytes);
      if (reader.Available() >= rowBytes) {
        src = reader.Data();
        reader.Use(rowBytes);
      } else {
        // The data ends inside this row: the rest of it keeps the bytes of the row before,
        // which lies just before the unused bytes (or is all 0 for the first row).
        if (r > 0 && !rowHeld) std::memcpy(row.get(), reader.Data() - rowBytes, rowBytes);
        std::memcpy(row.get(), reader.Data(), reader.Available());
        reader.Use(reader.Available());
        rowHeld = true;
      }
    }
    const int32_t y = topDown ? r : height - 1 - r;
    uint8_t* dst = colorBitmap.RowPointer(y);
    switch (layout) {
      case PixelLayout::kIndex8:
        ConvertIndex8(src, rowWidth, bgr, dst);
        break;
      case PixelLayout::kBgr16:
        ConvertBgr16(src, rowWidth, dst);
        break;
      case PixelLayout::kBgr24:
        streaming ? StreamBgr24(src, rowWidth, dst) : ConvertBgr24(src, rowWidth, dst);
        break;
      case PixelLayout::kBgra32:
        streaming ? StreamBgra32(src, rowWidth, dst) : ConvertBgra32(src, rowWidth, dst);
        break;
      case PixelLayout::kGrey8:
        ConvertGrey8(src, rowWidth, dst);
        break;
      case PixelLayout::kGreyAlpha16:
        ConvertGreyAlpha16(src, rowWidth, dst);
        break;
      case PixelLayout::kNone:
        break;
    }
  }
  StreamDone();
  reader.Finish();
}

const Bitmap& TgaImage::AlphaBitmap() {
  const Bitmap& color = colorBitmap;
  if (alphaMadeFrom_ == color.Version() && alpha_.Width() == color.Width() &&
      alpha_.Height() == color.Height())
    return alpha_;
  alphaMadeFrom_ = color.Version();
  if (color.IsEmpty() || !alpha_.Create(color.Width(), color.Height(), !hasAlpha_)) {
    alpha_.Reset();
    return alpha_;
  }
  for (int32_t y = 0; hasAlpha_ && y < color.Height(); ++y) {
    const uint8_t* from = color.RowPointer(y);
    uint8_t* to = alpha_.RowPointer(y);
    for (int32_t x = 0; x < color.Width(); ++x) StoreLe32(to + 4 * x, from[4 * x + 3] * 0x010101u);
  }
  return alpha_;
}

}  // namespace preview
