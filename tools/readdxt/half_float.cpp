// Half float -> 8-bit display value for BC6H output.
#include "readdxt/block_decoders.h"

namespace readdxt {

// Exact integer form of round(clamp(h, 0, 1) * 255): a half below 1.0 is
// mant * 2^(exp - 25) (subnormals use exp 1 and no implicit bit), so the product with
// 255 fits in 32 bits and the rounding is a single add-and-shift.
uint8_t HalfToUnorm8(uint16_t half) {
  if (half & 0x8000) return 0;            // negatives, -0 and negative NaN
  if (half >= 0x7C01) return 0;           // NaN
  if (half >= 0x3C00) return 255;         // 1.0 and above, +inf
  uint32_t exp = half >> 10;
  uint32_t mant = half & 0x3FF;
  if (exp == 0) {
    exp = 1;  // subnormal: same scale as the smallest normal, no implicit bit
  } else {
    mant |= 0x400;
  }
  const uint32_t shift = 25 - exp;  // 11..24
  return static_cast<uint8_t>((mant * 255u + (1u << (shift - 1))) >> shift);
}

}  // namespace readdxt
