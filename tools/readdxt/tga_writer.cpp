// TGA header, footer and pixel packing.
#include "readdxt/tga_writer.h"

#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace readdxt {

void MakeTgaHeader(uint16_t width, uint16_t height, bool alpha, uint8_t out[kTgaHeaderBytes]) {
  std::memset(out, 0, kTgaHeaderBytes);
  out[2] = 2;  // uncompressed true colour
  out[12] = static_cast<uint8_t>(width & 0xFF);
  out[13] = static_cast<uint8_t>(width >> 8);
  out[14] = static_cast<uint8_t>(height & 0xFF);
  out[15] = static_cast<uint8_t>(height >> 8);
  out[16] = alpha ? 32 : 24;
  out[17] = static_cast<uint8_t>(0x20 | (alpha ? 8 : 0));
}

void MakeTgaFooter(uint8_t out[kTgaFooterBytes]) {
  std::memset(out, 0, 8);                         // no extension area, no developer directory
  std::memcpy(out + 8, "TRUEVISION-XFILE.", 18);  // with its terminating zero
}

void PackRow(const uint8_t* bgra, uint32_t width, bool alpha, uint8_t* out) {
  if (alpha) {
    std::memcpy(out, bgra, size_t{width} * 4);
    return;
  }
  uint32_t x = 0;
#if defined(__SSE2__)
  // Each half of four pixels drops its alpha bytes into 6 packed bytes; the second half is
  // stored 6 bytes on, over the first store's 2 spare bytes. Those 2 bytes at the end belong
  // to the pixel after the four, so that pixel must exist (it is written after).
  const __m128i low = _mm_set_epi32(0, 0x00FFFFFF, 0, 0x00FFFFFF);
  const __m128i high = _mm_set_epi32(0x0000FFFF, 0xFF000000, 0x0000FFFF, 0xFF000000);
  for (; x + 4 < width; x += 4, bgra += 16, out += 12) {
    const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bgra));
    const __m128i packed = _mm_or_si128(_mm_and_si128(p, low), _mm_and_si128(_mm_srli_epi64(p, 8), high));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out), packed);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out + 6), _mm_unpackhi_epi64(packed, packed));
  }
#endif
  // Four pixels (16 bytes) become three little-endian words (12 bytes).
  for (; x + 4 <= width; x += 4, bgra += 16, out += 12) {
    uint32_t p[4];
    std::memcpy(p, bgra, 16);
    const uint32_t w[3] = {(p[0] & 0xFFFFFF) | (p[1] << 24), ((p[1] >> 8) & 0xFFFF) | (p[2] << 16),
                           ((p[2] >> 16) & 0xFF) | (p[3] << 8)};
    std::memcpy(out, w, 12);
  }
  for (; x < width; ++x, bgra += 4, out += 3) {
    out[0] = bgra[0];
    out[1] = bgra[1];
    out[2] = bgra[2];
  }
}

}  // namespace readdxt
