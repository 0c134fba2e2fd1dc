// The conversion in memory: header validation (damage seen in the wild is read, the rest fails
// with its kind), each decoding path, cube crosses, first slices, block fix-ups, cropping, row order.
#include "readdxt/converter.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "readdxt/block_decoders.h"
#include "readdxt/dds_builder.h"
#include "readdxt/dds_parse.h"

namespace {

using namespace readdxt;
using namespace readdxt_test;
using Px = std::vector<int>;  // B, G, R, A
using B = DdsBuilder&;
using Check = std::function<void(const DdsInfo&)>;

// Converts in memory.
Tga Convert(const DdsBuilder& dds) {
  const Bytes file = dds.Build();
  MemorySource source(file.data(), file.size());
  MemorySink sink;
  ConvertedImage image;
  Failure failure;
  EXPECT_TRUE(ConvertDdsToTga(source, sink, image, failure)) << failure.message;
  return ParseTga(sink.bytes());
}

// `builder` after `edit`, followed by `dataBytes` zero bytes.
Bytes Make(
    DdsBuilder builder, size_t dataBytes, void (*edit)(B) = [](B) {}) {
  return builder.Edit(edit).With(Bytes(dataBytes, 0)).Build();
}
DdsBuilder Rgb(uint32_t w, uint32_t h, uint32_t bits) {
  return Masks(w, h, DDPF_RGB, bits, 0xFF0000, 0xFF00, 0xFF, 0);
}
DdsBuilder Cube(uint32_t size, uint32_t mips, uint32_t faces = DDSCAPS2_CUBEMAP_ALLFACES) {
  return FourCC(size, size).Edit([&](B b) {
    b.header.mipMapCount = mips, b.header.caps2 = DDSCAPS2_CUBEMAP | faces;
  });
}
Check Codecs(Codec codec) {
  return [codec](const DdsInfo& i) { EXPECT_EQ(i.format.codec, codec); };
}

TEST(ReaddxtParse, ToleratedDamageIsReadAndTheRestFailsWithItsKind) {
  constexpr FailureKind kOk = FailureKind::kNone, kNotDds = FailureKind::kNotDds,
                        kCorrupt = FailureKind::kCorrupt, kUnsupported = FailureKind::kUnsupported;
  const auto cut = [](Bytes b, size_t size) { return b.resize(size), b; };
  const auto bc1 = Codecs(Codec::kBC1);
  // clang-format off
  const struct { const char* name; Bytes file; FailureKind kind; Check check = nullptr; } cases[] = {
      {"header size 24", Make(FourCC(4, 4), 8, [](B b) { b.header.size = 24; }), kOk, bc1},
      {"pixel format size 0", Make(FourCC(4, 4), 8, [](B b) { b.header.ddspf.size = 0; }), kOk, bc1},
      {"pixel format size 24", Make(FourCC(4, 4), 8, [](B b) { b.header.ddspf.size = 24; }), kOk, bc1},
      {"no header flags", Make(FourCC(4, 4), 8, [](B b) { b.header.flags = 0; b.header.caps = 0; }), kOk, bc1},
      {"FourCC without the FourCC flag", Make(FourCC(4, 4, kFourCC_DXT5), 16, [](B b) { b.header.ddspf.flags = 0; }), kOk, Codecs(Codec::kBC3)},
      {"NVTT private bits", Make(FourCC(4, 4, kFourCC_ATI2), 16, [](B b) { b.header.ddspf.flags |= DDPF_NVTT_NORMAL | DDPF_NVTT_SRGB; b.header.reserved1[9] = MakeFourCC('N', 'V', 'T', 'T'); }), kOk, Codecs(Codec::kBC5)},
      {"NVTT bit on masks", Make(Rgb(2, 1, 32), 8, [](B b) { b.header.ddspf.flags |= DDPF_NVTT_SRGB; }), kOk, Codecs(Codec::kMasked)},
      {"wrong linear size", Make(Dx10(8, 8, DXGI_FORMAT_BC7_UNORM), 64, [](B b) { b.header.flags |= DDSD_LINEARSIZE; b.header.pitchOrLinearSize = 4096; }), kOk, [](const DdsInfo& i) { EXPECT_EQ(i.top.bytes, 64u); }},
      {"mip count 0", Make(FourCC(4, 4), 8, [](B b) { b.header.mipMapCount = 0; }), kOk, [](const DdsInfo& i) { EXPECT_EQ(i.mipCount, 1u); }},
      {"mip count too large", Make(FourCC(8, 4), 16, [](B b) { b.header.mipMapCount = 40; }), kOk, [](const DdsInfo& i) { EXPECT_EQ(i.mipCount, 4u); }},
      {"DX10 dimension 0", Make(Dx10(4, 4, DXGI_FORMAT_BC1_UNORM), 8, [](B b) { b.ext.resourceDimension = 0; }), kOk, bc1},
      {"DX10 1D with height 0", Make(Dx10(7, 0, DXGI_FORMAT_R8_UNORM), 7, [](B b) { b.ext.resourceDimension = D3D10_RESOURCE_DIMENSION_TEXTURE1D; }), kOk, [](const DdsInfo& i) { EXPECT_EQ(i.height, 1u); }},
      {"DWORD rows by file size", Make(Rgb(3, 3, 24), 36), kOk, [](const DdsInfo& i) { EXPECT_EQ(i.top.rowPitch, 12u); }},
      {"DWORD rows by pitch field", Make(Rgb(3, 3, 24), 40, [](B b) { b.header.flags |= DDSD_PITCH; b.header.pitchOrLinearSize = 12; }), kOk, [](const DdsInfo& i) { EXPECT_EQ(i.top.rowPitch, 12u); }},
      {"tight rows by file size", Make(Rgb(3, 3, 24), 27), kOk, [](const DdsInfo& i) { EXPECT_EQ(i.top.rowPitch, 9u); }},
      {"pair rows rounded up", Make(FourCC(3, 1, kFourCC_RGBG), 8), kOk, [](const DdsInfo& i) { EXPECT_EQ(i.top.rowPitch, 8u); }},
      {"A8 with bit count 0", Make(Masks(2, 2, DDPF_ALPHA, 0, 0, 0, 0, 0xFF), 4), kOk, [](const DdsInfo& i) { EXPECT_EQ(i.format.map, ChannelMap::kAlpha); }},
      {"cube without face bits", Make(Cube(4, 1, 0), 48), kOk, [](const DdsInfo& i) { EXPECT_TRUE(i.isCube); EXPECT_EQ(i.facesStored, 0x3F); EXPECT_EQ(i.facesReadable, 0x3F); }},
      {"cube with its mip chains missing", Make(Cube(8, 4), 6 * 32 + 8), kOk, [](const DdsInfo& i) { EXPECT_EQ(i.faceStride, 32u); EXPECT_EQ(i.facesReadable, 0x3F); }},
      {"cube tails badly sized (56 bytes a face written as 48)", Make(Cube(8, 4), 6 * 48), kOk, [](const DdsInfo& i) { EXPECT_EQ(i.faceStride, 48u); }},
      {"cube of three faces with mips", Make(Cube(8, 4, DDSCAPS2_CUBEMAP_POSITIVEX | DDSCAPS2_CUBEMAP_POSITIVEY | DDSCAPS2_CUBEMAP_NEGATIVEZ), 3 * 56), kOk, [](const DdsInfo& i) { EXPECT_EQ(i.facesStored, 0x25); EXPECT_EQ(i.facesReadable, 0x25); EXPECT_EQ(i.faceStride, 56u); }},
      {"65535 wide, the most a TGA holds", Make(Dx10(65535, 1, DXGI_FORMAT_R8_UNORM), 65535), kOk},
      {"three bytes", {'D', 'D', 'S'}, kNotDds},
      {"a BMP", cut({'B', 'M'}, 300), kNotDds},
      {"header truncated", cut(FourCC(4, 4).Build(), 100), kCorrupt},
      {"header size 100", Make(FourCC(4, 4), 8, [](B b) { b.header.size = 100; }), kCorrupt},
      {"pixel format size 31", Make(FourCC(4, 4), 8, [](B b) { b.header.ddspf.size = 31; }), kCorrupt},
      {"DX10 header truncated", cut(Dx10(4, 4, DXGI_FORMAT_BC1_UNORM).Build(), 140), kCorrupt},
      {"palette truncated", Make(Masks(2, 1, DDPF_PALETTEINDEXED8, 8, 0, 0, 0, 0), 500), kCorrupt},
      {"top level truncated", Make(FourCC(64, 64), 1000), kCorrupt},
      {"zero width", Make(FourCC(0, 4), 8), kCorrupt},
      {"no format at all", Make(Masks(2, 2, 0, 32, 0, 0, 0, 0), 16), kCorrupt},
      {"unknown FourCC", Make(FourCC(4, 4, MakeFourCC('A', 'B', 'C', 'D')), 16), kUnsupported},
      {"unknown DXGI format", Make(Dx10(4, 4, 200), 64), kUnsupported},
      {"DX10 buffer", Make(Dx10(4, 1, DXGI_FORMAT_R8_UNORM), 4, [](B b) { b.ext.resourceDimension = 1; }), kUnsupported},
      {"65536 wide", Make(Dx10(65536, 1, DXGI_FORMAT_R8_UNORM), 65536), kUnsupported},
      {"4-bit palette", Make(Masks(2, 2, DDPF_PALETTEINDEXED4, 4, 0, 0, 0, 0), 1100), kUnsupported},
      {"split mask", Make(Masks(2, 2, DDPF_RGB, 16, 0xF0F0, 0x0F00, 0x000F, 0), 8), kUnsupported},
      {"12-bit pixels", Make(Masks(2, 2, DDPF_RGB, 12, 0xF00, 0xF0, 0xF, 0), 8), kUnsupported},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    DdsInfo info;
    Failure failure;
    const size_t head = c.file.size() < kDdsMaxHeadBytes ? c.file.size() : kDdsMaxHeadBytes;
    EXPECT_EQ(ParseDds(c.file.data(), head, c.file.size(), info, failure), c.kind == kOk);
    EXPECT_EQ(failure.kind, c.kind) << failure.message;
    EXPECT_EQ(failure.message.empty(), c.kind == kOk);
    if (c.kind == kOk && c.check) c.check(info);
  }
}

// Palette entry i = (R i, G 255 - i, B i / 2, A i or 255), before the pixels.
DdsBuilder Paletted(uint32_t w, uint32_t h, uint32_t bits, bool paletteAlpha, const Bytes& pixels) {
  DdsBuilder b = Masks(w, h, DDPF_PALETTEINDEXED8, bits, 0, 0, 0, 0);
  for (int i = 0; i < 256; ++i)
    b.With({uint8_t(i), uint8_t(255 - i), uint8_t(i / 2), uint8_t(paletteAlpha ? i : 255)});
  return b.With(pixels);
}

constexpr uint32_t kRgb = DDPF_RGB, kRgba = DDPF_RGB | DDPF_ALPHAPIXELS, kLum = DDPF_LUMINANCE;

// colour1 = 0 < colour0 keeps the 4-colour mode, all texels colour0.
Bytes SolidBC1(uint16_t rgb565) { return Words(2, {rgb565, 0, 0, 0}); }
constexpr uint16_t kRed565 = 0xF800, kGreen565 = 0x07E0, kBlue565 = 0x001F;
const Px kRed = {0, 0, 255, 255}, kGreen = {0, 255, 0, 255}, kBlue = {255, 0, 0, 255};

// Face f of a cube, array or volume in one solid colour: A8R8G8B8 pixels of kFaceArgb[f], or
// DXT1 blocks of the same colour in kFace565.
constexpr uint32_t kFaceArgb[6] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00, 0xFF00FFFF, 0xFFFF00FF};
constexpr uint16_t kFace565[6] = {0xF800, 0x07E0, 0x001F, 0xFFE0, 0x07FF, 0xF81F};
Px FacePx(int f) {
  return {int(kFaceArgb[f] & 255), int(kFaceArgb[f] >> 8 & 255), int(kFaceArgb[f] >> 16 & 255), 255};
}
constexpr uint32_t kAllFaces = DDSCAPS2_CUBEMAP | DDSCAPS2_CUBEMAP_ALLFACES;

