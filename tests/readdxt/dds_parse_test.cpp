// Header validation: the damaged headers seen in the wild are read, and the rest fail with
// the right kind (not a DDS file, corrupt, unsupported).
#include "readdxt/dds_parse.h"

#include <gtest/gtest.h>

#include <functional>

#include "readdxt/dds_builder.h"

namespace readdxt_test {
namespace {

using namespace readdxt;

bool Parse(const Bytes& file, DdsInfo* info, Failure* failure) {
  const size_t head = file.size() < kDdsMaxHeadBytes ? file.size() : kDdsMaxHeadBytes;
  return ParseDds(file.data(), head, file.size(), info, failure);
}

DdsBuilder Dxt(uint32_t w, uint32_t h, uint32_t code = kFourCC_DXT1) {
  return DdsBuilder::FourCC(w, h, code);
}

Bytes Zeros(size_t n) { return Bytes(n, 0); }

struct ToleranceCase {
  const char* name;
  Bytes file;
  std::function<void(const DdsInfo&)> check;
};

TEST(ReaddxtParse, ToleratedHeaderDamage) {
  auto bc1 = [](const DdsInfo& i) { EXPECT_EQ(i.format.codec, Codec::kBC1); };
  const std::vector<ToleranceCase> cases = {
      {"tolerated-header-size-24",
       [] {
         auto b = Dxt(4, 4);
         b.header.size = 24;
         return b.With(Zeros(8)).Build();
       }(),
       bc1},
      {"tolerated-pixel-format-size-0",
       [] {
         auto b = Dxt(4, 4);
         b.header.ddspf.size = 0;
         return b.With(Zeros(8)).Build();
       }(),
       bc1},
      {"tolerated-pixel-format-size-24",
       [] {
         auto b = Dxt(4, 4);
         b.header.ddspf.size = 24;
         return b.With(Zeros(8)).Build();
       }(),
       bc1},
      {"tolerated-no-header-flags",
       [] {
         auto b = Dxt(4, 4);
         b.header.flags = 0;
         b.header.caps = 0;
         return b.With(Zeros(8)).Build();
       }(),
       bc1},
      {"tolerated-fourcc-without-fourcc-flag",
       [] {
         auto b = Dxt(4, 4, kFourCC_DXT5);
         b.header.ddspf.flags = 0;
         return b.With(Zeros(16)).Build();
       }(),
       [](const DdsInfo& i) { EXPECT_EQ(i.format.codec, Codec::kBC3); }},
      {"tolerated-dxt1-with-alphapixels",
       [] {
         auto b = Dxt(4, 4);
         b.header.ddspf.flags |= DDPF_ALPHAPIXELS;
         return b.With(Zeros(8)).Build();
       }(),
       bc1},
      {"tolerated-nvtt-private-bits",
       [] {
         auto b = Dxt(4, 4, kFourCC_ATI2);
         b.header.ddspf.flags |= DDPF_NVTT_NORMAL | DDPF_NVTT_SRGB;
         b.header.reserved1[9] = MakeFourCC('N', 'V', 'T', 'T');
         return b.With(Zeros(16)).Build();
       }(),
       [](const DdsInfo& i) { EXPECT_EQ(i.format.codec, Codec::kBC5); }},
      {"tolerated-nvtt-bit-on-masks",
       DdsBuilder::Masks(2, 1, DDPF_RGB | DDPF_NVTT_SRGB, 32, 0xFF0000, 0xFF00, 0xFF, 0)
           .With(Zeros(8))
           .Build(),
       [](const DdsInfo& i) { EXPECT_EQ(i.format.codec, Codec::kMasked); }},
      {"tolerated-wrong-linear-size",
       [] {
         auto b = DdsBuilder::Dx10(8, 8, DXGI_FORMAT_BC7_UNORM);
         b.header.flags |= DDSD_LINEARSIZE;
         b.header.pitchOrLinearSize = 4096;
         return b.With(Zeros(64)).Build();
       }(),
       [](const DdsInfo& i) { EXPECT_EQ(i.top.bytes, 64u); }},
      {"tolerated-linear-size-on-uncompressed",
       [] {
         auto b = DdsBuilder::Masks(4, 2, DDPF_RGB, 32, 0xFF0000, 0xFF00, 0xFF, 0);
         b.header.flags |= DDSD_LINEARSIZE;
         b.header.pitchOrLinearSize = 7;
         return b.With(Zeros(32)).Build();
       }(),
       [](const DdsInfo& i) { EXPECT_EQ(i.top.rowPitch, 16u); }},
      {"tolerated-mip-count-0",
       [] {
         auto b = Dxt(4, 4);
         b.header.mipMapCount = 0;
         return b.With(Zeros(8)).Build();
       }(),
       [](const DdsInfo& i) { EXPECT_EQ(i.mipCount, 1u); }},
      {"tolerated-mip-count-too-large",
       [] {
         auto b = Dxt(8, 4);
         b.header.mipMapCount = 40;
         return b.With(Zeros(16)).Build();
       }(),
       [](const DdsInfo& i) { EXPECT_EQ(i.mipCount, 4u); }},
      {"tolerated-dx10-array-size-0",
       [] {
         auto b = DdsBuilder::Dx10(4, 4, DXGI_FORMAT_BC1_UNORM);
         b.ext.arraySize = 0;
         return b.With(Zeros(8)).Build();
       }(),
       bc1},
      {"tolerated-dx10-dimension-0",
       [] {
         auto b = DdsBuilder::Dx10(4, 4, DXGI_FORMAT_BC1_UNORM);
         b.ext.resourceDimension = 0;
         return b.With(Zeros(8)).Build();
       }(),
       bc1},
      {"tolerated-dx10-1d-height-0",
       [] {
         auto b = DdsBuilder::Dx10(7, 0, DXGI_FORMAT_R8_UNORM);
         b.ext.resourceDimension = D3D10_RESOURCE_DIMENSION_TEXTURE1D;
         return b.With(Zeros(7)).Build();
       }(),
       [](const DdsInfo& i) { EXPECT_EQ(i.height, 1u); }},
      {"tolerated-size-not-multiple-of-4", Dxt(5, 3).With(Zeros(16)).Build(),
       [](const DdsInfo& i) { EXPECT_EQ(i.top.bytes, 16u); }},
      {"tolerated-dword-rows-by-file-size",
       DdsBuilder::Masks(3, 3, DDPF_RGB, 24, 0xFF0000, 0xFF00, 0xFF, 0).With(Zeros(36)).Build(),
       [](const DdsInfo& i) { EXPECT_EQ(i.top.rowPitch, 12u); }},
      {"tolerated-dword-rows-by-pitch-field",
       [] {
         auto b = DdsBuilder::Masks(3, 3, DDPF_RGB, 24, 0xFF0000, 0xFF00, 0xFF, 0);
         b.header.flags |= DDSD_PITCH;
         b.header.pitchOrLinearSize = 12;
         return b.With(Zeros(40)).Build();
       }(),
       [](const DdsInfo& i) { EXPECT_EQ(i.top.rowPitch, 12u); }},
      {"tolerated-tight-rows-by-file-size",
       DdsBuilder::Masks(3, 3, DDPF_RGB, 24, 0xFF0000, 0xFF00, 0xFF, 0).With(Zeros(27)).Build(),
       [](const DdsInfo& i) { EXPECT_EQ(i.top.rowPitch, 9u); }},
      {"tolerated-a8-bit-count-0",
       DdsBuilder::Masks(2, 2, DDPF_ALPHA, 0, 0, 0, 0, 0xFF).With(Zeros(4)).Build(),
       [](const DdsInfo& i) { EXPECT_EQ(i.format.map, ChannelMap::kAlpha); }},
      {"tolerated-cube-without-face-bits",
       [] {
         auto b = Dxt(4, 4);
         b.header.caps2 = DDSCAPS2_CUBEMAP;
         return b.With(Zeros(48)).Build();
       }(),
       [](const DdsInfo& i) {
         EXPECT_TRUE(i.isCube);
         EXPECT_EQ(i.facesStored, 0x3F);
         EXPECT_EQ(i.facesReadable, 0x3F);
       }},
      {"tolerated-cube-mip-chain-missing",
       [] {
         auto b = Dxt(8, 8);  // declares 4 levels per face but stores only the top ones
         b.header.mipMapCount = 4;
         b.header.caps2 = DDSCAPS2_CUBEMAP | DDSCAPS2_CUBEMAP_ALLFACES;
         return b.With(Zeros(6 * 32 + 8)).Build();
       }(),
       [](const DdsInfo& i) {
         EXPECT_EQ(i.faceStride, 32u);
         EXPECT_EQ(i.facesReadable, 0x3F);
       }},
      {"tolerated-cube-tails-badly-sized",
       [] {
         auto b = Dxt(8, 8);  // 4 levels should take 56 bytes per face; the writer used 48
         b.header.mipMapCount = 4;
         b.header.caps2 = DDSCAPS2_CUBEMAP | DDSCAPS2_CUBEMAP_ALLFACES;
         return b.With(Zeros(6 * 48)).Build();
       }(),
       [](const DdsInfo& i) { EXPECT_EQ(i.faceStride, 48u); }},
      {"tolerated-cube-last-faces-missing",
       [] {
         auto b = Dxt(4, 4);
         b.header.caps2 = DDSCAPS2_CUBEMAP | DDSCAPS2_CUBEMAP_ALLFACES;
         return b.With(Zeros(8 * 4 + 3)).Build();
       }(),
       [](const DdsInfo& i) { EXPECT_EQ(i.facesReadable, 0x0F); }},
      {"cube-three-faces-with-mips",
       [] {
         auto b = Dxt(8, 8);
         b.header.mipMapCount = 4;
         b.header.caps2 = DDSCAPS2_CUBEMAP | DDSCAPS2_CUBEMAP_POSITIVEX | DDSCAPS2_CUBEMAP_POSITIVEY |
                          DDSCAPS2_CUBEMAP_NEGATIVEZ;
         return b.With(Zeros(3 * 56)).Build();
       }(),
       [](const DdsInfo& i) {
         EXPECT_EQ(i.facesStored, 0x25);
         EXPECT_EQ(i.facesReadable, 0x25);
         EXPECT_EQ(i.faceStride, 56u);
       }},
      {"palette-after-header",
       [] {
         auto b = DdsBuilder::Masks(2, 1, DDPF_PALETTEINDEXED8, 8, 0, 0, 0, 0);
         b.palette = Bytes(1024, 9);
         return b.With(Zeros(2)).Build();
       }(),
       [](const DdsInfo& i) {
         EXPECT_EQ(i.dataOffset, 128u + 1024u);
         EXPECT_EQ(i.palette[1023], 9);
       }},
  };
  for (const ToleranceCase& c : cases) {
    SCOPED_TRACE(c.name);
    DdsInfo info;
    Failure failure;
    ASSERT_TRUE(Parse(c.file, &info, &failure)) << failure.message;
    c.check(info);
  }
}

struct FailureCase {
  const char* name;
  Bytes file;
  FailureKind kind;
};

TEST(ReaddxtParse, RefusedFilesFailWithTheirKind) {
  Bytes bmp = {'B', 'M'};
  bmp.resize(300, 0);
  const std::vector<FailureCase> cases = {
      {"not-dds-empty", {}, FailureKind::kNotDds},
      {"not-dds-three-bytes", {'D', 'D', 'S'}, FailureKind::kNotDds},
      {"not-dds-bmp", bmp, FailureKind::kNotDds},
      {"corrupt-header-truncated",
       [] {
         Bytes b = Dxt(4, 4).Build();
         b.resize(100);
         return b;
       }(),
       FailureKind::kCorrupt},
      {"corrupt-header-size-100",
       [] {
         auto b = Dxt(4, 4);
         b.header.size = 100;
         return b.With(Zeros(8)).Build();
       }(),
       FailureKind::kCorrupt},
      {"corrupt-pixel-format-size-31",
       [] {
         auto b = Dxt(4, 4);
         b.header.ddspf.size = 31;
         return b.With(Zeros(8)).Build();
       }(),
       FailureKind::kCorrupt},
      {"corrupt-dx10-header-truncated",
       [] {
         Bytes b = DdsBuilder::Dx10(4, 4, DXGI_FORMAT_BC1_UNORM).Build();
         b.resize(140);
         return b;
       }(),
       FailureKind::kCorrupt},
      {"corrupt-palette-truncated",
       DdsBuilder::Masks(2, 1, DDPF_PALETTEINDEXED8, 8, 0, 0, 0, 0).With(Zeros(500)).Build(),
       FailureKind::kCorrupt},
      {"corrupt-top-level-truncated", Dxt(64, 64).With(Zeros(1000)).Build(), FailureKind::kCorrupt},
      {"corrupt-header-only", Dxt(4, 4).Build(), FailureKind::kCorrupt},
      {"corrupt-zero-width", Dxt(0, 4).With(Zeros(8)).Build(), FailureKind::kCorrupt},
      {"corrupt-no-format-at-all", DdsBuilder::Masks(2, 2, 0, 32, 0, 0, 0, 0).With(Zeros(16)).Build(),
       FailureKind::kCorrupt},
      {"unsupported-fourcc", Dxt(4, 4, MakeFourCC('A', 'B', 'C', 'D')).With(Zeros(16)).Build(),
       FailureKind::kUnsupported},
      {"unsupported-dxgi-format", DdsBuilder::Dx10(4, 4, 200).With(Zeros(64)).Build(),
       FailureKind::kUnsupported},
      {"unsupported-dx10-buffer",
       [] {
         auto b = DdsBuilder::Dx10(4, 1, DXGI_FORMAT_R8_UNORM);
         b.ext.resourceDimension = 1;
         return b.With(Zeros(4)).Build();
       }(),
       FailureKind::kUnsupported},
      {"unsupported-too-large-for-tga", Dxt(1000000, 1000000).With(Zeros(1024)).Build(),
       FailureKind::kUnsupported},
      {"unsupported-palette-4-bit",
       DdsBuilder::Masks(2, 2, DDPF_PALETTEINDEXED4, 4, 0, 0, 0, 0).With(Zeros(1100)).Build(),
       FailureKind::kUnsupported},
      {"unsupported-split-mask",
       DdsBuilder::Masks(2, 2, DDPF_RGB, 16, 0xF0F0, 0x0F00, 0x000F, 0).With(Zeros(8)).Build(),
       FailureKind::kUnsupported},
      {"unsupported-12-bit-pixels",
       DdsBuilder::Masks(2, 2, DDPF_RGB, 12, 0xF00, 0xF0, 0xF, 0).With(Zeros(8)).Build(),
       FailureKind::kUnsupported},
  };
  for (const FailureCase& c : cases) {
    SCOPED_TRACE(c.name);
    DdsInfo info;
    Failure failure;
    EXPECT_FALSE(Parse(c.file, &info, &failure));
    EXPECT_EQ(failure.kind, c.kind) << failure.message;
    EXPECT_FALSE(failure.message.empty());
  }
}

TEST(ReaddxtParse, DimensionCapIsExact) {
  DdsInfo info;
  Failure failure;
  EXPECT_TRUE(
      Parse(DdsBuilder::Dx10(65535, 1, DXGI_FORMAT_R8_UNORM).With(Zeros(65535)).Build(), &info, &failure));
  EXPECT_FALSE(
      Parse(DdsBuilder::Dx10(65536, 1, DXGI_FORMAT_R8_UNORM).With(Zeros(65536)).Build(), &info, &failure));
  EXPECT_EQ(failure.kind, FailureKind::kUnsupported);
}

}  // namespace
}  // namespace readdxt_test
