// BC1 (DXT1), BC2 (DXT2/3) and BC3 (DXT4/5): a 5:6:5 colour block with 2-bit
// indices, plus explicit 4-bit alpha (BC2) or an interpolated alpha block (BC3).
#include "readdxt/bc_common.h"
#include "readdxt/block_decoders.h"

namespace readdxt {
namespace {

struct Rgb {
  uint32_t r, g, b;
};

// 5- and 6-bit values widen to 8 bits by repeating their top bits, so 0 stays 0
// and the maximum becomes exactly 255.
Rgb Expand565(uint16_t c) {
  const uint32_t r = c >> 11, g = (c >> 5) & 63, b = c & 31;
  return {(r << 3) | (r >> 2), (g << 2) | (g >> 4), (b << 3) | (b >> 2)};
}

// The four colours of a colour block with the given alpha (BC2 and BC3 pass 0 and
// OR in their own). The documented 2/3-1/3 and 1/2-1/2 mixes are taken on the
// widened 8-bit values and rounded to nearest: (2a + b + 1) / 3 and (a + b + 1) / 2.
// Index 3 of the 3-colour mode stays 0, 0, 0 with alpha 0 (transparent black).
void BuildColourPalette(const uint8_t* block, bool allowThreeColour, uint32_t alpha, uint32_t pal[4]) {
  const uint16_t c0 = bc::Load16(block), c1 = bc::Load16(block + 2);
  const Rgb a = Expand565(c0), b = Expand565(c1);
  pal[0] = bc::Bgra(a.r, a.g, a.b, alpha);
  pal[1] = bc::Bgra(b.r, b.g, b.b, alpha);
  if (c0 > c1 || !allowThreeColour) {
    pal[2] = bc::Bgra((2 * a.r + b.r + 1) / 3, (2 * a.g + b.g + 1) / 3, (2 * a.b + b.b + 1) / 3, alpha);
    pal[3] = bc::Bgra((a.r + 2 * b.r + 1) / 3, (a.g + 2 * b.g + 1) / 3, (a.b + 2 * b.b + 1) / 3, alpha);
  } else {
    pal[2] = bc::Bgra((a.r + b.r + 1) / 2, (a.g + b.g + 1) / 2, (a.b + b.b + 1) / 2, alpha);
    pal[3] = 0;
  }
}

}  // namespace

void DecodeBC1(const uint8_t* block, uint8_t* dst, size_t pitch) {
  uint32_t pal[4];
  BuildColourPalette(block, true, 255, pal);
  uint32_t idx = bc::Load32(block + 4);
  for (int y = 0; y < 4; ++y, dst += pitch, idx >>= 8) {
    bc::Store32(dst + 0, pal[idx & 3]);
    bc::Store32(dst + 4, pal[(idx >> 2) & 3]);
    bc::Store32(dst + 8, pal[(idx >> 4) & 3]);
    bc::Store32(dst + 12, pal[(idx >> 6) & 3]);
  }
}

void DecodeBC2(const uint8_t* block, uint8_t* dst, size_t pitch) {
  uint32_t pal[4];
  BuildColourPalette(block + 8, false, 0, pal);
  uint32_t idx = bc::Load32(block + 12);
  for (int y = 0; y < 4; ++y, dst += pitch, idx >>= 8) {
    const uint32_t alpha = bc::Load16(block + 2 * y);  // 4 bits per texel, texel 0 in the low nibble
    for (int x = 0; x < 4; ++x) {
      const uint32_t a = ((alpha >> (4 * x)) & 15) * 17;
      bc::Store32(dst + 4 * x, pal[(idx >> (2 * x)) & 3] | (a << 24));
    }
  }
}

void DecodeBC3(const uint8_t* block, uint8_t* dst, size_t pitch) {
  uint32_t pal[4];
  BuildColourPalette(block + 8, false, 0, pal);
  uint8_t ramp[8];
  bc::BuildUnsignedRamp(block[0], block[1], ramp);
  uint32_t alphaPal[8];
  for (int i = 0; i < 8; ++i) alphaPal[i] = static_cast<uint32_t>(ramp[i]) << 24;
  uint32_t idx = bc::Load32(block + 12);
  const bc::RampIndices alphaIdx(block);
  for (int y = 0; y < 4; ++y, dst += pitch, idx >>= 8) {
    const uint32_t aidx = alphaIdx.Row(y);
    bc::Store32(dst + 0, pal[idx & 3] | alphaPal[aidx & 7]);
    bc::Store32(dst + 4, pal[(idx >> 2) & 3] | alphaPal[(aidx >> 3) & 7]);
    bc::Store32(dst + 8, pal[(idx >> 4) & 3] | alphaPal[(aidx >> 6) & 7]);
    bc::Store32(dst + 12, pal[(idx >> 6) & 3] | alphaPal[(aidx >> 9) & 7]);
  }
}

bool BC1BlockUsesTransparency(const uint8_t* block) {
  if (bc::Load16(block) > bc::Load16(block + 2)) return false;
  const uint32_t idx = bc::Load32(block + 4);
  return (idx & (idx >> 1) & 0x55555555u) != 0;  // some 2-bit index is 3
}

}  // namespace readdxt