DdsBuilder Argb(uint32_t w, uint32_t h, uint32_t caps2, std::initializer_list<int> faces,
                uint32_t pixels = 4) {
  auto b = Masks(w, h, kRgba, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000);
  b.header.caps2 = caps2;
  for (int f : faces) b.With(Words(4, {kFaceArgb[f]}, pixels));
  return b;
}
DdsBuilder Argb10(uint32_t dimension, uint32_t misc, std::initializer_list<int> faces) {
  auto b = Dx10(2, 2, DXGI_FORMAT_B8G8R8A8_UNORM);
  b.ext.resourceDimension = dimension;
  b.ext.miscFlag = misc;
  b.ext.arraySize = misc ? 1 : uint32_t(faces.size());  // a cube counts once
  b.header.depth = dimension == D3D10_RESOURCE_DIMENSION_TEXTURE3D ? uint32_t(faces.size()) : 0;
  for (int f : faces) b.With(Words(4, {kFaceArgb[f]}, 4));
  return b;
}

TEST(ReaddxtConverter, CubeMapsBecomeAHorizontalCross) {
  DdsBuilder dxt1 = FourCC(4, 2).Edit([](B b) { b.header.caps2 = kAllFaces; });
  for (uint16_t c : kFace565) dxt1.With(SolidBC1(c));
  // clang-format off
  const struct { const char* name; DdsBuilder dds; uint8_t faces; } cases[] = {
      {"three faces stored, the others transparent", Argb(2, 2, DDSCAPS2_CUBEMAP | DDSCAPS2_CUBEMAP_POSITIVEX | DDSCAPS2_CUBEMAP_POSITIVEY | DDSCAPS2_CUBEMAP_NEGATIVEZ, {0, 2, 5}), 0x25},
      // Each face carries its whole chain (4x4, 2x2, 1x1).
      {"faces with mips", Argb(4, 4, kAllFaces, {0, 1, 2, 3, 4, 5}, 16 + 4 + 1).Edit([](B b) { b.header.mipMapCount = 3; }), 0x3F},
      {"extended header", Argb10(D3D10_RESOURCE_DIMENSION_TEXTURE2D, DDS_RESOURCE_MISC_TEXTURECUBE, {0, 1, 2, 3, 4, 5}), 0x3F},
      {"truncated: the faces that are there", Argb(2, 2, kAllFaces, {0, 1, 2, 3}), 0x0F},
      // Block rows past a face's height are padding, not the cell below.
      {"DXT1 4x2", dxt1, 0x3F},
      // clang-format on
  };
  // +Y above; -X, +Z, +X, -Z across; -Y below. Faces: +X -X +Y -Y +Z -Z.
  const int faceAt[3][4] = {{-1, 2, -1, -1}, {1, 4, 0, 5}, {-1, 3, -1, -1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Tga tga = Convert(c.dds);
    const uint32_t w = c.dds.header.width, h = c.dds.header.height;
    ASSERT_EQ(std::tuple(tga.width, tga.height, tga.depth), std::tuple(4 * w, 3 * h, 32));
    int wrong = 0;
    for (uint32_t i = 0; i < 12 * w * h; ++i) {
      const uint32_t x = i % tga.width, y = i / tga.width;
      const int f = faceAt[y / h][x / w];
      wrong += tga.At(x, y) != (f >= 0 && (c.faces >> f & 1) ? FacePx(f) : Px{0, 0, 0, 0});
    }
    EXPECT_EQ(wrong, 0);
  }
}

TEST(ReaddxtConverter, PicturesOfKnownPixels) {
  // 5 x 10: two block columns (red, blue), three block rows (red, green, red); the last
  // block row shows 2 rows.
  const Bytes cropped = SolidBC1(kRed565) + SolidBC1(kBlue565) + SolidBC1(kGreen565) + SolidBC1(kBlue565) +
                        SolidBC1(kRed565) + SolidBC1(kBlue565);
  // DXT2: BC2 with alpha 8/15 (136) and red 8/31 (66) premultiplied -> red 124.
  const Bytes bc2 = Words(1, {0x88, 0x88, 0x88, 0x88, 0x88, 0x88, 0x88, 0x88, 0x00, 0x40, 0, 0, 0, 0, 0, 0});
  // RXGB: BC3 whose alpha (200) is the red channel; shown opaque. BC4: grey, opaque. ATI2 (read
  // as BC5): red from the first block, green from the second, blue 0.
  const Bytes red100 = Words(8, {100 | 100 << 8}), green200 = Words(8, {200 | 200 << 8});
  // The extended header's block formats: a valid BC7 mode (6), a valid BC6H mode.
  const Bytes validBlocks = Words(1, {0x40}) + Bytes(63, 0);
  const auto cube = [](B b) { b.header.caps2 = kAllFaces; };
  using At = std::tuple<uint32_t, uint32_t, Px>;
  // clang-format off
  const struct { const char* name; DdsBuilder dds; int depth; std::vector<int> all; std::vector<At> pixels = {}; } cases[] = {  // all: B, G, R (and A at 32 bits) per pixel, row by row
    {"A8R8G8B8", Masks(2, 2, kRgba, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000, Words(4, {0x80112233, 0xFF445566, 0x00778899, 0x10AABBCC})), 32, {0x33, 0x22, 0x11, 0x80, 0x66, 0x55, 0x44, 0xFF, 0x99, 0x88, 0x77, 0, 0xCC, 0xBB, 0xAA, 0x10}},
    {"A8B8G8R8", Masks(2, 1, kRgba, 32, 0xFF, 0xFF00, 0xFF0000, 0xFF000000, Words(4, {0x80112233, 0xFF445566})), 32, {0x11, 0x22, 0x33, 0x80, 0x44, 0x55, 0x66, 0xFF}},
    {"R8G8B8 DWORD rows", Masks(3, 2, kRgb, 24, 0xFF0000, 0xFF00, 0xFF, 0, Words(3, {0x112233, 0x445566, 0x778899, 0xEEEEEE, 0xAABBCC, 0xDDEEFF, 0x010203, 0xEEEEEE})), 24, {0x33, 0x22, 0x11, 0x66, 0x55, 0x44, 0x99, 0x88, 0x77, 0xCC, 0xBB, 0xAA, 0xFF, 0xEE, 0xDD, 3, 2, 1}},
    {"R5G6B5", Masks(2, 2, kRgb, 16, 0xF800, 0x7E0, 0x1F, 0, Words(2, {0xF800, 0x07E0, 0x001F, 0x8410})), 24, {0, 0, 255, 0, 255, 0, 255, 0, 0, 132, 130, 132}},
    {"A2B10G10R10 masks read with red and blue swapped", Masks(2, 1, kRgba, 32, 0x3FF, 0xFFC00, 0x3FF00000, 0xC0000000, Words(4, {0xC00003FF, 0x7FF00000})), 32, {255, 0, 0, 255, 0, 0, 255, 85}},
    {"G16R16: red, green, blue 0", Masks(2, 1, kRgb, 32, 0xFFFF, 0xFFFF0000, 0, 0, Words(4, {0xFFFF0000, 0x8000FFFF})), 24, {0, 255, 0, 0, 128, 255}},
    {"V8U8 signed: -1..1 to 0..255", Masks(2, 1, DDPF_BUMPDUDV, 16, 0xFF, 0xFF00, 0, 0, Words(2, {0x7F81, 0x0080})), 24, {0, 255, 0, 0, 128, 0}},
    {"A8L8", Masks(2, 1, kLum | DDPF_ALPHAPIXELS, 16, 0xFF, 0, 0, 0xFF00, Words(2, {0x80FF, 0x0010})), 32, {255, 255, 255, 128, 16, 16, 16, 0}},
    {"A8: grey = alpha", Masks(2, 1, DDPF_ALPHA, 8, 0, 0, 0, 0xFF, Words(1, {0, 0x80})), 32, {0, 0, 0, 0, 128, 128, 128, 128}},
    {"A8L8 written as RGB masks", Masks(2, 1, kRgba, 16, 0xFF, 0xFF, 0xFF, 0xFF00, Words(2, {0x80FF, 0xFF20})), 32, {255, 255, 255, 128, 32, 32, 32, 255}},
    {"P8 opaque palette", Paletted(2, 2, 8, false, Words(1, {0, 1, 128, 255})), 24, {0, 255, 0, 0, 254, 1, 64, 127, 128, 127, 0, 255}},
    {"P8 palette alpha", Paletted(2, 1, 8, true, Words(1, {0, 200})), 32, {0, 255, 0, 0, 100, 55, 200, 200}},
    {"A8P8", Paletted(2, 1, 16, false, Words(2, {0x8001, 0xFF02})), 32, {0, 254, 1, 128, 1, 253, 2, 255}},
    {"A16B16G16R16", FourCC(1, 2, D3DFMT_A16B16G16R16, Words(2, {0xFFFF, 0, 0x8000, 0xFFFF, 0, 0, 0, 0})), 32, {128, 0, 255, 255, 0, 0, 0, 0}},
    {"Q16W16V16U16 signed", FourCC(1, 1, D3DFMT_Q16W16V16U16, Words(2, {0x7FFF, 0x8001, 0, 0x7FFF})), 32, {128, 0, 255, 255}},
    {"R16F 1, 0.5, -1, inf: grey, clamped", FourCC(2, 2, D3DFMT_R16F, Words(2, {0x3C00, 0x3800, 0xBC00, 0x7C00})), 24, {255, 255, 255, 128, 128, 128, 0, 0, 0, 255, 255, 255}},
    {"R32F 0.5 and NaN (black)", FourCC(2, 1, D3DFMT_R32F, Words(4, {0x3F000000, 0x7FC00000})), 24, {128, 128, 128, 0, 0, 0}},
    {"A32B32G32R32F 1, 0, 0, 0.5", FourCC(1, 1, D3DFMT_A32B32G32R32F, Words(4, {0x3F800000, 0, 0, 0x3F000000})), 32, {0, 0, 255, 128}},
    {"R8G8B8A8_UNORM_SRGB keeps bytes", Dx10(1, 1, DXGI_FORMAT_R8G8B8A8_UNORM_SRGB, Words(4, {0x80112233})), 32, {0x11, 0x22, 0x33, 0x80}},
    {"R10G10B10A2", Dx10(3, 1, DXGI_FORMAT_R10G10B10A2_UNORM, Words(4, {0xC00003FF, 0x000FFC00, 0x20000000})), 32, {0, 0, 255, 255, 0, 255, 0, 0, 128, 0, 0, 0}},
    {"R11G11B10_FLOAT", Dx10(1, 1, DXGI_FORMAT_R11G11B10_FLOAT, Words(4, {0x3C0 | (0x380 << 11) | (uint64_t{0x1E0} << 22)})), 24, {255, 128, 255}},
    {"R9G9B9E5", Dx10(1, 1, DXGI_FORMAT_R9G9B9E5_SHAREDEXP, Words(4, {256 | (128 << 9) | (uint64_t{16} << 27)})), 24, {0, 128, 255}},
    {"YUY2", FourCC(2, 1, kFourCC_YUY2, Words(1, {235, 128, 16, 128})), 24, {255, 255, 255, 0, 0, 0}},
    {"UYVY", FourCC(2, 1, kFourCC_UYVY, Words(1, {128, 16, 128, 235})), 24, {0, 0, 0, 255, 255, 255}},
    {"RGBG, odd width", FourCC(3, 1, kFourCC_RGBG, Words(1, {10, 20, 30, 40, 50, 60, 70, 80})), 24, {30, 20, 10, 30, 40, 10, 70, 60, 50}},
    {"GRGB", FourCC(2, 1, kFourCC_GRGB, Words(1, {20, 10, 40, 30})), 24, {30, 20, 10, 30, 40, 10}},
    {"DXT1 using transparency", FourCC(8, 4, kFourCC_DXT1, SolidBC1(kRed565) + Words(2, {0x001F, 0xF800, 0xFFFF, 0xFFFF})), 32, {}, {{3, 3, kRed}, {4, 0, {0, 0, 0, 0}}}},
    {"DXT1 whose ALPHAPIXELS flag does not decide", FourCC(4, 4, kFourCC_DXT1, SolidBC1(kRed565)).Edit([](B b) { b.header.ddspf.flags |= DDPF_ALPHAPIXELS; }), 24, {}, {{3, 3, kRed}}},
    {"cropped, rows in order", FourCC(5, 10, kFourCC_DXT1, cropped), 24, {}, {{0, 3, kRed}, {3, 4, kGreen}, {1, 7, kGreen}, {2, 8, kRed}, {0, 9, kRed}, {4, 0, kBlue}, {4, 9, kBlue}}},
    {"DXT2", FourCC(4, 4, kFourCC_DXT2, bc2), 32, {}, {{2, 2, {0, 0, 124, 136}}}},
    {"DXT3", FourCC(4, 4, kFourCC_DXT3, bc2), 32, {}, {{2, 2, {0, 0, 66, 136}}}},
    {"RXGB", FourCC(4, 4, kFourCC_RXGB, Words(1, {200, 200, 0, 0, 0, 0, 0, 0, 0xE0, 0x07, 0, 0, 0, 0, 0, 0})), 24, {}, {{2, 2, {0, 255, 200, 255}}}},
    {"ATI1", FourCC(4, 4, kFourCC_ATI1, red100), 24, {}, {{2, 2, {100, 100, 100, 255}}}},
    {"ATI2", FourCC(4, 4, kFourCC_ATI2, red100 + green200), 24, {}, {{2, 2, {0, 200, 100, 255}}}},
    {"BC6H_UF16", Dx10(7, 5, DXGI_FORMAT_BC6H_UF16, validBlocks), 24, {}, {}},
    {"BC7_UNORM_SRGB", Dx10(7, 5, DXGI_FORMAT_BC7_UNORM_SRGB, validBlocks), 32, {}, {}},
    // First faces and slices: a cube too wide for the cross shows its first face; a lone DXT1
    // face is opaque unless its blocks say otherwise.
    {"cube too wide for the cross", Masks(16384, 1, kLum, 8, 0xFF, 0, 0, 0, Bytes(16384, 10) + Bytes(5 * 16384, 11)).Edit(cube), 24, {}, {{16383, 0, {10, 10, 10, 255}}}},
    {"DXT1 cube too wide for the cross", FourCC(16384, 4, kFourCC_DXT1, Words(2, {kRed565, 0, 0, 0}, 6 * 4096)).Edit(cube), 24, {}, {{16383, 3, kRed}}},
    {"volume", Argb(2, 2, DDSCAPS2_VOLUME, {0, 1, 2}).Edit([](B b) { b.header.flags |= DDSD_DEPTH, b.header.depth = 3; }), 32, {}, {{1, 1, FacePx(0)}}},
    {"array", Argb10(D3D10_RESOURCE_DIMENSION_TEXTURE2D, 0, {3, 4, 5}), 32, {}, {{1, 1, FacePx(3)}}},
    // A 3D texture with a cube flag is still a volume.
    {"DX10 volume with a cube flag", Argb10(D3D10_RESOURCE_DIMENSION_TEXTURE3D, DDS_RESOURCE_MISC_TEXTURECUBE, {1, 2}), 32, {}, {{1, 1, FacePx(1)}}},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Tga tga = Convert(c.dds);
    ASSERT_EQ(std::tuple(tga.width, tga.height, tga.depth),
              std::tuple(c.dds.header.width, c.dds.header.height, c.depth));
    EXPECT_EQ(c.all.empty() ? c.all : std::vector<int>(tga.pixels.begin(), tga.pixels.end()), c.all);
    for (const auto& [x, y, px] : c.pixels) EXPECT_EQ(tga.At(x, y), px) << x << "," << y;
  }
}

// Large outputs are decoded on two threads and written on a third: the picture must be the
// same as decoding the blocks one by one, also when the last block column is cut.
TEST(ReaddxtConverter, LargeOutputMatchesBlockByBlockDecoding) {
  // BC7 just large enough for two decoding threads, and DXT5 with a cut last block column;
  // heights not multiples of the buffer's strip count either.
  for (const bool bc7 : {true, false}) {
    const uint32_t w = bc7 ? 1028 : 1027, h = bc7 ? 2046 : 1030;
    const uint32_t bw = (w + 3) / 4, bh = (h + 3) / 4;
    Bytes blocks(size_t{bw} * bh * 16);
    uint32_t seed = 12345;
    for (uint8_t& b : blocks) b = static_cast<uint8_t>((seed = seed * 1103515245 + 12345) >> 16);
    const Tga tga = Convert((bc7 ? Dx10(w, h, DXGI_FORMAT_BC7_UNORM) : FourCC(w, h, kFourCC_DXT5)).With(blocks));
    ASSERT_EQ(tga.depth, 32);
    const size_t stride = size_t{bw} * 16;  // whole blocks
    Bytes want(stride * bh * 4);
    for (size_t i = 0; i < size_t{bw} * bh; ++i)
      (bc7 ? DecodeBC7 : DecodeBC3)(&blocks[i * 16], &want[i / bw * 4 * stride + i % bw * 16], stride);
    int mismatches = 0;
    for (uint32_t y = 0; y < h; ++y) {
      for (uint32_t x = 0; x < w; ++x)
        mismatches += tga.At(x, y) != Px(&want[y * stride + x * 4], &want[y * stride + x * 4 + 4]);
    }
    EXPECT_EQ(mismatches, 0) << w;
  }
}

}  // namespace
