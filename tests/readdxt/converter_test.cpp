// The conversion as a whole: DXT1 alpha detection, cropping, row order, cube crosses, the
// first slice of arrays and volumes, and the channel fix-ups of DXT2/DXT4, RXGB, BC4, BC5.
#include "readdxt/converter.h"

#include <gtest/gtest.h>

#include "readdxt/block_decoders.h"
#include "readdxt/dds_builder.h"

namespace readdxt_test {
namespace {

using namespace readdxt;
using Px = std::vector<int>;

// BC1 blocks: 4-colour mode with all texels colour0, and 3-colour mode with all texels transparent.
Bytes SolidBC1(uint16_t rgb565) {
  // colour1 = 0 < colour0 keeps the 4-colour mode (pure black needs colour0 == colour1 == 0).
  return Words(2, {rgb565, 0, 0, 0});
}
const Bytes kTransparentBC1 = Words(2, {0x001F, 0xF800, 0xFFFF, 0xFFFF});
constexpr uint16_t kRed565 = 0xF800, kGreen565 = 0x07E0, kBlue565 = 0x001F;

Tga Convert(const Bytes& dds) {
  Tga tga;
  Failure failure;
  EXPECT_TRUE(ConvertInMemory(dds, &tga, &failure)) << failure.message;
  return tga;
}

TEST(ReaddxtConverter, Dxt1IsOpaqueUnlessABlockUsesTransparency) {
  const Tga opaque = Convert(
      DdsBuilder::FourCC(8, 4, kFourCC_DXT1).With(SolidBC1(kRed565)).With(SolidBC1(kBlue565)).Build());
  EXPECT_EQ(opaque.depth, 24);
  EXPECT_EQ(opaque.descriptor, 0x20);
  EXPECT_EQ(opaque.At(0, 0), (Px{0, 0, 255, 255}));
  EXPECT_EQ(opaque.At(7, 3), (Px{255, 0, 0, 255}));

  const Tga cutout =
      Convert(DdsBuilder::FourCC(8, 4, kFourCC_DXT1).With(SolidBC1(kRed565)).With(kTransparentBC1).Build());
  EXPECT_EQ(cutout.depth, 32);
  EXPECT_EQ(cutout.descriptor, 0x28);
  EXPECT_EQ(cutout.At(3, 3), (Px{0, 0, 255, 255}));
  EXPECT_EQ(cutout.At(4, 0), (Px{0, 0, 0, 0}));

  // DDPF_ALPHAPIXELS on the header does not decide it.
  auto flagged = DdsBuilder::FourCC(4, 4, kFourCC_DXT1);
  flagged.header.ddspf.flags |= DDPF_ALPHAPIXELS;
  EXPECT_EQ(Convert(flagged.With(SolidBC1(kRed565)).Build()).depth, 24);
}

TEST(ReaddxtConverter, SizesNotMultipleOfFourAreCroppedAndRowsStayInOrder) {
  // 5 x 10: two block columns (red, blue), three block rows; the last block row shows 2 rows.
  auto b = DdsBuilder::FourCC(5, 10, kFourCC_DXT1);
  for (int row = 0; row < 3; ++row) b.With(SolidBC1(row == 1 ? kGreen565 : kRed565)).With(SolidBC1(kBlue565));
  const Tga tga = Convert(b.Build());
  ASSERT_EQ(tga.width, 5);
  ASSERT_EQ(tga.height, 10);
  for (uint32_t y = 0; y < 10; ++y) {
    SCOPED_TRACE(y);
    EXPECT_EQ(tga.At(0, y), (y >= 4 && y < 8 ? Px{0, 255, 0, 255} : Px{0, 0, 255, 255}));
    EXPECT_EQ(tga.At(4, y), (Px{255, 0, 0, 255}));
  }
  // Uncompressed rows too: 3 x 7, each row its own grey.
  Bytes grey;
  for (int y = 0; y < 7; ++y) grey.insert(grey.end(), 3, static_cast<uint8_t>(y * 10));
  const Tga l8 = Convert(DdsBuilder::Masks(3, 7, DDPF_LUMINANCE, 8, 0xFF, 0, 0, 0).With(grey).Build());
  for (uint32_t y = 0; y < 7; ++y) EXPECT_EQ(l8.At(2, y)[0], static_cast<int>(y * 10));
}

// 2x2 A8R8G8B8 faces, face i filled with blue = 40 * (i + 1).
Bytes Face(int index, uint32_t pixels = 4) {
  return Repeat(Words(4, {0xFF000000u | static_cast<uint32_t>(40 * (index + 1))}), pixels);
}

void ExpectCross(const Tga& tga, uint8_t faces, uint32_t faceSize) {
  ASSERT_EQ(tga.width, 4 * faceSize);
  ASSERT_EQ(tga.height, 3 * faceSize);
  EXPECT_EQ(tga.depth, 32);
  for (uint32_t row = 0; row < 3; ++row) {
    for (uint32_t col = 0; col < 4; ++col) {
      Px want = {0, 0, 0, 0};
      for (int face = 0; face < 6; ++face) {
        if ((faces & (1 << face)) && kCrossCells[face].column == col && kCrossCells[face].row == row) {
          want = {40 * (face + 1), 0, 0, 255};
        }
      }
      SCOPED_TRACE(testing::Message() << "cell " << col << "," << row);
      EXPECT_EQ(tga.At(col * faceSize, row * faceSize), want);
      EXPECT_EQ(tga.At(col * faceSize + faceSize - 1, row * faceSize + faceSize - 1), want);
    }
  }
}

DdsBuilder Argb(uint32_t w, uint32_t h) {
  return DdsBuilder::Masks(w, h, DDPF_RGB | DDPF_ALPHAPIXELS, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000);
}

TEST(ReaddxtConverter, CubeMapsBecomeAHorizontalCross) {
  // The cell layout itself: +Y above, -X +Z +X -Z across, -Y below.
  EXPECT_EQ(kCrossCells[2].column, 1);  // +Y
  EXPECT_EQ(kCrossCells[2].row, 0);
  EXPECT_EQ(kCrossCells[1].column, 0);  // -X
  EXPECT_EQ(kCrossCells[4].column, 1);  // +Z
  EXPECT_EQ(kCrossCells[0].column, 2);  // +X
  EXPECT_EQ(kCrossCells[5].column, 3);  // -Z
  EXPECT_EQ(kCrossCells[3].row, 2);     // -Y

  auto all = Argb(2, 2);
  all.header.caps2 = DDSCAPS2_CUBEMAP | DDSCAPS2_CUBEMAP_ALLFACES;
  for (int f = 0; f < 6; ++f) all.With(Face(f));
  ExpectCross(Convert(all.Build()), 0x3F, 2);

  // Three faces stored: the others stay transparent. Stored faces keep their own colours.
  auto some = Argb(2, 2);
  some.header.caps2 =
      DDSCAPS2_CUBEMAP | DDSCAPS2_CUBEMAP_POSITIVEX | DDSCAPS2_CUBEMAP_POSITIVEY | DDSCAPS2_CUBEMAP_NEGATIVEZ;
  some.With(Face(0)).With(Face(2)).With(Face(5));
  ExpectCross(Convert(some.Build()), 0x25, 2);

  // Each face carries its whole mip chain (4x4, 2x2, 1x1) before the next face.
  auto mips = Argb(4, 4);
  mips.header.mipMapCount = 3;
  mips.header.caps2 = DDSCAPS2_CUBEMAP | DDSCAPS2_CUBEMAP_ALLFACES;
  for (int f = 0; f < 6; ++f) mips.With(Face(f, 16 + 4 + 1));
  ExpectCross(Convert(mips.Build()), 0x3F, 4);

  auto dx10 = DdsBuilder::Dx10(2, 2, DXGI_FORMAT_B8G8R8A8_UNORM);
  dx10.ext.miscFlag = DDS_RESOURCE_MISC_TEXTURECUBE;
  for (int f = 0; f < 6; ++f) dx10.With(Face(f));
  ExpectCross(Convert(dx10.Build()), 0x3F, 2);

  // A truncated cube shows the faces that are there.
  auto cut = Argb(2, 2);
  cut.header.caps2 = DDSCAPS2_CUBEMAP | DDSCAPS2_CUBEMAP_ALLFACES;
  for (int f = 0; f < 4; ++f) cut.With(Face(f));
  ExpectCross(Convert(cut.Build()), 0x0F, 2);
}

TEST(ReaddxtConverter, CubeTooWideForTheCrossShowsTheFirstFace) {
  auto wide = DdsBuilder::Masks(16384, 1, DDPF_LUMINANCE, 8, 0xFF, 0, 0, 0);
  wide.header.caps2 = DDSCAPS2_CUBEMAP | DDSCAPS2_CUBEMAP_ALLFACES;
  for (int f = 0; f < 6; ++f) wide.With(Bytes(16384, static_cast<uint8_t>(10 + f)));
  const Tga tga = Convert(wide.Build());
  EXPECT_EQ(tga.width, 16384);
  EXPECT_EQ(tga.height, 1);
  EXPECT_EQ(tga.depth, 24);
  EXPECT_EQ(tga.At(16383, 0), (Px{10, 10, 10, 255}));

  // A lone DXT1 face is opaque unless its blocks say otherwise, as for a plain texture.
  auto dxt1 = DdsBuilder::FourCC(16384, 4, kFourCC_DXT1);
  dxt1.header.caps2 = DDSCAPS2_CUBEMAP | DDSCAPS2_CUBEMAP_ALLFACES;
  dxt1.With(Repeat(SolidBC1(kRed565), 6 * 4096));
  const Tga face = Convert(dxt1.Build());
  EXPECT_EQ(face.width, 16384);
  EXPECT_EQ(face.depth, 24);
}

TEST(ReaddxtConverter, ArraysAndVolumesShowTheFirstSlice) {
  auto volume = Argb(2, 2);
  volume.header.flags |= DDSD_DEPTH;
  volume.header.depth = 3;
  volume.header.caps2 = DDSCAPS2_VOLUME;
  volume.With(Face(0)).With(Face(1)).With(Face(2));
  Tga tga = Convert(volume.Build());
  EXPECT_EQ(tga.width, 2);
  EXPECT_EQ(tga.height, 2);
  EXPECT_EQ(tga.At(1, 1), (Px{40, 0, 0, 255}));

  auto array = DdsBuilder::Dx10(2, 2, DXGI_FORMAT_B8G8R8A8_UNORM);
  array.ext.arraySize = 3;
  array.With(Face(3)).With(Face(4)).With(Face(5));
  tga = Convert(array.Build());
  EXPECT_EQ(tga.height, 2);
  EXPECT_EQ(tga.At(1, 1), (Px{160, 0, 0, 255}));

  // A 3D texture with a cube flag is still a volume.
  auto volume10 = DdsBuilder::Dx10(2, 2, DXGI_FORMAT_B8G8R8A8_UNORM);
  volume10.ext.resourceDimension = D3D10_RESOURCE_DIMENSION_TEXTURE3D;
  volume10.ext.miscFlag = DDS_RESOURCE_MISC_TEXTURECUBE;
  volume10.header.depth = 2;
  volume10.With(Face(1)).With(Face(2));
  tga = Convert(volume10.Build());
  EXPECT_EQ(tga.width, 2);
  EXPECT_EQ(tga.At(0, 0), (Px{80, 0, 0, 255}));
}

TEST(ReaddxtConverter, ChannelFixUps) {
  // DXT2: BC2 with alpha 8/15 (136) and red 8/31 (66) premultiplied -> red 124.
  const Bytes bc2 = Words(1, {0x88, 0x88, 0x88, 0x88, 0x88, 0x88, 0x88, 0x88, 0x00, 0x40, 0, 0, 0, 0, 0, 0});
  Tga tga = Convert(DdsBuilder::FourCC(4, 4, kFourCC_DXT2).With(bc2).Build());
  EXPECT_EQ(tga.depth, 32);
  EXPECT_EQ(tga.At(0, 0), (Px{0, 0, 124, 136}));
  tga = Convert(DdsBuilder::FourCC(4, 4, kFourCC_DXT3).With(bc2).Build());
  EXPECT_EQ(tga.At(0, 0), (Px{0, 0, 66, 136}));

  // RXGB: BC3 whose alpha (200) is the red channel; shown opaque.
  const Bytes bc3 = Words(1, {200, 200, 0, 0, 0, 0, 0, 0, 0xE0, 0x07, 0, 0, 0, 0, 0, 0});
  tga = Convert(DdsBuilder::FourCC(4, 4, kFourCC_RXGB).With(bc3).Build());
  EXPECT_EQ(tga.depth, 24);
  EXPECT_EQ(tga.At(2, 2), (Px{0, 255, 200, 255}));

  // BC4: grey, opaque. BC5 and ATI2: red from the first block, green from the second, blue 0.
  const Bytes red100 = Words(1, {100, 100, 0, 0, 0, 0, 0, 0});
  const Bytes green200 = Words(1, {200, 200, 0, 0, 0, 0, 0, 0});
  tga = Convert(DdsBuilder::FourCC(4, 4, kFourCC_ATI1).With(red100).Build());
  EXPECT_EQ(tga.depth, 24);
  EXPECT_EQ(tga.At(1, 1), (Px{100, 100, 100, 255}));
  for (uint32_t code : {kFourCC_ATI2, kFourCC_BC5U}) {
    tga = Convert(DdsBuilder::FourCC(4, 4, code).With(red100).With(green200).Build());
    EXPECT_EQ(tga.depth, 24);
    EXPECT_EQ(tga.At(3, 3), (Px{0, 200, 100, 255}));
  }
}

TEST(ReaddxtConverter, BlockFormatsOfTheExtendedHeader) {
  struct Case {
    uint32_t dxgi;
    int blockBytes;
    int depth;
  } cases[] = {
      {DXGI_FORMAT_BC1_UNORM_SRGB, 8, 24}, {DXGI_FORMAT_BC2_UNORM, 16, 32},
      {DXGI_FORMAT_BC3_TYPELESS, 16, 32},  {DXGI_FORMAT_BC4_SNORM, 8, 24},
      {DXGI_FORMAT_BC5_SNORM, 16, 24},     {DXGI_FORMAT_BC6H_UF16, 16, 24},
      {DXGI_FORMAT_BC6H_SF16, 16, 24},     {DXGI_FORMAT_BC7_UNORM_SRGB, 16, 32},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dxgi);
    Bytes blocks(static_cast<size_t>(c.blockBytes) * 4, 0);
    blocks[0] = 0x40;  // a valid BC7 mode (6), a valid BC6H mode, a non-zero BC1 colour
    const Tga tga = Convert(DdsBuilder::Dx10(7, 5, c.dxgi).With(blocks).Build());
    EXPECT_EQ(tga.width, 7);
    EXPECT_EQ(tga.height, 5);
    EXPECT_EQ(tga.depth, c.depth);
  }
}

// Large outputs are decoded on two threads and written on a third: the picture must be the
// same as decoding the blocks one by one.
TEST(ReaddxtConverter, LargeOutputMatchesBlockByBlockDecoding) {
  const uint32_t w = 1028, h = 1030;  // not multiples of the buffer's strip count either
  const uint32_t bw = (w + 3) / 4, bh = (h + 3) / 4;
  Bytes blocks(size_t{bw} * bh * 16);
  uint32_t seed = 12345;
  for (uint8_t& b : blocks) {
    seed = seed * 1103515245 + 12345;
    b = static_cast<uint8_t>(seed >> 16);
  }
  const Tga tga = Convert(DdsBuilder::FourCC(w, h, kFourCC_DXT5).With(blocks).Build());
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
