// Uncompressed, packed, float, palette and YUV pixels -> B, G, R, A bytes.
#include "readdxt/pixel_decoders.h"

#include <cstring>

#include "readdxt/block_decoders.h"

namespace readdxt {
namespace {

uint32_t LoadLE(const uint8_t* p, uint32_t bytes) {
  uint32_t v = 0;
  for (uint32_t i = 0; i < bytes; ++i) v |= static_cast<uint32_t>(p[i]) << (8 * i);
  return v;
}

uint16_t Load16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

int BitCount(uint32_t v) {
  int n = 0;
  for (; v; v &= v - 1) ++n;
  return n;
}

uint8_t Clamp255(int v) { return static_cast<uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v)); }

// Unsigned n-bit value -> 0..255, round to nearest.
uint32_t ScaleUnsigned(uint32_t v, uint32_t max) {
  return static_cast<uint32_t>((uint64_t{v} * 255 + max / 2) / max);
}

// Signed n-bit value -> -1..1 -> 0..255; the most negative code means -1 as well.
uint32_t ScaleSigned(uint32_t v, int bits) {
  const int64_t half = int64_t{1} << (bits - 1);
  int64_t s = v >= static_cast<uint64_t>(half) ? static_cast<int64_t>(v) - 2 * half : static_cast<int64_t>(v);
  const int64_t m = half - 1;
  if (s < -m) s = -m;
  return static_cast<uint32_t>(((s + m) * 255 + m) / (2 * m));
}

// BT.601 limited range, the usual reading of YUY2 and UYVY surfaces.
void YuvToBgra(int y, int u, int v, uint8_t* out) {
  const int c = 298 * (y - 16) + 128;
  const int d = u - 128, e = v - 128;
  out[0] = Clamp255((c + 516 * d) >> 8);
  out[1] = Clamp255((c - 100 * d - 208 * e) >> 8);
  out[2] = Clamp255((c + 409 * e) >> 8);
  out[3] = 255;
}

uint8_t SharedExpToUnorm8(uint32_t mantissa, uint32_t exponent) {
  // value = mantissa * 2^(exponent - 24); value * 255 rounded, clamped to 255.
  if (mantissa == 0) return 0;
  if (exponent >= 24) return 255;
  const uint32_t shift = 24 - exponent;
  const uint32_t v = (mantissa * 255 + (1u << (shift - 1))) >> shift;
  return static_cast<uint8_t>(v > 255 ? 255 : v);
}

}  // namespace

uint8_t Float32ToUnorm8(float value) {
  if (!(value > 0.0f)) return 0;  // negatives and NaN
  if (value >= 1.0f) return 255;
  return static_cast<uint8_t>(value * 255.0f + 0.5f);
}

uint8_t Snorm16ToUnorm8(int16_t value) {
  return static_cast<uint8_t>(ScaleSigned(static_cast<uint16_t>(value), 16));
}

PixelRowDecoder::PixelRowDecoder(const PixelFormat& format, const uint8_t* palette)
    : format_(format), palette_(palette) {
  if (format.codec != Codec::kMasked) return;
  for (int i = 0; i < 4; ++i) SetUpChannel(channels_[i], format.mask[i], format.isSigned);
  if (!format.isSigned && format.bytesPerPixel == 4 && format.mask[0] == 0xFF0000 &&
      format.mask[1] == 0xFF00 && format.mask[2] == 0xFF && format.map == ChannelMap::kColour) {
    if (format.mask[3] == 0xFF000000) fast_ = Fast::kBgra;
    if (format.mask[3] == 0) fast_ = Fast::kBgrx;
  }
}

void PixelRowDecoder::SetUpChannel(Channel& c, uint32_t mask, bool isSigned) {
  if (mask == 0) return;
  while (!((mask >> c.shift) & 1)) ++c.shift;
  c.max = mask >> c.shift;
  const int bits = BitCount(c.max);
  c.isSigned = isSigned && bits >= 2;
  c.direct = !c.isSigned && bits == 8;
  c.useTable = bits <= 8;
  if (c.useTable) {
    for (uint32_t v = 0; v <= c.max; ++v) {
      c.table[v] = static_cast<uint8_t>(c.isSigned ? ScaleSigned(v, bits) : ScaleUnsigned(v, c.max));
    }
  }
}

uint8_t PixelRowDecoder::Scale(const Channel& c, uint32_t pixel) const {
  const uint32_t v = (pixel >> c.shift) & c.max;
  if (c.direct) return static_cast<uint8_t>(v);
  if (c.useTable) return c.table[v];
  return static_cast<uint8_t>(c.isSigned ? ScaleSigned(v, BitCount(c.max)) : ScaleUnsigned(v, c.max));
}

void PixelRowDecoder::DecodeMasked(const uint8_t* src, uint32_t width, uint8_t* bgra) const {
  if (fast_ == Fast::kBgra) {
    std::memcpy(bgra, src, size_t{width} * 4);
    return;
  }
  if (fast_ == Fast::kBgrx) {
    for (uint32_t x = 0; x < width; ++x, src += 4, bgra += 4) {
      bgra[0] = src[0];
      bgra[1] = src[1];
      bgra[2] = src[2];
      bgra[3] = 255;
    }
    return;
  }
  const uint32_t bytes = format_.bytesPerPixel;
  const Channel& r = channels_[0];
  const Channel& g = channels_[1];
  const Channel& b = channels_[2];
  const Channel& a = channels_[3];
  for (uint32_t x = 0; x < width; ++x, src += bytes, bgra += 4) {
    const uint32_t px = LoadLE(src, bytes);
    const uint8_t alpha = a.max ? Scale(a, px) : 255;
    switch (format_.map) {
      case ChannelMap::kColour:
        bgra[0] = b.max ? Scale(b, px) : 0;
        bgra[1] = g.max ? Scale(g, px) : 0;
        bgra[2] = r.max ? Scale(r, px) : 0;
        bgra[3] = alpha;
        break;
      case ChannelMap::kGrey:
        bgra[0] = bgra[1] = bgra[2] = Scale(r, px);
        bgra[3] = alpha;
        break;
      case ChannelMap::kAlpha:
        bgra[0] = bgra[1] = bgra[2] = bgra[3] = alpha;
        break;
    }
  }
}

