// BC4 (one channel) and BC5 (two channels), unsigned and signed, and the shared
// 8-value ramp that BC3 uses for its alpha.
#include "readdxt/bc_common.h"
#include "readdxt/block_decoders.h"

namespace readdxt {
namespace bc {

// Interpolated values are rounded to the nearest integer: the documented
// (6*a0 + 1*a1)/7 etc. are exact fractions, so +3 (or +2 for fifths) before the
// division gives the nearest 8-bit value, with no bias toward either endpoint.
void BuildUnsignedRamp(uint8_t a0, uint8_t a1, uint8_t out[8]) {
  out[0] = a0;
  out[1] = a1;
  if (a0 > a1) {
    for (int i = 1; i < 7; ++i) out[i + 1] = static_cast<uint8_t>(((7 - i) * a0 + i * a1 + 3) / 7);
  } else {
    for (int i = 1; i < 5; ++i) out[i + 1] = static_cast<uint8_t>(((5 - i) * a0 + i * a1 + 2) / 5);
    out[6] = 0;
    out[7] = 255;
  }
}

// The signed value v = n / d (n an integer, d 7 or 5) is the fraction v/127 of
// -1..1; it is shown as round((v/127 * 0.5 + 0.5) * 255) = round((v + 127) * 255 / 254),
// computed in integers from n so that there is exactly one rounding step.
static uint8_t SignedToUnorm(int n, int d) {
  const int num = (n + 127 * d) * 255;  // >= 0 since n >= -127 * d
  const int den = 254 * d;
  return static_cast<uint8_t>((num + den / 2) / den);
}

void BuildSignedRamp(int8_t s0, int8_t s1, uint8_t out[8]) {
  const int a0 = s0 == -128 ? -127 : s0;
  const int a1 = s1 == -128 ? -127 : s1;
  out[0] = SignedToUnorm(a0, 1);
  out[1] = SignedToUnorm(a1, 1);
  if (a0 > a1) {
    for (int i = 1; i < 7; ++i) out[i + 1] = SignedToUnorm((7 - i) * a0 + i * a1, 7);
  } else {
    for (int i = 1; i < 5; ++i) out[i + 1] = SignedToUnorm((5 - i) * a0 + i * a1, 5);
    out[6] = 0;    // -1.0
    out[7] = 255;  // +1.0
  }
}

static void BuildRamp(const uint8_t* block, bool isSigned, uint8_t out[8]) {
  if (isSigned) {
    BuildSignedRamp(static_cast<int8_t>(block[0]), static_cast<int8_t>(block[1]), out);
  } else {
    BuildUnsignedRamp(block[0], block[1], out);
  }
}

}  // namespace bc

void DecodeBC4(const uint8_t* block, uint8_t* dst, size_t pitch, bool isSigned) {
  uint8_t ramp[8];
  bc::BuildRamp(block, isSigned, ramp);
  uint32_t palette[8];
  for (int i = 0; i < 8; ++i) palette[i] = bc::Bgra(ramp[i], ramp[i], ramp[i], 255);
  const bc::RampIndices indices(block);
  for (int y = 0; y < 4; ++y, dst += pitch) {
    const uint32_t idx = indices.Row(y);
    bc::Store32(dst + 0, palette[idx & 7]);
    bc::Store32(dst + 4, palette[(idx >> 3) & 7]);
    bc::Store32(dst + 8, palette[(idx >> 6) & 7]);
    bc::Store32(dst + 12, palette[(idx >> 9) & 7]);
  }
}

void DecodeBC5(const uint8_t* block, uint8_t* dst, size_t pitch, bool isSigned) {
  uint8_t red[8], green[8];
  bc::BuildRamp(block, isSigned, red);
  bc::BuildRamp(block + 8, isSigned, green);
  uint32_t redPal[8], greenPal[8];
  for (int i = 0; i < 8; ++i) {
    redPal[i] = bc::Bgra(red[i], 0, 0, 255);
    greenPal[i] = bc::Bgra(0, green[i], 0, 0);
  }
  const bc::RampIndices redIdx(block), greenIdx(block + 8);
  for (int y = 0; y < 4; ++y, dst += pitch) {
    const uint32_t ri = redIdx.Row(y), gi = greenIdx.Row(y);
    for (int x = 0; x < 4; ++x) {
      bc::Store32(dst + 4 * x, redPal[(ri >> (3 * x)) & 7] | greenPal[(gi >> (3 * x)) & 7]);
    }
  }
}

}  // namespace readdxt
