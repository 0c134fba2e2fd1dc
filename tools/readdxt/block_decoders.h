// Decoders for one 4x4 block of the BC (DXTn) formats. Pure functions: no allocation,
// no failure path. Each writes 4 rows of 4 texels to dst; `pitch` is the distance in
// bytes between two destination rows. Output texels are B, G, R, A bytes (the byte
// order of a 32-bit TGA), already mapped for display:
//   BC4: grey (v, v, v) with alpha 255; BC5: red = first channel, green = second,
//   blue 0, alpha 255; signed variants map -1..1 to 0..255.
#pragma once
#include <cstddef>
#include <cstdint>

namespace readdxt {

void DecodeBC1(const uint8_t* block, uint8_t* dst, size_t pitch);
void DecodeBC2(const uint8_t* block, uint8_t* dst, size_t pitch);
void DecodeBC3(const uint8_t* block, uint8_t* dst, size_t pitch);
void DecodeBC4(const uint8_t* block, uint8_t* dst, size_t pitch, bool isSigned);
void DecodeBC5(const uint8_t* block, uint8_t* dst, size_t pitch, bool isSigned);
void DecodeBC7(const uint8_t* block, uint8_t* dst, size_t pitch);

// BC6H decodes to half floats: R, G, B (3 x uint16_t per texel); `pitch` in bytes.
void DecodeBC6H(const uint8_t* block, uint16_t* dst, size_t pitch, bool isSigned);
// A half float clamped to 0..1 and scaled to 0..255 with rounding (no tone mapping):
// negatives and NaN give 0, 1.0 and above (+inf too) give 255.
uint8_t HalfToUnorm8(uint16_t half);
// `count` texels of R, G, B halves (as DecodeBC6H writes them) to B, G, R, A bytes,
// each channel as HalfToUnorm8, alpha 255. Much faster than a call per channel.
void HalfRgbToBgra8(const uint16_t* rgb, uint8_t* bgra, size_t count);

// True when a BC1 block selects its 3-colour mode and uses index 3 (transparent).
bool BC1BlockUsesTransparency(const uint8_t* block);

}  // namespace readdxt
