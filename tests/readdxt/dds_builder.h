// Builds small DDS files byte by byte for the converter tests, and reads back the TGA.
#pragma once
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "readdxt/converter.h"
#include "readdxt/dds_header.h"

namespace readdxt_test {

using Bytes = std::vector<uint8_t>;

struct DdsBuilder {
  readdxt::DdsHeader header{};
  bool dx10 = false;
  readdxt::DdsHeaderDx10 ext{};
  Bytes palette;
  Bytes data;

  DdsBuilder(uint32_t width, uint32_t height) {
    header.size = readdxt::kDdsHeaderSize;
    header.flags =
        readdxt::DDSD_CAPS | readdxt::DDSD_HEIGHT | readdxt::DDSD_WIDTH | readdxt::DDSD_PIXELFORMAT;
    header.width = width;
    header.height = height;
    header.mipMapCount = 1;
    header.ddspf.size = readdxt::kDdsPixelFormatSize;
    header.caps = 0x1000;
  }
  static DdsBuilder FourCC(uint32_t width, uint32_t height, uint32_t code) {
    DdsBuilder b(width, height);
    b.header.ddspf.flags = readdxt::DDPF_FOURCC;
    b.header.ddspf.fourCC = code;
    return b;
  }
  static DdsBuilder Masks(uint32_t width, uint32_t height, uint32_t flags, uint32_t bits, uint32_t r,
                          uint32_t g, uint32_t b, uint32_t a) {
    DdsBuilder d(width, height);
    d.header.ddspf.flags = flags;
    d.header.ddspf.rgbBitCount = bits;
    d.header.ddspf.rBitMask = r;
    d.header.ddspf.gBitMask = g;
    d.header.ddspf.bBitMask = b;
    d.header.ddspf.aBitMask = a;
    return d;
  }
  static DdsBuilder Dx10(uint32_t width, uint32_t height, uint32_t dxgi) {
    DdsBuilder b = FourCC(width, height, readdxt::kFourCC_DX10);
    b.dx10 = true;
    b.ext.dxgiFormat = dxgi;
    b.ext.resourceDimension = readdxt::D3D10_RESOURCE_DIMENSION_TEXTURE2D;
    b.ext.arraySize = 1;
    return b;
  }
  DdsBuilder& With(const Bytes& bytes) {
    data.insert(data.end(), bytes.begin(), bytes.end());
    return *this;
  }
  Bytes Build() const {
    Bytes out(4 + sizeof header + (dx10 ? sizeof ext : 0));
    std::memcpy(out.data(), "DDS ", 4);
    std::memcpy(out.data() + 4, &header, sizeof header);
    if (dx10) std::memcpy(out.data() + 4 + sizeof header, &ext, sizeof ext);
    out.insert(out.end(), palette.begin(), palette.end());
    out.insert(out.end(), data.begin(), data.end());
    return out;
  }
};

// Little-endian words of `size` bytes each.
inline Bytes Words(int size, std::initializer_list<uint64_t> values) {
  Bytes out;
  for (uint64_t v : values) {
    for (int i = 0; i < size; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
  }
  return out;
}

inline Bytes Floats(std::initializer_list<float> values) {
  Bytes out(values.size() * 4);
  std::memcpy(out.data(), values.begin(), out.size());
  return out;
}

inline Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

inline Bytes Repeat(const Bytes& unit, size_t times) {
  Bytes out;
  for (size_t i = 0; i < times; ++i) out.insert(out.end(), unit.begin(), unit.end());
  return out;
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

// Runs the whole conversion in memory.
inline bool ConvertInMemory(const Bytes& dds, Tga* tga, readdxt::Failure* failure) {
  readdxt::MemorySource source(dds.data(), dds.size());
  readdxt::MemorySink sink;
  readdxt::ConvertedImage image;
  if (!readdxt::ConvertDdsToTga(source, sink, &image, failure)) return false;
  return ParseTga(sink.bytes(), tga);
}

}  // namespace readdxt_test
