// Helpers shared by the block decoders: little-endian loads, texel stores and a
// reader for the 128-bit BC6H/BC7 blocks. Internal to the decoders.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace readdxt {
namespace bc {

#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ != __ORDER_LITTLE_ENDIAN__
#error "the block decoders assume a little-endian host"
#endif

inline uint16_t Load16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
inline uint32_t Load32(const uint8_t* p) {
  uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}
inline uint64_t Load64(const uint8_t* p) {
  uint64_t v;
  std::memcpy(&v, p, 8);
  return v;
}

// A texel as a 32-bit word whose bytes in memory are B, G, R, A.
inline uint32_t Bgra(uint32_t r, uint32_t g, uint32_t b, uint32_t a) {
  return b | (g << 8) | (r << 16) | (a << 24);
}
inline void Store32(uint8_t* p, uint32_t v) { std::memcpy(p, &v, 4); }

// The 128 bits of a block, consumed from the least significant bit up. A field is read
// from the bytes it starts in rather than by shifting a 128-bit state along: in a 32-bit
// build a field of up to 25 bits is one 32-bit load, shift and mask.
class BlockBits {
 public:
  explicit BlockBits(const uint8_t* block) { std::memcpy(bytes_, block, 16); }
  // n in 1..32.
  uint32_t Take(unsigned n) {
    const uint8_t* p = bytes_ + (pos_ >> 3);
    const unsigned s = pos_ & 7;
    pos_ += n;
    if (n <= 25) return (Load32(p) >> s) & ((1u << n) - 1);
    return static_cast<uint32_t>((Load64(p) >> s) & ((uint64_t{1} << n) - 1));
  }
  // n in 0..32; a field a mode does not have reads as 0.
  uint32_t TakeOptional(unsigned n) { return n ? Take(n) : 0; }
  uint32_t Peek() const { return static_cast<uint32_t>(Load64(bytes_ + (pos_ >> 3)) >> (pos_ & 7)); }
  // The next 64 bits not yet taken (zeros past the end of the block).
  uint64_t Rest() const {
    const uint8_t* p = bytes_ + (pos_ >> 3);
    const unsigned s = pos_ & 7;
    return s ? (Load64(p) >> s) | (uint64_t{p[8]} << (64 - s)) : Load64(p);
  }

 private:
  uint8_t bytes_[48] = {};  // the block, then zeros for every read up to 64 bits past its end
  unsigned pos_ = 0;
};

// Index fields where an anchor texel stores one bit fewer become fixed-width by
// putting a zero bit back at `position` (the anchor's missing top bit).
inline uint64_t InsertZeroBit(uint64_t v, unsigned position) {
  const uint64_t low = v & ((uint64_t{1} << position) - 1);
  return low | ((v >> position) << (position + 1));
}

// The 48 index bits of a BC4 block, 3 per texel from texel 0 up, as two 24-bit
// halves (rows 0-1 and rows 2-3), which keeps the shifts 32-bit wide.
struct RampIndices {
  uint32_t half[2];
  explicit RampIndices(const uint8_t* block)
      : half{block[2] | (block[3] << 8) | (uint32_t{block[4]} << 16),
             block[5] | (block[6] << 8) | (uint32_t{block[7]} << 16)} {}
  // The 12 index bits of row y.
  uint32_t Row(int y) const { return half[y >> 1] >> (12 * (y & 1)); }
};

// Fills the eight BC4-style values of an alpha/red block (two 8-bit endpoints).
// Unsigned: a0 > a1 gives six interpolated values, otherwise four plus 0 and 255.
void BuildUnsignedRamp(uint8_t a0, uint8_t a1, uint8_t out[8]);
// Signed endpoints (-128 reads as -127), each value mapped from -1..1 to 0..255.
void BuildSignedRamp(int8_t a0, int8_t a1, uint8_t out[8]);

}  // namespace bc
}  // namespace readdxt
