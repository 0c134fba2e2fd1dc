// Builds small DDS files byte by byte for the converter tests, and reads back the TGA.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "readdxt/dds_header.h"

namespace readdxt_test {

using Bytes = std::vector<uint8_t>;

inline Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

struct DdsBuilder {
  readdxt::DdsHeader header{};
  readdxt::DdsHeaderDx10 ext{};
  Bytes data;  // palette and pixels

  DdsBuilder& With(const Bytes& bytes) { return data = data + bytes, *this; }
  template <class Fn>
  DdsBuilder& Edit(const Fn& edit) {
    return edit(*this), *this;
  }
  Bytes Build() const {
    const auto raw = [](const void* p, size_t n) { return Bytes{(const uint8_t*)p, (const uint8_t*)p + n}; };
    const bool dx10 = header.ddspf.fourCC == readdxt::kFourCC_DX10;
    return Bytes{'D', 'D', 'S', ' '} + raw(&header, sizeof header) + raw(&ext, dx10 ? sizeof ext : 0) + data;
  }
};

inline DdsBuilder Masks(uint32_t width, uint32_t height, uint32_t flags, uint32_t bits, uint32_t r,
                        uint32_t g, uint32_t b, uint32_t a, const Bytes& data = {}) {
  using namespace readdxt;
  const DdsPixelFormat format = {kDdsPixelFormatSize, flags, 0, bits, r, g, b, a};
  const uint32_t required = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PIXELFORMAT;
  return {{kDdsHeaderSize, required, height, width, 0, 0, 1, {}, format, 0x1000, 0, 0, 0, 0}, {}, data};
}
inline DdsBuilder FourCC(uint32_t width, uint32_t height, uint32_t code = readdxt::kFourCC_DXT1,
                         const Bytes& data = {}) {
  return Masks(width, height, readdxt::DDPF_FOURCC, 0, 0, 0, 0, 0, data).Edit([&](DdsBuilder& d) {
    d.header.ddspf.fourCC = code;
  });
}
inline DdsBuilder Dx10(uint32_t width, uint32_t height, uint32_t dxgi, const Bytes& data = {}) {
  return FourCC(width, height, readdxt::kFourCC_DX10, data).Edit([&](DdsBuilder& d) {
    d.ext = {dxgi, readdxt::D3D10_RESOURCE_DIMENSION_TEXTURE2D, 0, 1, 0};
  });
}

// Little-endian words of `size` bytes each, the whole list `times` over.
inline Bytes Words(int size, std::initializer_list<uint64_t> values, size_t times = 1) {
  Bytes out;
  for (size_t t = 0; t < times; ++t)
    for (uint64_t v : values)
      for (int i = 0; i < size; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
  return out;
}

struct Tga {
  uint8_t depth = 0;
  uint16_t width = 0, height = 0;
  Bytes pixels;  // as stored
  // B, G, R, A of one pixel (A 255 in 24-bit files).
  std::vector<int> At(uint32_t x, uint32_t y) const {
    const size_t n = depth / 8;
    const uint8_t* p = pixels.data() + (size_t{y} * width + x) * n;
    return {p[0], p[1], p[2], n == 4 ? p[3] : 255};
  }
};

// The TGA in `file`, which must be of type 2 with a top-left origin and a footer; empty if not.
inline Tga ParseTga(const Bytes& file) {
  if (file.size() < 18 + 26) return ADD_FAILURE() << "TGA of " << file.size() << " bytes", Tga{};
  Tga t = {file[16], uint16_t(file[12] | file[13] << 8), uint16_t(file[14] | file[15] << 8), {}};
  const size_t bytes = size_t{t.width} * t.height * (t.depth / 8);
  const bool footer = std::memcmp(file.data() + file.size() - 18, "TRUEVISION-XFILE.", 18) == 0;
  if (file.size() != 18 + bytes + 26 || file[2] != 2 || file[17] != (t.depth == 32 ? 0x28 : 0x20) || !footer)
    return ADD_FAILURE() << "TGA header or size wrong", Tga{};
  t.pixels.assign(file.begin() + 18, file.begin() + 18 + static_cast<long>(bytes));
  return t;
}

}  // namespace readdxt_test
