// Test helpers for the block decoder tests: a writer that lays fields into a
// block from its least significant bit up, and a 4x4 B,G,R,A texel buffer.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <ostream>

namespace readdxt_test {

class BlockWriter {
 public:
  // Appends the low `count` bits of `value`, lowest first.
  BlockWriter& Put(uint64_t value, unsigned count) {
    for (unsigned i = 0; i < count; ++i, ++pos_) {
      if ((value >> i) & 1) bytes_[pos_ / 8] |= static_cast<uint8_t>(1u << (pos_ % 8));
    }
    return *this;
  }
  unsigned Position() const { return pos_; }
  const uint8_t* Bytes() const { return bytes_; }

 private:
  uint8_t bytes_[16] = {};
  unsigned pos_ = 0;
};

struct Texel {
  uint8_t r, g, b, a;
  bool operator==(const Texel& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
};

// A decoded block: 16 texels of B, G, R, A bytes, rows 16 bytes apart.
struct Bgra4x4 {
  uint8_t bytes[64] = {};
  Texel At(unsigned i) const {
    const uint8_t* p = bytes + 4 * i;
    return {p[2], p[1], p[0], p[3]};
  }
};

inline std::ostream& operator<<(std::ostream& os, const Texel& t) {
  return os << "(r" << int(t.r) << " g" << int(t.g) << " b" << int(t.b) << " a" << int(t.a) << ")";
}

}  // namespace readdxt_test
