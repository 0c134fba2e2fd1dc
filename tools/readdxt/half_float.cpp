// Half float -> 8-bit display value for BC6H output.
#include <cstring>

#include "readdxt/block_decoders.h"

namespace readdxt {
namespace {

// Exact integer form of round(h * 255) for 0 <= h < 1: such a half is
// mant * 2^(exp - 25) (subnormals use exp 1 and no implicit bit), so the product with
// 255 fits in 32 bits and the rounding is a single add-and-shift.
constexpr uint8_t RoundedBelowOne(uint32_t half) {
  uint32_t exp = half >> 10;
  uint32_t mant = half & 0x3FF;
  if (exp == 0) {
    exp = 1;
  } else {
    mant |= 0x400;
  }
  const uint32_t shift = 25 - exp;  // 11..24
  return static_cast<uint8_t>((mant * 255u + (1u << (shift - 1))) >> shift);
}

// Every half from 0 to 1.0 (0x3C00): 15 KB, so a conversion is one load.
struct UnormTable {
  uint8_t v[0x3C01];
};
constexpr UnormTable MakeTable() {
  UnormTable t{};
  for (uint32_t h = 0; h < 0x3C00; ++h) t.v[h] = RoundedBelowOne(h);
  t.v[0x3C00] = 255;
  return t;
}
constexpr UnormTable kTable = MakeTable();

inline uint8_t Convert(uint32_t half) {
  // Above +inf (0x7C00) are the NaNs and every negative value: all give 0. Between
  // 1.0 and +inf everything gives 255, as 1.0 does.
  if (half > 0x7C00) return 0;
  return kTable.v[half < 0x3C00 ? half : 0x3C00];
}

}  // namespace

uint8_t HalfToUnorm8(uint16_t half) { return Convert(half); }

void HalfRgbToBgra8(const uint16_t* rgb, uint8_t* bgra, size_t count) {
  for (size_t i = 0; i < count; ++i, rgb += 3, bgra += 4) {
    bgra[0] = Convert(rgb[2]);
    bgra[1] = Convert(rgb[1]);
    bgra[2] = Convert(rgb[0]);
    bgra[3] = 255;
  }
}

}  // namespace readdxt
