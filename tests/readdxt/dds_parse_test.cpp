// Header validation: the damaged headers seen in the wild are read, and the rest fail with
// the right kind (not a DDS file, corrupt, unsupported).
#include "readdxt/dds_parse.h"

#include <gtest/gtest.h>

#include <functional>

#include "readdxt/dds_builder.h"

namespace readdxt_test {
namespace {

using namespace readdxt;
using B = DdsBuilder&;

bool Parse(const Bytes& file, DdsInfo* info, Failure* failure) {
  const size_t head = file.size() < kDdsMaxHeadBytes ? file.size() : kDdsMaxHeadBytes;
  return ParseDds(file.data(), head, file.size(), info, failure);
}

// `builder` after `edit`, followed by `dataBytes` zero bytes.
Bytes Make(DdsBuilder builder, size_t dataBytes, const std::function<void(B)>& edit = nullptr) {
  if (edit) edit(builder);
  return builder.With(Bytes(dataBytes, 0)).Build();
}
DdsBuilder Dxt(uint32_t w, uint32_t h, uint32_t code = kFourCC_DXT1) {
  return DdsBuilder::FourCC(w, h, code);
}
DdsBuilder Rgb(uint32_t w, uint32_t h, uint32_t bits) {
  return DdsBuilder::Masks(w, h, DDPF_RGB, bits, 0xFF0000, 0xFF00, 0xFF, 0);
}
DdsBuilder Cube(uint32_t size, uint32_t mips, uint32_t faces = DDSCAPS2_CUBEMAP_ALLFACES) {
  DdsBuilder b = Dxt(size, size);
  b.header.mipMapCount = mips;
  b.header.caps2 = DDSCAPS2_CUBEMAP | faces;
  return b;
}

struct ToleranceCase {
  const char* name;
  Bytes file;
  std::function<void(const DdsInfo&)> check;
};

TEST(ReaddxtParse, ToleratedHeaderDamage) {
  auto bc1 = [](const DdsInfo& i) { EXPECT_EQ(i.format.codec, Codec::kBC1); };
  // clang-format off
  const std::vector<ToleranceCase> cases = {
      {"header size 24", Make(Dxt(4, 4), 8, [](B b) { b.header.size = 24; }), bc1},
      {"pixel format size 0", Make(Dxt(4, 4), 8, [](B b) { b.header.ddspf.size = 0; }), bc1},
      {"pixel format size 24", Make(Dxt(4, 4), 8, [](B b) { b.header.ddspf.size = 24; }), bc1},
      {"no header flags", Make(Dxt(4, 4), 8, [](B b) { b.header.flags = 0; b.header.caps = 0; }), bc1},
      {"FourCC without the FourCC flag", Make(Dxt(4, 4, kFourCC_DXT5), 16, [](B b) { b.header.ddspf.flags = 0; }),
       [](const DdsInfo& i) { EXPECT_EQ(i.format.codec, Codec::kBC3); }},
      {"DXT1 with ALPHAPIXELS", Make(Dxt(4, 4), 8, [](B b) { b.header.ddspf.flags |= DDPF_ALPHAPIXELS; }), bc1},
      {"NVTT private bits", Make(Dxt(4, 4, kFourCC_ATI2), 16, [](B b) {
         b.header.ddspf.flags |= DDPF_NVTT_NORMAL | DDPF_NVTT_SRGB;
         b.header.reserved1[9] = MakeFourCC('N', 'V', 'T', 'T'); }),
       [](const DdsInfo& i) { EXPECT_EQ(i.format.codec, Codec::kBC5); }},
      {"NVTT bit on masks", Make(Rgb(2, 1, 32), 8, [](B b) { b.header.ddspf.flags |= DDPF_NVTT_SRGB; }),
       [](const DdsInfo& i) { EXPECT_EQ(i.format.codec, Codec::kMasked); }},
      {"wrong linear size", Make(DdsBuilder::Dx10(8, 8, DXGI_FORMAT_BC7_UNORM), 64, [](B b) {
         b.header.flags |= DDSD_LINEARSIZE; b.header.pitchOrLinearSize = 4096; }),
       [](const DdsInfo& i) { EXPECT_EQ(i.top.bytes, 64u); }},
      {"linear size on uncompressed", Make(Rgb(4, 2, 32), 32, [](B b) {
         b.header.flags |= DDSD_LINEARSIZE; b.header.pitchOrLinearSize = 7; }),
       [](const DdsInfo& i) { EXPECT_EQ(i.top.rowPitch, 16u); }},
      {"mip count 0", Make(Dxt(4, 4), 8, [](B b) { b.header.mipMapCount = 0; }),
       [](const DdsInfo& i) { EXPECT_EQ(i.mipCount, 1u); }},
      {"mip count too large", Make(Dxt(8, 4), 16, [](B b) { b.header.mipMapCount = 40; }),
       [](const DdsInfo& i) { EXPECT_EQ(i.mipCount, 4u); }},
      {"DX10 array size 0", Make(DdsBuilder::Dx10(4, 4, DXGI_FORMAT_BC1_UNORM), 8, [](B b) { b.ext.arraySize = 0; }), bc1},
      {"DX10 dimension 0", Make(DdsBuilder::Dx10(4, 4, DXGI_FORMAT_BC1_UNORM), 8, [](B b) { b.ext.resourceDimension = 0; }), bc1},
      {"DX10 1D with height 0", Make(DdsBuilder::Dx10(7, 0, DXGI_FORMAT_R8_UNORM), 7, [](B b) {
         b.ext.resourceDimension = D3D10_RESOURCE_DIMENSION_TEXTURE1D; }),
       [](const DdsInfo& i) { EXPECT_EQ(i.height, 1u); }},
      {"size not a multiple of 4", Make(Dxt(5, 3), 16), [](const DdsInfo& i) { EXPECT_EQ(i.top.bytes, 16u); }},
      {"DWORD rows by file size", Make(Rgb(3, 3, 24), 36), [](const DdsInfo& i) { EXPECT_EQ(i.top.rowPitch, 12u); }},
      {"DWORD rows by pitch field", Make(Rgb(3, 3, 24), 40, [](B b) {
         b.header.flags |= DDSD_PITCH; b.header.pitchOrLinearSize = 12; }),
       [](const DdsInfo& i) { EXPECT_EQ(i.top.rowPitch, 12u); }},
      {"pair rows rounded up", Make(Dxt(3, 1, kFourCC_RGBG), 8), [](const DdsInfo& i) { EXPECT_EQ(i.top.rowPitch, 8u); }},
      {"tight rows by file size", Make(Rgb(3, 3, 24), 27), [](const DdsInfo& i) { EXPECT_EQ(i.top.rowPitch, 9u); }},
      {"A8 with bit count 0", Make(DdsBuilder::Masks(2, 2, DDPF_ALPHA, 0, 0, 0, 0, 0xFF), 4),
       [](const DdsInfo& i) { EXPECT_EQ(i.format.map, ChannelMap::kAlpha); }},
      {"cube without face bits", Make(Cube(4, 1, 0), 48), [](const DdsInfo& i) {
         EXPECT_TRUE(i.isCube); EXPECT_EQ(i.facesStored, 0x3F); EXPECT_EQ(i.facesReadable, 0x3F); }},
      {"cube with its mip chains missing", Make(Cube(8, 4), 6 * 32 + 8), [](const DdsInfo& i) {
         EXPECT_EQ(i.faceStride, 32u); EXPECT_EQ(i.facesReadable, 0x3F); }},
      {"cube tails badly sized (56 bytes a face written as 48)", Make(Cube(8, 4), 6 * 48),
       [](const DdsInfo& i) { EXPECT_EQ(i.faceStride, 48u); }},
      {"cube with its last faces missing", Make(Cube(4, 1), 8 * 4 + 3), [](const DdsInfo& i) { EXPECT_EQ(i.facesReadable, 0x0F); }},
      {"cube of three faces with mips", Make(Cube(8, 4, DDSCAPS2_CUBEMAP_POSITIVEX | DDSCAPS2_CUBEMAP_POSITIVEY | DDSCAPS2_CUBEMAP_NEGATIVEZ), 3 * 56),
       [](const DdsInfo& i) { EXPECT_EQ(i.facesStored, 0x25); EXPECT_EQ(i.facesReadable, 0x25); EXPECT_EQ(i.faceStride, 56u); }},
      {"palette after the header", Make(DdsBuilder::Masks(2, 1, DDPF_PALETTEINDEXED8, 8, 0, 0, 0, 0), 2, [](B b) { b.palette = Bytes(1024, 9); }),
       [](const DdsInfo& i) { EXPECT_EQ(i.dataOffset, 128u + 1024u); EXPECT_EQ(i.palette[1023], 9); }},
  };
  // clang-format on
  for (const ToleranceCase& c : cases) {
    SCOPED_TRACE(c.name);
    DdsInfo info;
    Failure failure;
    ASSERT_TRUE(Parse(c.file, &info, &failure)) << failure.message;
    c.check(info);
  }
}

TEST(ReaddxtParse, RefusedFilesFailWithTheirKind) {
  Bytes bmp = {'B', 'M'};
  bmp.resize(300, 0);
  Bytes shortHeader = Dxt(4, 4).Build(), shortDx10 = DdsBuilder::Dx10(4, 4, DXGI_FORMAT_BC1_UNORM).Build();
  shortHeader.resize(100);
  shortDx10.resize(140);
  const struct {
    const char* name;
    Bytes file;
    FailureKind kind;
  } cases[] = {
      {"empty", {}, FailureKind::kNotDds},
      {"three bytes", {'D', 'D', 'S'}, FailureKind::kNotDds},
      {"a BMP", bmp, FailureKind::kNotDds},
      {"header truncated", shortHeader, FailureKind::kCorrupt},
      {"header size 100", Make(Dxt(4, 4), 8, [](B b) { b.header.size = 100; }), FailureKind::kCorrupt},
      {"pixel format size 31", Make(Dxt(4, 4), 8, [](B b) { b.header.ddspf.size = 31; }),
       FailureKind::kCorrupt},
      {"DX10 header truncated", shortDx10, FailureKind::kCorrupt},
      {"palette truncated", Make(DdsBuilder::Masks(2, 1, DDPF_PALETTEINDEXED8, 8, 0, 0, 0, 0), 500),
       FailureKind::kCorrupt},
      {"top level truncated", Make(Dxt(64, 64), 1000), FailureKind::kCorrupt},
      {"header only", Dxt(4, 4).Build(), FailureKind::kCorrupt},
      {"zero width", Make(Dxt(0, 4), 8), FailureKind::kCorrupt},
      {"no format at all", Make(DdsBuilder::Masks(2, 2, 0, 32, 0, 0, 0, 0), 16), FailureKind::kCorrupt},
      {"unknown FourCC", Make(Dxt(4, 4, MakeFourCC('A', 'B', 'C', 'D')), 16), FailureKind::kUnsupported},
      {"unknown DXGI format", Make(DdsBuilder::Dx10(4, 4, 200), 64), FailureKind::kUnsupported},
      {"DX10 buffer",
       Make(DdsBuilder::Dx10(4, 1, DXGI_FORMAT_R8_UNORM), 4, [](B b) { b.ext.resourceDimension = 1; }),
       FailureKind::kUnsupported},
      {"too large for a TGA", Make(Dxt(1000000, 1000000), 1024), FailureKind::kUnsupported},
      {"65536 wide", Make(DdsBuilder::Dx10(65536, 1, DXGI_FORMAT_R8_UNORM), 65536),
       FailureKind::kUnsupported},
      {"4-bit palette", Make(DdsBuilder::Masks(2, 2, DDPF_PALETTEINDEXED4, 4, 0, 0, 0, 0), 1100),
       FailureKind::kUnsupported},
      {"split mask", Make(DdsBuilder::Masks(2, 2, DDPF_RGB, 16, 0xF0F0, 0x0F00, 0x000F, 0), 8),
       FailureKind::kUnsupported},
      {"12-bit pixels", Make(DdsBuilder::Masks(2, 2, DDPF_RGB, 12, 0xF00, 0xF0, 0xF, 0), 8),
       FailureKind::kUnsupported},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    DdsInfo info;
    Failure failure;
    EXPECT_FALSE(Parse(c.file, &info, &failure));
    EXPECT_EQ(failure.kind, c.kind) << failure.message;
    EXPECT_FALSE(failure.message.empty());
  }
  // The largest width a TGA holds is read.
  DdsInfo info;
  Failure failure;
  EXPECT_TRUE(Parse(Make(DdsBuilder::Dx10(65535, 1, DXGI_FORMAT_R8_UNORM), 65535), &info, &failure));
}

}  // namespace
}  // namespace readdxt_test
