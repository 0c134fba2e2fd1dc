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
using Check = std::function<void(const DdsInfo&)>;

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
Check Codecs(Codec codec) {
  return [codec](const DdsInfo& i) { EXPECT_EQ(i.format.codec, codec); };
}

TEST(ReaddxtParse, ToleratedDamageIsReadAndTheRestFailsWithItsKind) {
  constexpr FailureKind kOk = FailureKind::kNone, kNotDds = FailureKind::kNotDds,
                        kCorrupt = FailureKind::kCorrupt, kUnsupported = FailureKind::kUnsupported;
  Bytes bmp = {'B', 'M'}, shortHeader = Dxt(4, 4).Build(),
        shortDx10 = DdsBuilder::Dx10(4, 4, DXGI_FORMAT_BC1_UNORM).Build();
  bmp.resize(300, 0);
  shortHeader.resize(100);
  shortDx10.resize(140);
  const auto bc1 = Codecs(Codec::kBC1);
  const struct {
    const char* name;
    Bytes file;
    FailureKind kind;
    Check check;
  } cases[] = {
      // clang-format off
      {"header size 24", Make(Dxt(4, 4), 8, [](B b) { b.header.size = 24; }), kOk, bc1},
      {"pixel format size 0", Make(Dxt(4, 4), 8, [](B b) { b.header.ddspf.size = 0; }), kOk, bc1},
      {"pixel format size 24", Make(Dxt(4, 4), 8, [](B b) { b.header.ddspf.size = 24; }), kOk, bc1},
      {"no header flags", Make(Dxt(4, 4), 8, [](B b) { b.header.flags = 0; b.header.caps = 0; }), kOk, bc1},
      {"FourCC without the FourCC flag", Make(Dxt(4, 4, kFourCC_DXT5), 16, [](B b) { b.header.ddspf.flags = 0; }),
       kOk, Codecs(Codec::kBC3)},
      {"NVTT private bits", Make(Dxt(4, 4, kFourCC_ATI2), 16, [](B b) {
         b.header.ddspf.flags |= DDPF_NVTT_NORMAL | DDPF_NVTT_SRGB;
         b.header.reserved1[9] = MakeFourCC('N', 'V', 'T', 'T'); }), kOk, Codecs(Codec::kBC5)},
      {"NVTT bit on masks", Make(Rgb(2, 1, 32), 8, [](B b) { b.header.ddspf.flags |= DDPF_NVTT_SRGB; }), kOk,
       Codecs(Codec::kMasked)},
      {"wrong linear size", Make(DdsBuilder::Dx10(8, 8, DXGI_FORMAT_BC7_UNORM), 64, [](B b) {
         b.header.flags |= DDSD_LINEARSIZE; b.header.pitchOrLinearSize = 4096; }), kOk,
       [](const DdsInfo& i) { EXPECT_EQ(i.top.bytes, 64u); }},
      {"mip count 0", Make(Dxt(4, 4), 8, [](B b) { b.header.mipMapCount = 0; }), kOk,
       [](const DdsInfo& i) { EXPECT_EQ(i.mipCount, 1u); }},
      {"mip count too large", Make(Dxt(8, 4), 16, [](B b) { b.header.mipMapCount = 40; }), kOk,
       [](const DdsInfo& i) { EXPECT_EQ(i.mipCount, 4u); }},
      {"DX10 dimension 0", Make(DdsBuilder::Dx10(4, 4, DXGI_FORMAT_BC1_UNORM), 8, [](B b) { b.ext.resourceDimension = 0; }), kOk, bc1},
      {"DX10 1D with height 0", Make(DdsBuilder::Dx10(7, 0, DXGI_FORMAT_R8_UNORM), 7, [](B b) {
         b.ext.resourceDimension = D3D10_RESOURCE_DIMENSION_TEXTURE1D; }), kOk,
       [](const DdsInfo& i) { EXPECT_EQ(i.height, 1u); }},
      {"DWORD rows by file size", Make(Rgb(3, 3, 24), 36), kOk, [](const DdsInfo& i) { EXPECT_EQ(i.top.rowPitch, 12u); }},
      {"DWORD rows by pitch field", Make(Rgb(3, 3, 24), 40, [](B b) {
         b.header.flags |= DDSD_PITCH; b.header.pitchOrLinearSize = 12; }), kOk,
       [](const DdsInfo& i) { EXPECT_EQ(i.top.rowPitch, 12u); }},
      {"tight rows by file size", Make(Rgb(3, 3, 24), 27), kOk, [](const DdsInfo& i) { EXPECT_EQ(i.top.rowPitch, 9u); }},
      {"pair rows rounded up", Make(Dxt(3, 1, kFourCC_RGBG), 8), kOk, [](const DdsInfo& i) { EXPECT_EQ(i.top.rowPitch, 8u); }},
      {"A8 with bit count 0", Make(DdsBuilder::Masks(2, 2, DDPF_ALPHA, 0, 0, 0, 0, 0xFF), 4), kOk,
       [](const DdsInfo& i) { EXPECT_EQ(i.format.map, ChannelMap::kAlpha); }},
      {"cube without face bits", Make(Cube(4, 1, 0), 48), kOk, [](const DdsInfo& i) {
         EXPECT_TRUE(i.isCube); EXPECT_EQ(i.facesStored, 0x3F); EXPECT_EQ(i.facesReadable, 0x3F); }},
      {"cube with its mip chains missing", Make(Cube(8, 4), 6 * 32 + 8), kOk, [](const DdsInfo& i) {
         EXPECT_EQ(i.faceStride, 32u); EXPECT_EQ(i.facesReadable, 0x3F); }},
      {"cube tails badly sized (56 bytes a face written as 48)", Make(Cube(8, 4), 6 * 48), kOk,
       [](const DdsInfo& i) { EXPECT_EQ(i.faceStride, 48u); }},
      {"cube of three faces with mips", Make(Cube(8, 4, DDSCAPS2_CUBEMAP_POSITIVEX | DDSCAPS2_CUBEMAP_POSITIVEY | DDSCAPS2_CUBEMAP_NEGATIVEZ), 3 * 56),
       kOk, [](const DdsInfo& i) { EXPECT_EQ(i.facesStored, 0x25); EXPECT_EQ(i.facesReadable, 0x25); EXPECT_EQ(i.faceStride, 56u); }},
      {"65535 wide, the most a TGA holds", Make(DdsBuilder::Dx10(65535, 1, DXGI_FORMAT_R8_UNORM), 65535), kOk, nullptr},
      {"three bytes", {'D', 'D', 'S'}, kNotDds, nullptr},
      {"a BMP", bmp, kNotDds, nullptr},
      {"header truncated", shortHeader, kCorrupt, nullptr},
      {"header size 100", Make(Dxt(4, 4), 8, [](B b) { b.header.size = 100; }), kCorrupt, nullptr},
      {"pixel format size 31", Make(Dxt(4, 4), 8, [](B b) { b.header.ddspf.size = 31; }), kCorrupt, nullptr},
      {"DX10 header truncated", shortDx10, kCorrupt, nullptr},
      {"palette truncated", Make(DdsBuilder::Masks(2, 1, DDPF_PALETTEINDEXED8, 8, 0, 0, 0, 0), 500), kCorrupt, nullptr},
      {"top level truncated", Make(Dxt(64, 64), 1000), kCorrupt, nullptr},
      {"zero width", Make(Dxt(0, 4), 8), kCorrupt, nullptr},
      {"no format at all", Make(DdsBuilder::Masks(2, 2, 0, 32, 0, 0, 0, 0), 16), kCorrupt, nullptr},
      {"unknown FourCC", Make(Dxt(4, 4, MakeFourCC('A', 'B', 'C', 'D')), 16), kUnsupported, nullptr},
      {"unknown DXGI format", Make(DdsBuilder::Dx10(4, 4, 200), 64), kUnsupported, nullptr},
      {"DX10 buffer", Make(DdsBuilder::Dx10(4, 1, DXGI_FORMAT_R8_UNORM), 4, [](B b) { b.ext.resourceDimension = 1; }),
       kUnsupported, nullptr},
      {"65536 wide", Make(DdsBuilder::Dx10(65536, 1, DXGI_FORMAT_R8_UNORM), 65536), kUnsupported, nullptr},
      {"4-bit palette", Make(DdsBuilder::Masks(2, 2, DDPF_PALETTEINDEXED4, 4, 0, 0, 0, 0), 1100), kUnsupported, nullptr},
      {"split mask", Make(DdsBuilder::Masks(2, 2, DDPF_RGB, 16, 0xF0F0, 0x0F00, 0x000F, 0), 8), kUnsupported, nullptr},
      {"12-bit pixels", Make(DdsBuilder::Masks(2, 2, DDPF_RGB, 12, 0xF00, 0xF0, 0xF, 0), 8), kUnsupported, nullptr},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    DdsInfo info;
    Failure failure;
    const size_t head = c.file.size() < kDdsMaxHeadBytes ? c.file.size() : kDdsMaxHeadBytes;
    EXPECT_EQ(ParseDds(c.file.data(), head, c.file.size(), &info, &failure), c.kind == kOk);
    EXPECT_EQ(failure.kind, c.kind) << failure.message;
    EXPECT_EQ(failure.message.empty(), c.kind == kOk);
    if (c.kind == kOk && c.check) c.check(info);
  }
}

}  // namespace
}  // namespace readdxt_test
