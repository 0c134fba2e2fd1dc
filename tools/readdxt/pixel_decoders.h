// Row decoders for every format that is not block-compressed: one row of stored pixels in,
// one row of B, G, R, A bytes out, with the display channel mapping applied.
#pragma once
#include <cstdint>

#include "readdxt/pixel_format.h"

namespace readdxt {

class PixelRowDecoder {
 public:
  // `palette` (256 entries of R, G, B, A) is used by the palette formats only.
  PixelRowDecoder(const PixelFormat& format, const uint8_t* palette);
  // `src` holds the stored bytes of `width` pixels.
  void DecodeRow(const uint8_t* src, uint32_t width, uint8_t* bgra) const;

 private:
  struct Channel {
    uint32_t max = 0;  // mask shifted down; 0 when the channel is absent
    uint8_t shift = 0;
    bool direct = false;  // 8-bit unsigned: the value is the byte
    bool useTable = false;
    bool isSigned = false;
    uint8_t table[256] = {};
  };
  void SetUpChannel(Channel& c, uint32_t mask, bool isSigned);
  uint8_t Scale(const Channel& c, uint32_t pixel) const;
  void DecodeMasked(const uint8_t* src, uint32_t width, uint8_t* bgra) const;
  void DecodeTyped(const uint8_t* src, uint32_t width, uint8_t* bgra) const;
  void DecodePairs(const uint8_t* src, uint32_t width, uint8_t* bgra) const;

  PixelFormat format_;
  const uint8_t* palette_;
  Channel channels_[4];
  enum class Fast : uint8_t { kNone, kBgra, kBgrx } fast_ = Fast::kNone;
};

// Shared by the typed and block paths.
uint8_t Float32ToUnorm8(float value);
uint8_t Snorm16ToUnorm8(int16_t value);

}  // namespace readdxt
