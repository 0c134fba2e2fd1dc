// Each uncompressed decoding path (masks, palette, 16-bit, float, packed float, YUV, pairs):
// known pixels in, TGA bytes out.
#include <gtest/gtest.h>

#include <cmath>

#include "readdxt/dds_builder.h"

namespace readdxt_test {
namespace {

using namespace readdxt;

struct Case {
  const char* name;
  DdsBuilder dds;
  int depth;
  std::vector<int> pixels;  // B, G, R (and A at 32 bits) per pixel, row by row
};

// Palette entry i = (R i, G 255 - i, B i / 2, A i or 255).
DdsBuilder Paletted(uint32_t w, uint32_t h, uint32_t bits, bool paletteAlpha) {
  DdsBuilder b = DdsBuilder::Masks(w, h, DDPF_PALETTEINDEXED8, bits, 0, 0, 0, 0);
  for (int i = 0; i < 256; ++i)
    b.palette.insert(b.palette.end(),
                     {uint8_t(i), uint8_t(255 - i), uint8_t(i / 2), uint8_t(paletteAlpha ? i : 255)});
  return b;
}

DdsBuilder M(uint32_t w, uint32_t h, uint32_t flags, uint32_t bits, uint32_t r, uint32_t g, uint32_t b,
             uint32_t a, const Bytes& data) {
  return DdsBuilder::Masks(w, h, flags, bits, r, g, b, a).With(data);
}
DdsBuilder F(uint32_t w, uint32_t h, uint32_t code, const Bytes& data) {
  return DdsBuilder::FourCC(w, h, code).With(data);
}
DdsBuilder X(uint32_t w, uint32_t h, uint32_t dxgi, const Bytes& data) {
  return DdsBuilder::Dx10(w, h, dxgi).With(data);
}

constexpr uint32_t kRgb = DDPF_RGB, kRgba = DDPF_RGB | DDPF_ALPHAPIXELS, kLum = DDPF_LUMINANCE;
constexpr uint64_t h1 = 0x3C00, hHalf = 0x3800;

// clang-format off
const Case kCases[] = {
    // Bit masks: 32, 24 (DWORD rows) and 16 bits, any order, 16-bit and signed channels.
    {"A8R8G8B8", M(2, 2, kRgba, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000, Words(4, {0x80112233, 0xFF445566, 0x00778899, 0x10AABBCC})), 32,
     {0x33, 0x22, 0x11, 0x80, 0x66, 0x55, 0x44, 0xFF, 0x99, 0x88, 0x77, 0, 0xCC, 0xBB, 0xAA, 0x10}},
    {"X8R8G8B8", M(2, 1, kRgb, 32, 0xFF0000, 0xFF00, 0xFF, 0, Words(4, {0x80112233, 0x00445566})), 24, {0x33, 0x22, 0x11, 0x66, 0x55, 0x44}},
    {"A8B8G8R8", M(2, 1, kRgba, 32, 0xFF, 0xFF00, 0xFF0000, 0xFF000000, Words(4, {0x80112233, 0xFF445566})), 32,
     {0x11, 0x22, 0x33, 0x80, 0x44, 0x55, 0x66, 0xFF}},
    {"R8G8B8 DWORD rows", M(3, 2, kRgb, 24, 0xFF0000, 0xFF00, 0xFF, 0, Words(3, {0x112233, 0x445566, 0x778899, 0xEEEEEE, 0xAABBCC, 0xDDEEFF, 0x010203, 0xEEEEEE})), 24,
     {0x33, 0x22, 0x11, 0x66, 0x55, 0x44, 0x99, 0x88, 0x77, 0xCC, 0xBB, 0xAA, 0xFF, 0xEE, 0xDD, 3, 2, 1}},
    {"R5G6B5", M(2, 2, kRgb, 16, 0xF800, 0x7E0, 0x1F, 0, Words(2, {0xF800, 0x07E0, 0x001F, 0x8410})), 24, {0, 0, 255, 0, 255, 0, 255, 0, 0, 132, 130, 132}},
    {"A2B10G10R10 masks read with red and blue swapped", M(2, 1, kRgba, 32, 0x3FF, 0xFFC00, 0x3FF00000, 0xC0000000, Words(4, {0xC00003FF, 0x7FF00000})), 32,
     {255, 0, 0, 255, 0, 0, 255, 85}},
    {"G16R16: red, green, blue 0", M(2, 1, kRgb, 32, 0xFFFF, 0xFFFF0000, 0, 0, Words(4, {0xFFFF0000, 0x8000FFFF})), 24, {0, 255, 0, 0, 128, 255}},
    {"V8U8 signed: -1..1 to 0..255", M(2, 1, DDPF_BUMPDUDV, 16, 0xFF, 0xFF00, 0, 0, Words(2, {0x7F81, 0x0080})), 24, {0, 255, 0, 0, 128, 0}},
    // Luminance and alpha only.
    {"A8L8", M(2, 1, kLum | DDPF_ALPHAPIXELS, 16, 0xFF, 0, 0, 0xFF00, Words(2, {0x80FF, 0x0010})), 32, {255, 255, 255, 128, 16, 16, 16, 0}},
    {"A8: grey = alpha", M(2, 1, DDPF_ALPHA, 8, 0, 0, 0, 0xFF, Words(1, {0, 0x80})), 32, {0, 0, 0, 0, 128, 128, 128, 128}},
    {"A8L8 written as RGB masks", M(2, 1, kRgba, 16, 0xFF, 0xFF, 0xFF, 0xFF00, Words(2, {0x80FF, 0xFF20})), 32, {255, 255, 255, 128, 32, 32, 32, 255}},
    // Palettes.
    {"P8 opaque palette", Paletted(2, 2, 8, false).With(Words(1, {0, 1, 128, 255})), 24, {0, 255, 0, 0, 254, 1, 64, 127, 128, 127, 0, 255}},
    {"P8 palette alpha", Paletted(2, 1, 8, true).With(Words(1, {0, 200})), 32, {0, 255, 0, 0, 100, 55, 200, 200}},
    {"A8P8", Paletted(2, 1, 16, false).With(Words(2, {0x8001, 0xFF02})), 32, {0, 254, 1, 128, 1, 253, 2, 255}},
    // D3DFMT numbers as FourCC: 16-bit, signed, half and float.
    {"A16B16G16R16", F(1, 2, D3DFMT_A16B16G16R16, Words(2, {0xFFFF, 0, 0x8000, 0xFFFF, 0, 0, 0, 0})), 32, {128, 0, 255, 255, 0, 0, 0, 0}},
    {"Q16W16V16U16 signed", F(1, 1, D3DFMT_Q16W16V16U16, Words(2, {0x7FFF, 0x8001, 0, 0x7FFF})), 32, {128, 0, 255, 255}},
    {"R16F grey, clamped", F(2, 2, D3DFMT_R16F, Words(2, {h1, hHalf, 0xBC00, 0x7C00})), 24, {255, 255, 255, 128, 128, 128, 0, 0, 0, 255, 255, 255}},
    {"R32F, NaN black", F(2, 1, D3DFMT_R32F, Floats({0.5f, NAN})), 24, {128, 128, 128, 0, 0, 0}},
    {"A32B32G32R32F", F(1, 1, D3DFMT_A32B32G32R32F, Floats({1, 0, 0, 0.5f})), 32, {0, 0, 255, 128}},
    // DXGI formats of the extended header.
    {"R8G8B8A8_UNORM_SRGB keeps bytes", X(1, 1, DXGI_FORMAT_R8G8B8A8_UNORM_SRGB, Words(4, {0x80112233})), 32, {0x11, 0x22, 0x33, 0x80}},
    {"R10G10B10A2", X(3, 1, DXGI_FORMAT_R10G10B10A2_UNORM, Words(4, {0xC00003FF, 0x000FFC00, 0x20000000})), 32, {0, 0, 255, 255, 0, 255, 0, 0, 128, 0, 0, 0}},
    {"R11G11B10_FLOAT", X(1, 1, DXGI_FORMAT_R11G11B10_FLOAT, Words(4, {0x3C0 | (0x380 << 11) | (uint64_t{0x1E0} << 22)})), 24, {255, 128, 255}},
    {"R9G9B9E5", X(1, 1, DXGI_FORMAT_R9G9B9E5_SHAREDEXP, Words(4, {256 | (128 << 9) | (uint64_t{16} << 27)})), 24, {0, 128, 255}},
    // YUV and pair formats.
    {"YUY2", F(2, 1, kFourCC_YUY2, Words(1, {235, 128, 16, 128})), 24, {255, 255, 255, 0, 0, 0}},
    {"UYVY", F(2, 1, kFourCC_UYVY, Words(1, {128, 16, 128, 235})), 24, {0, 0, 0, 255, 255, 255}},
    {"RGBG, odd width", F(3, 1, kFourCC_RGBG, Words(1, {10, 20, 30, 40, 50, 60, 70, 80})), 24, {30, 20, 10, 30, 40, 10, 70, 60, 50}},
    {"GRGB", F(2, 1, kFourCC_GRGB, Words(1, {20, 10, 40, 30})), 24, {30, 20, 10, 30, 40, 10}},
};
// clang-format on

TEST(ReaddxtPixelFormats, EachDecodingPathGivesKnownPixels) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    Tga tga;
    Failure failure;
    ASSERT_TRUE(ConvertInMemory(c.dds.Build(), &tga, &failure)) << failure.message;
    EXPECT_EQ(tga.type, 2);
    EXPECT_EQ(tga.width, c.dds.header.width);
    EXPECT_EQ(tga.height, c.dds.header.height);
    ASSERT_EQ(tga.depth, c.depth);
    EXPECT_EQ(tga.descriptor, c.depth == 32 ? 0x28 : 0x20);
    EXPECT_TRUE(tga.footer);
    EXPECT_EQ(std::vector<int>(tga.pixels.begin(), tga.pixels.end()), c.pixels);
  }
}

}  // namespace
}  // namespace readdxt_test
