// The conversion as a whole: DXT1 alpha detection, cropping, row order, cube crosses, the
// first slice of arrays and volumes, the channel fix-ups of DXT2/DXT4, RXGB, BC4, BC5, and
// the block formats of the extended header.
#include "readdxt/converter.h"

#include <gtest/gtest.h>

#include "readdxt/block_decoders.h"
#include "readdxt/dds_builder.h"

namespace readdxt_test {
namespace {

using namespace readdxt;
using Px = std::vector<int>;  // B, G, R, A

// colour1 = 0 < colour0 keeps the 4-colour mode, all texels colour0.
Bytes SolidBC1(uint16_t rgb565) { return Words(2, {rgb565, 0, 0, 0}); }
const Bytes kTransparentBC1 = Words(2, {0x001F, 0xF800, 0xFFFF, 0xFFFF});
constexpr uint16_t kRed565 = 0xF800, kGreen565 = 0x07E0, kBlue565 = 0x001F;
const Px kRed = {0, 0, 255, 255}, kGreen = {0, 255, 0, 255}, kBlue = {255, 0, 0, 255};

Tga Convert(const DdsBuilder& dds) {
  Tga tga;
  Failure failure;
  EXPECT_TRUE(ConvertInMemory(dds.Build(), &tga, &failure)) << failure.message;
  return tga;
}

// Face f of a cube in one solid colour: A8R8G8B8 pixels with blue 40 * (f + 1), or DXT1
// blocks of the colours in kFaceBgra.
Bytes Face(int index, uint32_t pixels = 4) {
  return Repeat(Words(4, {0xFF000000u | static_cast<uint32_t>(40 * (index + 1))}), pixels);
}
constexpr uint16_t kFace565[6] = {0xF800, 0x07E0, 0x001F, 0xFFE0, 0x07FF, 0xF81F};
const Px kFaceBgra[6] = {{0, 0, 255, 255},   {0, 255, 0, 255},   {255, 0, 0, 255},
                         {0, 255, 255, 255}, {255, 255, 0, 255}, {255, 0, 255, 255}};

DdsBuilder Argb(uint32_t w, uint32_t h, uint32_t caps2 = 0) {
  auto b = DdsBuilder::Masks(w, h, DDPF_RGB | DDPF_ALPHAPIXELS, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000);
  b.header.caps2 = caps2;
  return b;
}

DdsBuilder Faces(DdsBuilder b, std::initializer_list<int> faces, uint32_t pixels = 4) {
  for (int f : faces) b.With(Face(f, pixels));
  return b;
}

DdsBuilder Dxt1Cube(uint32_t w, uint32_t h) {
  auto b = DdsBuilder::FourCC(w, h, kFourCC_DXT1);
  b.header.caps2 = DDSCAPS2_CUBEMAP | DDSCAPS2_CUBEMAP_ALLFACES;
  for (uint16_t c : kFace565) b.With(Repeat(SolidBC1(c), ((w + 3) / 4) * ((h + 3) / 4)));
  return b;
}

TEST(ReaddxtConverter, CubeMapsBecomeAHorizontalCross) {
  constexpr uint32_t kAll = DDSCAPS2_CUBEMAP | DDSCAPS2_CUBEMAP_ALLFACES;
  auto dx10 = DdsBuilder::Dx10(2, 2, DXGI_FORMAT_B8G8R8A8_UNORM);
  dx10.ext.miscFlag = DDS_RESOURCE_MISC_TEXTURECUBE;
  auto mips = Argb(4, 4, kAll);  // each face carries its whole chain (4x4, 2x2, 1x1)
  mips.header.mipMapCount = 3;
  const struct {
    const char* name;
    DdsBuilder dds;
    uint8_t faces;
    uint32_t w, h;
    bool dxt1;
  } cases[] = {
      {"all faces", Faces(Argb(2, 2, kAll), {0, 1, 2, 3, 4, 5}), 0x3F, 2, 2, false},
      {"three faces stored, the others transparent",
       Faces(Argb(2, 2,
                  DDSCAPS2_CUBEMAP | DDSCAPS2_CUBEMAP_POSITIVEX | DDSCAPS2_CUBEMAP_POSITIVEY |
                      DDSCAPS2_CUBEMAP_NEGATIVEZ),
             {0, 2, 5}),
       0x25, 2, 2, false},
      {"faces with mips", Faces(mips, {0, 1, 2, 3, 4, 5}, 16 + 4 + 1), 0x3F, 4, 4, false},
      {"extended header", Faces(dx10, {0, 1, 2, 3, 4, 5}), 0x3F, 2, 2, false},
      {"truncated: the faces that are there", Faces(Argb(2, 2, kAll), {0, 1, 2, 3}), 0x0F, 2, 2, false},
      // Block rows past a face's height are padding, not the cell below.
      {"DXT1 4x2", Dxt1Cube(4, 2), 0x3F, 4, 2, true},
      {"DXT1 4x6", Dxt1Cube(4, 6), 0x3F, 4, 6, true},
  };
  // +Y above; -X, +Z, +X, -Z across; -Y below. Cells by face: +X -X +Y -Y +Z -Z.
  const uint32_t cell[6][2] = {{2, 1}, {0, 1}, {1, 0}, {1, 2}, {1, 1}, {3, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Tga tga = Convert(c.dds);
    ASSERT_EQ(tga.width, 4 * c.w);
    ASSERT_EQ(tga.height, 3 * c.h);
    EXPECT_EQ(tga.depth, 32);
    int wrong = 0;
    for (uint32_t y = 0; y < tga.height; ++y) {
      for (uint32_t x = 0; x < tga.width; ++x) {
        Px want = {0, 0, 0, 0};
        for (int f = 0; f < 6; ++f) {
          if ((c.faces & (1 << f)) && cell[f][0] == x / c.w && cell[f][1] == y / c.h)
            want = c.dxt1 ? kFaceBgra[f] : Px{40 * (f + 1), 0, 0, 255};
        }
        wrong += tga.At(x, y) != want;
      }
    }
    EXPECT_EQ(wrong, 0);
  }
}

TEST(ReaddxtConverter, PicturesOfKnownPixels) {
  // 5 x 10: two block columns (red, blue), three block rows (red, green, red); the last
  // block row shows 2 rows.
  auto cropped = DdsBuilder::FourCC(5, 10, kFourCC_DXT1);
  for (int row = 0; row < 3; ++row)
    cropped.With(SolidBC1(row == 1 ? kGreen565 : kRed565)).With(SolidBC1(kBlue565));
  // DXT2: BC2 with alpha 8/15 (136) and red 8/31 (66) premultiplied -> red 124.
  const Bytes bc2 = Words(1, {0x88, 0x88, 0x88, 0x88, 0x88, 0x88, 0x88, 0x88, 0x00, 0x40, 0, 0, 0, 0, 0, 0});
  // RXGB: BC3 whose alpha (200) is the red channel; shown opaque.
  const Bytes bc3 = Words(1, {200, 200, 0, 0, 0, 0, 0, 0, 0xE0, 0x07, 0, 0, 0, 0, 0, 0});
  // BC4: grey, opaque. ATI2 (read as BC5): red from the first block, green from the second, blue 0.
  const Bytes red100 = Words(1, {100, 100, 0, 0, 0, 0, 0, 0}),
              green200 = Words(1, {200, 200, 0, 0, 0, 0, 0, 0});
  // The extended header's block formats: a valid BC7 mode (6), a valid BC6H mode.
  auto dx10 = [](uint32_t dxgi, size_t blockBytes) {
    Bytes blocks(blockBytes * 4, 0);
    blocks[0] = 0x40;
    return DdsBuilder::Dx10(7, 5, dxgi).With(blocks);
  };
  constexpr uint32_t kCube = DDSCAPS2_CUBEMAP | DDSCAPS2_CUBEMAP_ALLFACES;
  // A cube too wide for the cross shows its first face; a lone DXT1 face is opaque unless
  // its blocks say otherwise.
  auto wide = DdsBuilder::Masks(16384, 1, DDPF_LUMINANCE, 8, 0xFF, 0, 0, 0);
  wide.header.caps2 = kCube;
  for (int f = 0; f < 6; ++f) wide.With(Bytes(16384, static_cast<uint8_t>(10 + f)));
  auto wideDxt1 = DdsBuilder::FourCC(16384, 4, kFourCC_DXT1).With(Repeat(SolidBC1(kRed565), 6 * 4096));
  wideDxt1.header.caps2 = kCube;
  // Arrays and volumes show their first slice.
  auto volume = Faces(Argb(2, 2, DDSCAPS2_VOLUME), {0, 1, 2});
  volume.header.flags |= DDSD_DEPTH;
  volume.header.depth = 3;
  auto array = Faces(DdsBuilder::Dx10(2, 2, DXGI_FORMAT_B8G8R8A8_UNORM), {3, 4, 5});
  array.ext.arraySize = 3;
  auto volume10 = Faces(DdsBuilder::Dx10(2, 2, DXGI_FORMAT_B8G8R8A8_UNORM), {1, 2});
  volume10.ext.resourceDimension = D3D10_RESOURCE_DIMENSION_TEXTURE3D;
  volume10.ext.miscFlag = DDS_RESOURCE_MISC_TEXTURECUBE;  // a 3D texture with a cube flag is still a volume
  volume10.header.depth = 2;
  auto flagged = DdsBuilder::FourCC(4, 4, kFourCC_DXT1).With(SolidBC1(kRed565));
  flagged.header.ddspf.flags |= DDPF_ALPHAPIXELS;
  const auto dxt1 = [](uint32_t w, const Bytes& blocks) {
    return DdsBuilder::FourCC(w, 4, kFourCC_DXT1).With(blocks);
  };
  struct At {
    uint32_t x, y;
    Px px;
  };
  const struct {
    const char* name;
    DdsBuilder dds;
    int depth;
    std::vector<At> pixels;
  } cases[] = {
      // clang-format off
      {"DXT1 opaque", dxt1(8, SolidBC1(kRed565) + SolidBC1(kBlue565)), 24, {{0, 0, kRed}, {7, 3, kBlue}}},
      {"DXT1 using transparency", dxt1(8, SolidBC1(kRed565) + kTransparentBC1), 32, {{3, 3, kRed}, {4, 0, {0, 0, 0, 0}}}},
      {"DXT1 whose ALPHAPIXELS flag does not decide", flagged, 24, {{3, 3, kRed}}},
      {"cropped, rows in order", cropped, 24,
       {{0, 3, kRed}, {3, 4, kGreen}, {1, 7, kGreen}, {2, 8, kRed}, {0, 9, kRed}, {4, 0, kBlue}, {4, 9, kBlue}}},
      {"DXT2", DdsBuilder::FourCC(4, 4, kFourCC_DXT2).With(bc2), 32, {{2, 2, {0, 0, 124, 136}}}},
      {"DXT3", DdsBuilder::FourCC(4, 4, kFourCC_DXT3).With(bc2), 32, {{2, 2, {0, 0, 66, 136}}}},
      {"RXGB", DdsBuilder::FourCC(4, 4, kFourCC_RXGB).With(bc3), 24, {{2, 2, {0, 255, 200, 255}}}},
      {"ATI1", DdsBuilder::FourCC(4, 4, kFourCC_ATI1).With(red100), 24, {{2, 2, {100, 100, 100, 255}}}},
      {"ATI2", DdsBuilder::FourCC(4, 4, kFourCC_ATI2).With(red100 + green200), 24, {{2, 2, {0, 200, 100, 255}}}},
      {"BC6H_UF16", dx10(DXGI_FORMAT_BC6H_UF16, 16), 24, {}},
      {"BC7_UNORM_SRGB", dx10(DXGI_FORMAT_BC7_UNORM_SRGB, 16), 32, {}},
      {"cube too wide for the cross", wide, 24, {{16383, 0, {10, 10, 10, 255}}}},
      {"DXT1 cube too wide for the cross", wideDxt1, 24, {{16383, 3, kRed}}},
      {"volume", volume, 32, {{1, 1, {40, 0, 0, 255}}}},
      {"array", array, 32, {{1, 1, {160, 0, 0, 255}}}},
      {"DX10 volume with a cube flag", volume10, 32, {{1, 1, {80, 0, 0, 255}}}},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Tga tga = Convert(c.dds);
    EXPECT_EQ(tga.width, c.dds.header.width);
    EXPECT_EQ(tga.height, c.dds.header.height);
    EXPECT_EQ(tga.depth, c.depth);
    for (const At& a : c.pixels) EXPECT_EQ(tga.At(a.x, a.y), a.px) << a.x << "," << a.y;
  }
}

// Large outputs are decoded on two threads and written on a third: the picture must be the
// same as decoding the blocks one by one.
TEST(ReaddxtConverter, LargeOutputMatchesBlockByBlockDecoding) {
  const uint32_t w = 1028, h = 1030;  // not multiples of the buffer's strip count either
  const uint32_t bw = (w + 3) / 4, bh = (h + 3) / 4;
  Bytes blocks(size_t{bw} * bh * 16);
  uint32_t seed = 12345;
  for (uint8_t& b : blocks) b = static_cast<uint8_t>((seed = seed * 1103515245 + 12345) >> 16);
  const Tga tga = Convert(DdsBuilder::FourCC(w, h, kFourCC_DXT5).With(blocks));
  ASSERT_EQ(tga.depth, 32);
  uint8_t texels[4 * 4 * 4];
  int mismatches = 0;
  for (uint32_t by = 0; by < bh; ++by) {
    for (uint32_t bx = 0; bx < bw; ++bx) {
      DecodeBC3(blocks.data() + (size_t{by} * bw + bx) * 16, texels, 16);
      for (uint32_t y = by * 4; y < by * 4 + 4 && y < h; ++y) {
        for (uint32_t x = bx * 4; x < bx * 4 + 4 && x < w; ++x) {
          const uint8_t* t = texels + (y - by * 4) * 16 + (x - bx * 4) * 4;
          mismatches += tga.At(x, y) != Px{t[0], t[1], t[2], t[3]};
        }
      }
    }
  }
  EXPECT_EQ(mismatches, 0);
}

}  // namespace
}  // namespace readdxt_test
