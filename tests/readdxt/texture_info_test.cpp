// `readdxt --info` fields for the format families, shapes and header repairs.
#include "readdxt/texture_info.h"

#include "readdxt/dds_builder.h"

namespace {

using namespace readdxt;
using namespace readdxt_test;

TEST(ReaddxtInfo, DescribesFormatShapeAlphaAndRepairs) {
  const Bytes opaqueBlock = Words(2, {0xF800, 0x001F, 0, 0}),
              holeBlock = Words(2, {0x001F, 0xF800, 0, 0xFFFF});
  // clang-format off
  const struct { const char* name; Bytes file; const char* fields; } cases[] = {
      {"DXT1 opaque", FourCC(8, 4, kFourCC_DXT1, opaqueBlock + opaqueBlock).Build(), "legacy\tDXT1\t8x4\tmips=1\tarray=1\talpha=none\tsrgb=no\trepairs=none"},
      {"DXT1 with a hole", FourCC(8, 4, kFourCC_DXT1, opaqueBlock + holeBlock).Build(), "legacy\tDXT1\t8x4\tmips=1\tarray=1\talpha=1-bit\tsrgb=no\trepairs=none"},
      {"DXT5, 3 of 20 mips", FourCC(4, 4, kFourCC_DXT5, Bytes(48, 0)).Edit([](DdsBuilder& d) { d.header.mipMapCount = 20; }).Build(), "legacy\tDXT5\t4x4\tmips=3\tarray=1\talpha=full\tsrgb=no\trepairs=mip-count"},
      {"BC7 sRGB array", Dx10(4, 4, DXGI_FORMAT_BC7_UNORM_SRGB, Bytes(48, 0)).Edit([](DdsBuilder& d) { d.ext.arraySize = 3; }).Build(), "dx10\tBC7\t4x4\tmips=1\tarray=3\talpha=full\tsrgb=yes\trepairs=none"},
      {"BC5 cube, no face bits, old header size", Dx10(4, 4, DXGI_FORMAT_BC5_UNORM, Bytes(96, 0)).Edit([](DdsBuilder& d) { d.ext.miscFlag = DDS_RESOURCE_MISC_TEXTURECUBE; d.header.size = 24; d.ext.resourceDimension = 0; }).Build(), "dx10\tBC5\t4x4\tmips=1\tcube=6\talpha=none\tsrgb=no\trepairs=header-size,dimension"},
      {"A1R5G5B5 volume", Masks(2, 1, DDPF_RGB | DDPF_ALPHAPIXELS, 16, 0x7C00, 0x3E0, 0x1F, 0x8000, Bytes(12, 0)).Edit([](DdsBuilder& d) { d.header.caps2 = DDSCAPS2_VOLUME; d.header.depth = 3; }).Build(), "legacy\tA1R5G5B5\t2x1\tmips=1\tvolume=3\talpha=1-bit\tsrgb=no\trepairs=none"},
      {"half floats, cube with 2 faces in the file", Dx10(1, 1, DXGI_FORMAT_R16G16B16A16_FLOAT, Bytes(16, 0)).Edit([](DdsBuilder& d) { d.header.ddspf.flags = 0; d.ext.miscFlag = DDS_RESOURCE_MISC_TEXTURECUBE; }).Build(), "dx10\tR16G16B16A16_FLOAT\t1x1\tmips=1\tcube=6\talpha=full\tsrgb=no\trepairs=fourcc-flag,missing-faces"},
  };
  // clang-format on
  for (const auto& c : cases) {
    MemorySource source(c.file.data(), c.file.size());
    std::string fields;
    Failure failure;
    EXPECT_TRUE(DescribeTexture(source, fields, failure)) << c.name << ": " << failure.message;
    EXPECT_EQ(fields, c.fields) << c.name;
  }
}

}  // namespace
