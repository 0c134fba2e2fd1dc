// Builds small DDS files byte by byte for the converter tests, and reads back the TGA.
#pragma once
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "readdxt/dds_header.h"

namespace readdxt_test {

using Bytes = std::vector<uint8_t>;

struct DdsBuilder {
  readdxt::DdsHeader header{};
  readdxt::DdsHeaderDx10 ext{};
  Bytes data;  // palette and pixels

  DdsBuilder& With(const Bytes& bytes) {
    data.insert(data.end(), bytes.begin(), bytes.end());
    return *this;
  }
  template <class Fn>
  DdsBuilder& Edit(const Fn& edit) {
    edit(*this);
    return *this;
  }
  Bytes Build() const {
    const bool dx10 = header.ddspf.fourCC == readdxt::kFourCC_DX10;
    Bytes out(4 + sizeof header + (dx10 ? sizeof ext : 0));
    std::memcpy(out.data(), "DDS ", 4);
    std::memcpy(out.data() + 4, &header, sizeof header);
    if (dx10) std::memcpy(out.data() + 4 + sizeof header, &ext, sizeof ext);
    out.insert(out.end(), data.begin(), data.end());
    return out;
  }
};

inline DdsBuilder Masks(uint32_t width, uint32_t height, uint32_t flags, uint32_t bits, uint32_t r,
                        uint32_t g, uint32_t b, uint32_t a, const Bytes& data = {}) {
  using namespace readdxt;
  DdsBuilder d;
  const DdsPixelFormat format = {kDdsPixelFormatSize, flags, 0, bits, r, g, b, a};
  const uint32_t required = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PIXELFORMAT;
  d.header = {kDdsHeaderSize, required, height, width, 0, 0, 1, {}, format, 0x1000, 0, 0, 0, 0};
  return d.With(data);
}
inline DdsBuilder FourCC(uint32_t width, uint32_t height, uint32_t code = readdxt::kFourCC_DXT1,
                         const Bytes& data = {}) {
  DdsBuilder d = Masks(width, height, readdxt::DDPF_FOURCC, 0, 0, 0, 0, 0, data);
  d.header.ddspf.fourCC = code;
  return d;
}
inline DdsBuilder Dx10(uint32_t width, uint32_t height, uint32_t dxgi, const Bytes& data = {}) {
  DdsBuilder d = FourCC(width, height, readdxt::kFourCC_DX10, data);
  d.ext = {dxgi, readdxt::D3D10_RESOURCE_DIMENSION_TEXTURE2D, 0, 1, 0};
  return d;
}

// Little-endian words of `size` bytes each, the whole list `times` over.
inline Bytes Words(int size, std::initializer_list<uint64_t> values, size_t times = 1) {
  Bytes out;
  for (size_t t = 0; t < times; ++t) {
    for (uint64_t v : values) {
      for (int i = 0; i < size; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
  }
  return out;
}

inline Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

struct Tga {
  uint8_t type = 0, depth = 0, descriptor = 0;
  uint16_t width = 0, height = 0;
  Bytes pixels;  // as stored
  bool footer = false;

  // B, G, R, A of one pixel (A 255 in 24-bit files).
  std::vector<int> At(uint32_t x, uint32_t y) const {
    const size_t n = depth / 8;
    const uint8_t* p = pixels.data() + (size_t{y} * width + x) * n;
    return {p[0], p[1], p[2], n == 4 ? p[3] : 255};
  }
};

inline bool ParseTga(const Bytes& file, Tga* tga) {
  if (file.size() < 18 + 26) return false;
  tga->type = file[2];
  tga->width = static_cast<uint16_t>(file[12] | file[13] << 8);
  tga->height = static_cast<uint16_t>(file[14] | file[15] << 8);
  tga->depth = file[16];
  tga->descriptor = file[17];
  const size_t bytes = size_t{tga->width} * tga->height * (tga->depth / 8);
  if (file.size() != 18 + bytes + 26) return false;
  tga->pixels.assign(file.begin() + 18, file.begin() + 18 + static_cast<long>(bytes));
  tga->footer = std::memcmp(file.data() + file.size() - 18, "TRUEVISION-XFILE.", 18) == 0;
  return true;
}

}  // namespace readdxt_test
