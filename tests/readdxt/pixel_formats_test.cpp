// Every uncompressed layout, palette, float and YUV format: known pixels in, TGA bytes out.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "readdxt/dds_builder.h"
#include "readdxt/dds_header.h"
#include "readdxt/dds_parse.h"

namespace readdxt_test {
namespace {

using namespace readdxt;

struct Case {
  const char* name;
  Bytes dds;
  uint16_t width;
  uint16_t height;
  int depth;
  std::vector<std::vector<int>> pixels;  // B, G, R, A row by row (A ignored at 24 bits)
};

Bytes Palette(bool withAlpha) {
  Bytes p;
  for (int i = 0; i < 256; ++i) {
    p.push_back(static_cast<uint8_t>(i));        // R
    p.push_back(static_cast<uint8_t>(255 - i));  // G
    p.push_back(static_cast<uint8_t>(i / 2));    // B
    p.push_back(static_cast<uint8_t>(withAlpha ? i : 255));
  }
  return p;
}

DdsBuilder Paletted(uint32_t w, uint32_t h, uint32_t bits, bool paletteAlpha) {
  DdsBuilder b = DdsBuilder::Masks(w, h, DDPF_PALETTEINDEXED8, bits, 0, 0, 0, 0);
  b.palette = Palette(paletteAlpha);
  return b;
}

constexpr uint32_t kRgba = DDPF_RGB | DDPF_ALPHAPIXELS;

std::vector<Case> Cases() {
  const uint64_t h1 = 0x3C00, hHalf = 0x3800;
  return {
      {"A8R8G8B8",
       DdsBuilder::Masks(2, 2, kRgba, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000)
           .With(Words(4, {0x80112233, 0xFF445566, 0x00778899, 0x10AABBCC}))
           .Build(),
       2,
       2,
       32,
       {{0x33, 0x22, 0x11, 0x80}, {0x66, 0x55, 0x44, 0xFF}, {0x99, 0x88, 0x77, 0}, {0xCC, 0xBB, 0xAA, 0x10}}},
      {"X8R8G8B8",
       DdsBuilder::Masks(2, 1, DDPF_RGB, 32, 0xFF0000, 0xFF00, 0xFF, 0)
           .With(Words(4, {0x80112233, 0x00445566}))
           .Build(),
       2,
       1,
       24,
       {{0x33, 0x22, 0x11}, {0x66, 0x55, 0x44}}},
      {"A8B8G8R8",
       DdsBuilder::Masks(2, 1, kRgba, 32, 0xFF, 0xFF00, 0xFF0000, 0xFF000000)
           .With(Words(4, {0x80112233, 0xFF445566}))
           .Build(),
       2,
       1,
       32,
       {{0x11, 0x22, 0x33, 0x80}, {0x44, 0x55, 0x66, 0xFF}}},
      {"R8G8B8 tight rows",
       DdsBuilder::Masks(3, 2, DDPF_RGB, 24, 0xFF0000, 0xFF00, 0xFF, 0)
           .With(Words(3, {0x112233, 0x445566, 0x778899, 0xAABBCC, 0xDDEEFF, 0x010203}))
           .Build(),
       3,
       2,
       24,
       {{0x33, 0x22, 0x11},
        {0x66, 0x55, 0x44},
        {0x99, 0x88, 0x77},
        {0xCC, 0xBB, 0xAA},
        {0xFF, 0xEE, 0xDD},
        {0x03, 0x02, 0x01}}},
      {"R8G8B8 DWORD-aligned rows",
       DdsBuilder::Masks(3, 2, DDPF_RGB, 24, 0xFF0000, 0xFF00, 0xFF, 0)
           .With(Words(3, {0x112233, 0x445566, 0x778899, 0xEEEEEE}))
           .With(Words(3, {0xAABBCC, 0xDDEEFF, 0x010203, 0xEEEEEE}))
           .Build(),
       3,
       2,
       24,
       {{0x33, 0x22, 0x11},
        {0x66, 0x55, 0x44},
        {0x99, 0x88, 0x77},
        {0xCC, 0xBB, 0xAA},
        {0xFF, 0xEE, 0xDD},
        {0x03, 0x02, 0x01}}},
      {"R5G6B5",
       DdsBuilder::Masks(2, 2, DDPF_RGB, 16, 0xF800, 0x7E0, 0x1F, 0)
           .With(Words(2, {0xF800, 0x07E0, 0x001F, 0x8410}))
           .Build(),
       2,
       2,
       24,
       {{0, 0, 255}, {0, 255, 0}, {255, 0, 0}, {132, 130, 132}}},
      {"A1R5G5B5",
       DdsBuilder::Masks(2, 1, kRgba, 16, 0x7C00, 0x3E0, 0x1F, 0x8000)
           .With(Words(2, {0xFC00, 0x03E0}))
           .Build(),
       2,
       1,
       32,
       {{0, 0, 255, 255}, {0, 255, 0, 0}}},
      {"A4R4G4B4",
       DdsBuilder::Masks(2, 2, kRgba, 16, 0xF00, 0xF0, 0xF, 0xF000)
           .With(Words(2, {0xF123, 0x0FFF, 0x8000, 0x7654}))
           .Build(),
       2,
       2,
       32,
       {{51, 34, 17, 255}, {255, 255, 255, 0}, {0, 0, 0, 136}, {68, 85, 102, 119}}},
      {"R3G3B2",
       DdsBuilder::Masks(2, 2, DDPF_RGB, 8, 0xE0, 0x1C, 0x3, 0)
           .With(Words(1, {0xE0, 0x1C, 0x03, 0x49}))
           .Build(),
       2,
       2,
       24,
       {{0, 0, 255}, {0, 255, 0}, {255, 0, 0}, {85, 73, 73}}},
      {"A8R3G3B2",
       DdsBuilder::Masks(2, 1, kRgba, 16, 0xE0, 0x1C, 0x3, 0xFF00).With(Words(2, {0x80E0, 0xFF03})).Build(),
       2,
       1,
       32,
       {{0, 0, 255, 128}, {255, 0, 0, 255}}},
      {"A2B10G10R10 masks read with red and blue swapped",
       DdsBuilder::Masks(2, 1, kRgba, 32, 0x3FF, 0xFFC00, 0x3FF00000, 0xC0000000)
           .With(Words(4, {0xC00003FF, 0x7FF00000}))
           .Build(),
       2,
       1,
       32,
       {{255, 0, 0, 255}, {0, 0, 255, 85}}},
      {"G16R16 masks: red, green, blue 0",
       DdsBuilder::Masks(2, 1, DDPF_RGB, 32, 0xFFFF, 0xFFFF0000, 0, 0)
           .With(Words(4, {0xFFFF0000, 0x8000FFFF}))
           .Build(),
       2,
       1,
       24,
       {{0, 255, 0}, {0, 128, 255}}},
      {"L8 grey",
       DdsBuilder::Masks(2, 2, DDPF_LUMINANCE, 8, 0xFF, 0, 0, 0)
           .With(Words(1, {0, 0x80, 0xFF, 0x10}))
           .Build(),
       2,
       2,
       24,
       {{0, 0, 0}, {128, 128, 128}, {255, 255, 255}, {16, 16, 16}}},
      {"L16 grey",
       DdsBuilder::Masks(2, 1, DDPF_LUMINANCE, 16, 0xFFFF, 0, 0, 0).With(Words(2, {0xFFFF, 0x8080})).Build(),
       2,
       1,
       24,
       {{255, 255, 255}, {128, 128, 128}}},
      {"A8L8 grey with alpha",
       DdsBuilder::Masks(2, 1, DDPF_LUMINANCE | DDPF_ALPHAPIXELS, 16, 0xFF, 0, 0, 0xFF00)
           .With(Words(2, {0x80FF, 0x0010}))
           .Build(),
       2,
       1,
       32,
       {{255, 255, 255, 128}, {16, 16, 16, 0}}},
      {"A4L4",
       DdsBuilder::Masks(2, 1, DDPF_LUMINANCE | DDPF_ALPHAPIXELS, 8, 0xF, 0, 0, 0xF0)
           .With(Words(1, {0xF3, 0x0C}))
           .Build(),
       2,
       1,
       32,
       {{51, 51, 51, 255}, {204, 204, 204, 0}}},
      {"A8: grey = alpha",
       DdsBuilder::Masks(2, 1, DDPF_ALPHA, 8, 0, 0, 0, 0xFF).With(Words(1, {0, 0x80})).Build(),
       2,
       1,
       32,
       {{0, 0, 0, 0}, {128, 128, 128, 128}}},
      {"A8 with bit count 0",
       DdsBuilder::Masks(2, 1, DDPF_ALPHA, 0, 0, 0, 0, 0xFF).With(Words(1, {0x40, 0xFF})).Build(),
       2,
       1,
       32,
       {{64, 64, 64, 64}, {255, 255, 255, 255}}},
      {"A8L8 written as RGB masks",
       DdsBuilder::Masks(2, 1, kRgba, 16, 0xFF, 0xFF, 0xFF, 0xFF00).With(Words(2, {0x80FF, 0xFF20})).Build(),
       2,
       1,
       32,
       {{255, 255, 255, 128}, {32, 32, 32, 255}}},
      {"V8U8 signed: -1..1 to 0..255",
       DdsBuilder::Masks(2, 1, DDPF_BUMPDUDV, 16, 0xFF, 0xFF00, 0, 0)
           .With(Words(2, {0x7F81, 0x0080}))
           .Build(),
       2,
       1,
       24,
       {{0, 255, 0}, {0, 128, 0}}},
      {"any channel order",
       DdsBuilder::Masks(1, 2, kRgba, 32, 0xFF00, 0xFF, 0xFF000000, 0xFF0000)
           .With(Words(4, {0x11223344, 0x00FF0000}))
           .Build(),
       1,
       2,
       32,
       {{0x11, 0x44, 0x33, 0x22}, {0, 0, 0, 0xFF}}},
      {"7-, 7- and 2-bit masks scale exactly",
       DdsBuilder::Masks(2, 1, DDPF_RGB, 16, 0x7F, 0x3F80, 0xC000, 0)
           .With(Words(2, {0x7F | (0x40 << 7) | (1 << 14), 0x3F80}))
           .Build(),
       2,
       1,
       24,
       {{85, 129, 255}, {0, 255, 0}}},
      {"P8 with opaque palette",
       Paletted(2, 2, 8, false).With(Words(1, {0, 1, 128, 255})).Build(),
       2,
       2,
       24,
       {{0, 255, 0}, {0, 254, 1}, {64, 127, 128}, {127, 0, 255}}},
      {"P8 with palette alpha",
       Paletted(2, 1, 8, true).With(Words(1, {0, 200})).Build(),
       2,
       1,
       32,
       {{0, 255, 0, 0}, {100, 55, 200, 200}}},
      {"A8P8",
       Paletted(2, 1, 16, false).With(Words(2, {0x8001, 0xFF02})).Build(),
       2,
       1,
       32,
       {{0, 254, 1, 128}, {1, 253, 2, 255}}},
      {"D3DFMT A16B16G16R16",
       DdsBuilder::FourCC(1, 2, D3DFMT_A16B16G16R16)
           .With(Words(2, {0xFFFF, 0, 0x8000, 0xFFFF, 0, 0, 0, 0}))
           .Build(),
       1,
       2,
       32,
       {{128, 0, 255, 255}, {0, 0, 0, 0}}},
      {"D3DFMT Q16W16V16U16 signed",
       DdsBuilder::FourCC(1, 1, D3DFMT_Q16W16V16U16).With(Words(2, {0x7FFF, 0x8001, 0, 0x7FFF})).Build(),
       1,
       1,
       32,
       {{128, 0, 255, 255}}},
      {"D3DFMT R16F grey, clamped",
       DdsBuilder::FourCC(2, 2, D3DFMT_R16F).With(Words(2, {h1, hHalf, 0xBC00, 0x7C00})).Build(),
       2,
       2,
       24,
       {{255, 255, 255}, {128, 128, 128}, {0, 0, 0}, {255, 255, 255}}},
      {"D3DFMT G16R16F",
       DdsBuilder::FourCC(2, 1, D3DFMT_G16R16F).With(Words(2, {h1, 0, 0, hHalf})).Build(),
       2,
       1,
       24,
       {{0, 0, 255}, {0, 128, 0}}},
      {"D3DFMT A16B16G16R16F",
       DdsBuilder::FourCC(1, 1, D3DFMT_A16B16G16R16F).With(Words(2, {0, h1, hHalf, hHalf})).Build(),
       1,
       1,
       32,
       {{128, 255, 0, 128}}},
      {"D3DFMT R32F",
       DdsBuilder::FourCC(2, 2, D3DFMT_R32F).With(Floats({1.0f, 0.5f, -1.0f, NAN})).Build(),
       2,
       2,
       24,
       {{255, 255, 255}, {128, 128, 128}, {0, 0, 0}, {0, 0, 0}}},
      {"D3DFMT G32R32F",
       DdsBuilder::FourCC(1, 1, D3DFMT_G32R32F).With(Floats({0.25f, 2.0f})).Build(),
       1,
       1,
       24,
       {{0, 255, 64}}},
      {"D3DFMT A32B32G32R32F",
       DdsBuilder::FourCC(1, 1, D3DFMT_A32B32G32R32F).With(Floats({1, 0, 0, 0.5f})).Build(),
       1,
       1,
       32,
       {{0, 0, 255, 128}}},
      {"D3DFMT A8R8G8B8 as FourCC",
       DdsBuilder::FourCC(1, 1, D3DFMT_A8R8G8B8).With(Words(4, {0x80112233})).Build(),
       1,
       1,
       32,
       {{0x33, 0x22, 0x11, 0x80}}},
      {"DXGI R8G8B8A8_UNORM_SRGB keeps bytes",
       DdsBuilder::Dx10(1, 1, DXGI_FORMAT_R8G8B8A8_UNORM_SRGB).With(Words(4, {0x80112233})).Build(),
       1,
       1,
       32,
       {{0x11, 0x22, 0x33, 0x80}}},
      {"DXGI B8G8R8A8",
       DdsBuilder::Dx10(1, 1, DXGI_FORMAT_B8G8R8A8_UNORM).With(Words(4, {0x80112233})).Build(),
       1,
       1,
       32,
       {{0x33, 0x22, 0x11, 0x80}}},
      {"DXGI B8G8R8X8",
       DdsBuilder::Dx10(1, 1, DXGI_FORMAT_B8G8R8X8_UNORM).With(Words(4, {0x80112233})).Build(),
       1,
       1,
       24,
       {{0x33, 0x22, 0x11}}},
      {"DXGI R10G10B10A2",
       DdsBuilder::Dx10(3, 1, DXGI_FORMAT_R10G10B10A2_UNORM)
           .With(Words(4, {0xC00003FF, 0x000FFC00, 0x20000000}))
           .Build(),
       3,
       1,
       32,
       {{0, 0, 255, 255}, {0, 255, 0, 0}, {128, 0, 0, 0}}},
      {"DXGI R8 grey",
       DdsBuilder::Dx10(2, 1, DXGI_FORMAT_R8_UNORM).With(Words(1, {7, 200})).Build(),
       2,
       1,
       24,
       {{7, 7, 7}, {200, 200, 200}}},
      {"DXGI R8_SNORM",
       DdsBuilder::Dx10(2, 1, DXGI_FORMAT_R8_SNORM).With(Words(1, {0x81, 0x7F})).Build(),
       2,
       1,
       24,
       {{0, 0, 0}, {255, 255, 255}}},
      {"DXGI R8G8",
       DdsBuilder::Dx10(1, 1, DXGI_FORMAT_R8G8_UNORM).With(Words(2, {0x2010})).Build(),
       1,
       1,
       24,
       {{0, 0x20, 0x10}}},
      {"DXGI R16",
       DdsBuilder::Dx10(1, 1, DXGI_FORMAT_R16_UNORM).With(Words(2, {0xFFFF})).Build(),
       1,
       1,
       24,
       {{255, 255, 255}}},
      {"DXGI R16_FLOAT",
       DdsBuilder::Dx10(1, 1, DXGI_FORMAT_R16_FLOAT).With(Words(2, {hHalf})).Build(),
       1,
       1,
       24,
       {{128, 128, 128}}},
      {"DXGI R32_FLOAT",
       DdsBuilder::Dx10(1, 1, DXGI_FORMAT_R32_FLOAT).With(Floats({0.25f})).Build(),
       1,
       1,
       24,
       {{64, 64, 64}}},
      {"DXGI B5G6R5",
       DdsBuilder::Dx10(1, 1, DXGI_FORMAT_B5G6R5_UNORM).With(Words(2, {0xF81F})).Build(),
       1,
       1,
       24,
       {{255, 0, 255}}},
      {"DXGI B5G5R5A1",
       DdsBuilder::Dx10(1, 1, DXGI_FORMAT_B5G5R5A1_UNORM).With(Words(2, {0x801F})).Build(),
       1,
       1,
       32,
       {{255, 0, 0, 255}}},
      {"DXGI B4G4R4A4",
       DdsBuilder::Dx10(1, 1, DXGI_FORMAT_B4G4R4A4_UNORM).With(Words(2, {0x1234})).Build(),
       1,
       1,
       32,
       {{0x44, 0x33, 0x22, 0x11}}},
      {"DXGI R16G16B16A16_UNORM",
       DdsBuilder::Dx10(1, 1, DXGI_FORMAT_R16G16B16A16_UNORM).With(Words(2, {0, 0xFFFF, 0, 0x8000})).Build(),
       1,
       1,
       32,
       {{0, 255, 0, 128}}},
      {"DXGI R16G16B16A16_FLOAT",
       DdsBuilder::Dx10(1, 1, DXGI_FORMAT_R16G16B16A16_FLOAT).With(Words(2, {hHalf, 0, h1, h1})).Build(),
       1,
       1,
       32,
       {{255, 0, 128, 255}}},
      {"DXGI R32G32B32A32_FLOAT",
       DdsBuilder::Dx10(1, 1, DXGI_FORMAT_R32G32B32A32_FLOAT).With(Floats({0, 1, 0.5f, 0.25f})).Build(),
       1,
       1,
       32,
       {{128, 255, 0, 64}}},
      {"DXGI R11G11B10_FLOAT",
       DdsBuilder::Dx10(1, 1, DXGI_FORMAT_R11G11B10_FLOAT)
           .With(Words(4, {0x3C0 | (0x380 << 11) | (uint64_t{0x1E0} << 22)}))
           .Build(),
       1,
       1,
       24,
       {{255, 128, 255}}},
      {"DXGI R9G9B9E5",
       DdsBuilder::Dx10(1, 1, DXGI_FORMAT_R9G9B9E5_SHAREDEXP)
           .With(Words(4, {256 | (128 << 9) | (uint64_t{16} << 27)}))
           .Build(),
       1,
       1,
       24,
       {{0, 128, 255}}},
      {"YUY2",
       DdsBuilder::FourCC(2, 1, kFourCC_YUY2).With(Words(1, {235, 128, 16, 128})).Build(),
       2,
       1,
       24,
       {{255, 255, 255}, {0, 0, 0}}},
      {"UYVY",
       DdsBuilder::FourCC(2, 1, kFourCC_UYVY).With(Words(1, {128, 16, 128, 235})).Build(),
       2,
       1,
       24,
       {{0, 0, 0}, {255, 255, 255}}},
      {"RGBG, odd width",
       DdsBuilder::FourCC(3, 1, kFourCC_RGBG).With(Words(1, {10, 20, 30, 40, 50, 60, 70, 80})).Build(),
       3,
       1,
       24,
       {{30, 20, 10}, {30, 40, 10}, {70, 60, 50}}},
      {"GRGB",
       DdsBuilder::FourCC(2, 1, kFourCC_GRGB).With(Words(1, {20, 10, 40, 30})).Build(),
       2,
       1,
       24,
       {{30, 20, 10}, {30, 40, 10}}},
      {"DXGI R8G8_B8G8",
       DdsBuilder::Dx10(2, 1, DXGI_FORMAT_R8G8_B8G8_UNORM).With(Words(1, {10, 20, 30, 40})).Build(),
       2,
       1,
       24,
       {{30, 20, 10}, {30, 40, 10}}},
  };
}

TEST(ReaddxtPixelFormats, EveryLayoutDecodesToKnownPixels) {
  for (const Case& c : Cases()) {
    SCOPED_TRACE(c.name);
    Tga tga;
    Failure failure;
    ASSERT_TRUE(ConvertInMemory(c.dds, &tga, &failure)) << failure.message;
    EXPECT_EQ(tga.type, 2);
    EXPECT_EQ(tga.width, c.width);
    EXPECT_EQ(tga.height, c.height);
    EXPECT_EQ(tga.depth, c.depth);
    EXPECT_EQ(tga.descriptor, c.depth == 32 ? 0x28 : 0x20);
    EXPECT_TRUE(tga.footer);
    ASSERT_EQ(c.pixels.size(), size_t{c.width} * c.height);
    for (size_t i = 0; i < c.pixels.size(); ++i) {
      std::vector<int> want = c.pixels[i];
      if (c.depth == 24) want.resize(3);
      std::vector<int> got = tga.At(static_cast<uint32_t>(i % c.width), static_cast<uint32_t>(i / c.width));
      got.resize(want.size());
      EXPECT_EQ(got, want) << "pixel " << i;
    }
  }
}

}  // namespace
}  // namespace readdxt_test
