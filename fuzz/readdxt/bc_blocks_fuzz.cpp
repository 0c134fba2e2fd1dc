// Feeds one block to a block decoder: the first byte picks the decoder, the rest
// is the block (zero-padded to 16 bytes). The destination is sized exactly, with an
// odd pitch, so any write outside the 4x4 area is caught; the decoded values are
// checked against what the formats guarantee.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "readdxt/block_decoders.h"

namespace {

constexpr size_t kPitch = 16 + 7;      // 4 B,G,R,A texels and 7 spare bytes
constexpr size_t kHalfPitch = 24 + 5;  // 4 R,G,B half texels and 5 spare bytes

void Check(bool ok) {
  if (!ok) std::abort();
}

void DecodeBgra(unsigned which, const uint8_t* block) {
  std::vector<uint8_t> out(3 * kPitch + 16);
  switch (which) {
    case 0: {
      readdxt::DecodeBC1(block, out.data(), kPitch);
      bool transparent = false;
      for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) transparent |= out[y * kPitch + 4 * x + 3] != 255;
      }
      Check(transparent == readdxt::BC1BlockUsesTransparency(block));
      break;
    }
    case 1:
      readdxt::DecodeBC2(block, out.data(), kPitch);
      break;
    case 2:
      readdxt::DecodeBC3(block, out.data(), kPitch);
      break;
    case 3:
    case 4:
      readdxt::DecodeBC4(block, out.data(), kPitch, which == 4);
      break;
    case 5:
    case 6:
      readdxt::DecodeBC5(block, out.data(), kPitch, which == 6);
      break;
    default: {
      readdxt::DecodeBC7(block, out.data(), kPitch);
      // Modes 0-3 have no alpha; an invalid mode gives zeros.
      const bool opaque = block[0] != 0 && (block[0] & 0x0F) != 0;
      for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
          const uint8_t* t = &out[y * kPitch + 4 * x];
          if (opaque) Check(t[3] == 255);
          if (block[0] == 0) Check(t[0] == 0 && t[1] == 0 && t[2] == 0 && t[3] == 0);
        }
      }
      break;
    }
  }
}

void DecodeHalf(bool isSigned, const uint8_t* block) {
  std::vector<uint8_t> out(3 * kHalfPitch + 24);
  readdxt::DecodeBC6H(block, reinterpret_cast<uint16_t*>(out.data()), kHalfPitch, isSigned);
  for (int y = 0; y < 4; ++y) {
    for (int i = 0; i < 12; ++i) {
      uint16_t h;
      std::memcpy(&h, &out[y * kHalfPitch + 2 * i], 2);
      // Never NaN or +inf; negatives only in the signed format, where -inf can occur.
      Check((h & 0x7C00) != 0x7C00 || h == 0xFC00);
      if (!isSigned) Check((h & 0x8000) == 0);
      const uint8_t v = readdxt::HalfToUnorm8(h);
      if (h & 0x8000) Check(v == 0);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  uint8_t block[16] = {};
  std::memcpy(block, data + 1, size - 1 < 16 ? size - 1 : 16);
  const unsigned which = data[0] % 10;
  if (which < 8) {
    DecodeBgra(which, block);
  } else {
    DecodeHalf(which == 9, block);
  }
  return 0;
}