void PixelRowDecoder::DecodeTyped(const uint8_t* src, uint32_t width, uint8_t* bgra) const {
  const uint32_t n = format_.components;
  for (uint32_t x = 0; x < width; ++x, bgra += 4) {
    uint8_t c[4] = {0, 0, 0, 255};
    for (uint32_t i = 0; i < n; ++i) {
      switch (format_.component) {
        case Component::kUnorm16:
          c[i] = static_cast<uint8_t>(ScaleUnsigned(Load16(src), 0xFFFF));
          break;
        case Component::kSnorm16:
          c[i] = static_cast<uint8_t>(ScaleSigned(Load16(src), 16));
          break;
        case Component::kHalf:
          c[i] = HalfToUnorm8(Load16(src));
          break;
        case Component::kFloat32: {
          float f;
          std::memcpy(&f, src, 4);
          c[i] = Float32ToUnorm8(f);
          break;
        }
      }
      src += format_.component == Component::kFloat32 ? 4 : 2;
    }
    if (format_.map == ChannelMap::kGrey) c[1] = c[2] = c[0];
    bgra[0] = c[2];
    bgra[1] = c[1];
    bgra[2] = c[0];
    bgra[3] = c[3];
  }
}

void PixelRowDecoder::DecodePairs(const uint8_t* src, uint32_t width, uint8_t* bgra) const {
  for (uint32_t x = 0; x < width; x += 2, src += 4) {
    uint8_t px[8];
    switch (format_.codec) {
      case Codec::kYUY2:
        YuvToBgra(src[0], src[1], src[3], px);
        YuvToBgra(src[2], src[1], src[3], px + 4);
        break;
      case Codec::kUYVY:
        YuvToBgra(src[1], src[0], src[2], px);
        YuvToBgra(src[3], src[0], src[2], px + 4);
        break;
      case Codec::kRGBG:  // R G0 B G1
        px[0] = px[4] = src[2];
        px[1] = src[1];
        px[5] = src[3];
        px[2] = px[6] = src[0];
        px[3] = px[7] = 255;
        break;
      default:  // kGRGB: G0 R G1 B
        px[0] = px[4] = src[3];
        px[1] = src[0];
        px[5] = src[2];
        px[2] = px[6] = src[1];
        px[3] = px[7] = 255;
        break;
    }
    const uint32_t count = width - x >= 2 ? 2 : 1;
    std::memcpy(bgra + size_t{x} * 4, px, size_t{count} * 4);
  }
}

void PixelRowDecoder::DecodeRow(const uint8_t* src, uint32_t width, uint8_t* bgra) const {
  switch (format_.codec) {
    case Codec::kMasked:
      DecodeMasked(src, width, bgra);
      break;
    case Codec::kTyped:
      DecodeTyped(src, width, bgra);
      break;
    case Codec::kR11G11B10F:
      for (uint32_t x = 0; x < width; ++x, src += 4, bgra += 4) {
        const uint32_t px = LoadLE(src, 4);
        bgra[2] = HalfToUnorm8(static_cast<uint16_t>((px & 0x7FF) << 4));
        bgra[1] = HalfToUnorm8(static_cast<uint16_t>(((px >> 11) & 0x7FF) << 4));
        bgra[0] = HalfToUnorm8(static_cast<uint16_t>(((px >> 22) & 0x3FF) << 5));
        bgra[3] = 255;
      }
      break;
    case Codec::kR9G9B9E5:
      for (uint32_t x = 0; x < width; ++x, src += 4, bgra += 4) {
        const uint32_t px = LoadLE(src, 4);
        const uint32_t e = px >> 27;
        bgra[2] = SharedExpToUnorm8(px & 0x1FF, e);
        bgra[1] = SharedExpToUnorm8((px >> 9) & 0x1FF, e);
        bgra[0] = SharedExpToUnorm8((px >> 18) & 0x1FF, e);
        bgra[3] = 255;
      }
      break;
    case Codec::kPalette8: {
      const bool withAlpha = format_.bytesPerPixel == 2;
      for (uint32_t x = 0; x < width; ++x, bgra += 4) {
        const uint8_t* entry = palette_ + size_t{src[0]} * 4;
        bgra[0] = entry[2];
        bgra[1] = entry[1];
        bgra[2] = entry[0];
        bgra[3] = withAlpha ? src[1] : (format_.hasAlpha ? entry[3] : 255);
        src += format_.bytesPerPixel;
      }
      break;
    }
    case Codec::kRGBG:
    case Codec::kGRGB:
    case Codec::kYUY2:
    case Codec::kUYVY:
      DecodePairs(src, width, bgra);
      break;
    default:
      break;  // block codecs are not decoded here
  }
}

}  // namespace readdxt
