// The DDS file layout: data only. All fields are little-endian, as on every target we build.
#pragma once
#include <cstdint>

namespace readdxt {

constexpr uint32_t MakeFourCC(char a, char b, char c, char d) {
  return static_cast<uint32_t>(static_cast<uint8_t>(a)) |
         (static_cast<uint32_t>(static_cast<uint8_t>(b)) << 8) |
         (static_cast<uint32_t>(static_cast<uint8_t>(c)) << 16) |
         (static_cast<uint32_t>(static_cast<uint8_t>(d)) << 24);
}

constexpr uint32_t kDdsMagic = MakeFourCC('D', 'D', 'S', ' ');

#pragma pack(push, 1)
struct DdsPixelFormat {
  uint32_t size;
  uint32_t flags;
  uint32_t fourCC;
  uint32_t rgbBitCount;
  uint32_t rBitMask;
  uint32_t gBitMask;
  uint32_t bBitMask;
  uint32_t aBitMask;
};

struct DdsHeader {
  uint32_t size;
  uint32_t flags;
  uint32_t height;
  uint32_t width;
  uint32_t pitchOrLinearSize;
  uint32_t depth;
  uint32_t mipMapCount;
  uint32_t reserved1[11];
  DdsPixelFormat ddspf;
  uint32_t caps;
  uint32_t caps2;
  uint32_t caps3;
  uint32_t caps4;
  uint32_t reserved2;
};

struct DdsHeaderDx10 {
  uint32_t dxgiFormat;
  uint32_t resourceDimension;
  uint32_t miscFlag;
  uint32_t arraySize;
  uint32_t miscFlags2;
};
#pragma pack(pop)

static_assert(sizeof(DdsPixelFormat) == 32, "DDS_PIXELFORMAT is 32 bytes");
static_assert(sizeof(DdsHeader) == 124, "DDS_HEADER is 124 bytes");
static_assert(sizeof(DdsHeaderDx10) == 20, "DDS_HEADER_DXT10 is 20 bytes");

constexpr uint32_t kDdsHeaderSize = 124;
constexpr uint32_t kDdsHeaderSizeOld = 24;  // seen in damaged files; the header is still 124 bytes long
constexpr uint32_t kDdsPixelFormatSize = 32;
constexpr uint32_t kDdsPaletteBytes = 256 * 4;

// DDS_HEADER.flags
constexpr uint32_t DDSD_CAPS = 0x1;
constexpr uint32_t DDSD_HEIGHT = 0x2;
constexpr uint32_t DDSD_WIDTH = 0x4;
constexpr uint32_t DDSD_PITCH = 0x8;
constexpr uint32_t DDSD_PIXELFORMAT = 0x1000;
constexpr uint32_t DDSD_MIPMAPCOUNT = 0x20000;
constexpr uint32_t DDSD_LINEARSIZE = 0x80000;
constexpr uint32_t DDSD_DEPTH = 0x800000;

// DDS_PIXELFORMAT.flags
constexpr uint32_t DDPF_ALPHAPIXELS = 0x1;
constexpr uint32_t DDPF_ALPHA = 0x2;
constexpr uint32_t DDPF_FOURCC = 0x4;
constexpr uint32_t DDPF_PALETTEINDEXED4 = 0x8;
constexpr uint32_t DDPF_PALETTEINDEXED8 = 0x20;
constexpr uint32_t DDPF_RGB = 0x40;
constexpr uint32_t DDPF_YUV = 0x200;
constexpr uint32_t DDPF_LUMINANCE = 0x20000;
constexpr uint32_t DDPF_BUMPLUMINANCE = 0x40000;
constexpr uint32_t DDPF_BUMPDUDV = 0x80000;
// Private bits written by NVTT; masked off before matching.
constexpr uint32_t DDPF_NVTT_SRGB = 0x40000000;
constexpr uint32_t DDPF_NVTT_NORMAL = 0x80000000;

// DDS_HEADER.caps2
constexpr uint32_t DDSCAPS2_CUBEMAP = 0x200;
constexpr uint32_t DDSCAPS2_CUBEMAP_POSITIVEX = 0x400;
constexpr uint32_t DDSCAPS2_CUBEMAP_NEGATIVEX = 0x800;
constexpr uint32_t DDSCAPS2_CUBEMAP_POSITIVEY = 0x1000;
constexpr uint32_t DDSCAPS2_CUBEMAP_NEGATIVEY = 0x2000;
constexpr uint32_t DDSCAPS2_CUBEMAP_POSITIVEZ = 0x4000;
constexpr uint32_t DDSCAPS2_CUBEMAP_NEGATIVEZ = 0x8000;
constexpr uint32_t DDSCAPS2_CUBEMAP_ALLFACES = 0xFC00;
constexpr uint32_t DDSCAPS2_VOLUME = 0x200000;

// DDS_HEADER_DXT10
constexpr uint32_t D3D10_RESOURCE_DIMENSION_UNKNOWN = 0;
constexpr uint32_t D3D10_RESOURCE_DIMENSION_BUFFER = 1;
constexpr uint32_t D3D10_RESOURCE_DIMENSION_TEXTURE1D = 2;
constexpr uint32_t D3D10_RESOURCE_DIMENSION_TEXTURE2D = 3;
constexpr uint32_t D3D10_RESOURCE_DIMENSION_TEXTURE3D = 4;
constexpr uint32_t DDS_RESOURCE_MISC_TEXTURECUBE = 0x4;

// FourCC codes.
constexpr uint32_t kFourCC_DX10 = MakeFourCC('D', 'X', '1', '0');
constexpr uint32_t kFourCC_DXT1 = MakeFourCC('D', 'X', 'T', '1');
constexpr uint32_t kFourCC_DXT2 = MakeFourCC('D', 'X', 'T', '2');
constexpr uint32_t kFourCC_DXT3 = MakeFourCC('D', 'X', 'T', '3');
constexpr uint32_t kFourCC_DXT4 = MakeFourCC('D', 'X', 'T', '4');
constexpr uint32_t kFourCC_DXT5 = MakeFourCC('D', 'X', 'T', '5');
constexpr uint32_t kFourCC_ATI1 = MakeFourCC('A', 'T', 'I', '1');
constexpr uint32_t kFourCC_BC4U = MakeFourCC('B', 'C', '4', 'U');
constexpr uint32_t kFourCC_BC4S = MakeFourCC('B', 'C', '4', 'S');
constexpr uint32_t kFourCC_ATI2 = MakeFourCC('A', 'T', 'I', '2');
constexpr uint32_t kFourCC_BC5U = MakeFourCC('B', 'C', '5', 'U');
constexpr uint32_t kFourCC_BC5S = MakeFourCC('B', 'C', '5', 'S');
constexpr uint32_t kFourCC_RXGB = MakeFourCC('R', 'X', 'G', 'B');
constexpr uint32_t kFourCC_RGBG = MakeFourCC('R', 'G', 'B', 'G');
constexpr uint32_t kFourCC_GRGB = MakeFourCC('G', 'R', 'G', 'B');
constexpr uint32_t kFourCC_UYVY = MakeFourCC('U', 'Y', 'V', 'Y');
constexpr uint32_t kFourCC_YUY2 = MakeFourCC('Y', 'U', 'Y', '2');

// D3DFORMAT numbers that writers store in the FourCC field.
constexpr uint32_t D3DFMT_R8G8B8 = 20;
constexpr uint32_t D3DFMT_A8R8G8B8 = 21;
constexpr uint32_t D3DFMT_X8R8G8B8 = 22;
constexpr uint32_t D3DFMT_R5G6B5 = 23;
constexpr uint32_t D3DFMT_X1R5G5B5 = 24;
constexpr uint32_t D3DFMT_A1R5G5B5 = 25;
constexpr uint32_t D3DFMT_A4R4G4B4 = 26;
constexpr uint32_t D3DFMT_R3G3B2 = 27;
constexpr uint32_t D3DFMT_A8 = 28;
constexpr uint32_t D3DFMT_A8R3G3B2 = 29;
constexpr uint32_t D3DFMT_X4R4G4B4 = 30;
constexpr uint32_t D3DFMT_A2B10G10R10 = 31;
constexpr uint32_t D3DFMT_A8B8G8R8 = 32;
constexpr uint32_t D3DFMT_X8B8G8R8 = 33;
constexpr uint32_t D3DFMT_G16R16 = 34;
constexpr uint32_t D3DFMT_A2R10G10B10 = 35;
constexpr uint32_t D3DFMT_A16B16G16R16 = 36;
constexpr uint32_t D3DFMT_L8 = 50;
constexpr uint32_t D3DFMT_A8L8 = 51;
constexpr uint32_t D3DFMT_A4L4 = 52;
constexpr uint32_t D3DFMT_V8U8 = 60;
constexpr uint32_t D3DFMT_Q8W8V8U8 = 63;
constexpr uint32_t D3DFMT_V16U16 = 64;
constexpr uint32_t D3DFMT_L16 = 81;
constexpr uint32_t D3DFMT_Q16W16V16U16 = 110;
constexpr uint32_t D3DFMT_R16F = 111;
constexpr uint32_t D3DFMT_G16R16F = 112;
constexpr uint32_t D3DFMT_A16B16G16R16F = 113;
constexpr uint32_t D3DFMT_R32F = 114;
constexpr uint32_t D3DFMT_G32R32F = 115;
constexpr uint32_t D3DFMT_A32B32G32R32F = 116;
constexpr uint32_t D3DFMT_CxV8U8 = 117;

// DXGI_FORMAT numbers we read.
enum DxgiFormat : uint32_t {
  DXGI_FORMAT_R32G32B32A32_TYPELESS = 1,
  DXGI_FORMAT_R32G32B32A32_FLOAT = 2,
  DXGI_FORMAT_R32G32B32_TYPELESS = 5,
  DXGI_FORMAT_R32G32B32_FLOAT = 6,
  DXGI_FORMAT_R16G16B16A16_TYPELESS = 9,
  DXGI_FORMAT_R16G16B16A16_FLOAT = 10,
  DXGI_FORMAT_R16G16B16A16_UNORM = 11,
  DXGI_FORMAT_R16G16B16A16_SNORM = 13,
  DXGI_FORMAT_R32G32_TYPELESS = 15,
  DXGI_FORMAT_R32G32_FLOAT = 16,
  DXGI_FORMAT_R10G10B10A2_TYPELESS = 23,
  DXGI_FORMAT_R10G10B10A2_UNORM = 24,
  DXGI_FORMAT_R11G11B10_FLOAT = 26,
  DXGI_FORMAT_R8G8B8A8_TYPELESS = 27,
  DXGI_FORMAT_R8G8B8A8_UNORM = 28,
  DXGI_FORMAT_R8G8B8A8_UNORM_SRGB = 29,
  DXGI_FORMAT_R8G8B8A8_SNORM = 31,
  DXGI_FORMAT_R16G16_TYPELESS = 33,
  DXGI_FORMAT_R16G16_FLOAT = 34,
  DXGI_FORMAT_R16G16_UNORM = 35,
  DXGI_FORMAT_R16G16_SNORM = 37,
  DXGI_FORMAT_R32_TYPELESS = 39,
  DXGI_FORMAT_R32_FLOAT = 41,
  DXGI_FORMAT_R8G8_TYPELESS = 48,
  DXGI_FORMAT_R8G8_UNORM = 49,
  DXGI_FORMAT_R8G8_SNORM = 51,
  DXGI_FORMAT_R16_TYPELESS = 53,
  DXGI_FORMAT_R16_FLOAT = 54,
  DXGI_FORMAT_R16_UNORM = 56,
  DXGI_FORMAT_R16_SNORM = 58,
  DXGI_FORMAT_R8_TYPELESS = 60,
  DXGI_FORMAT_R8_UNORM = 61,
  DXGI_FORMAT_R8_SNORM = 63,
  DXGI_FORMAT_A8_UNORM = 65,
  DXGI_FORMAT_R9G9B9E5_SHAREDEXP = 67,
  DXGI_FORMAT_R8G8_B8G8_UNORM = 68,
  DXGI_FORMAT_G8R8_G8B8_UNORM = 69,
  DXGI_FORMAT_BC1_TYPELESS = 70,
  DXGI_FORMAT_BC1_UNORM = 71,
  DXGI_FORMAT_BC1_UNORM_SRGB = 72,
  DXGI_FORMAT_BC2_TYPELESS = 73,
  DXGI_FORMAT_BC2_UNORM = 74,
  DXGI_FORMAT_BC2_UNORM_SRGB = 75,
  DXGI_FORMAT_BC3_TYPELESS = 76,
  DXGI_FORMAT_BC3_UNORM = 77,
  DXGI_FORMAT_BC3_UNORM_SRGB = 78,
  DXGI_FORMAT_BC4_TYPELESS = 79,
  DXGI_FORMAT_BC4_UNORM = 80,
  DXGI_FORMAT_BC4_SNORM = 81,
  DXGI_FORMAT_BC5_TYPELESS = 82,
  DXGI_FORMAT_BC5_UNORM = 83,
  DXGI_FORMAT_BC5_SNORM = 84,
  DXGI_FORMAT_B5G6R5_UNORM = 85,
  DXGI_FORMAT_B5G5R5A1_UNORM = 86,
  DXGI_FORMAT_B8G8R8A8_UNORM = 87,
  DXGI_FORMAT_B8G8R8X8_UNORM = 88,
  DXGI_FORMAT_B8G8R8A8_TYPELESS = 90,
  DXGI_FORMAT_B8G8R8A8_UNORM_SRGB = 91,
  DXGI_FORMAT_B8G8R8X8_TYPELESS = 92,
  DXGI_FORMAT_B8G8R8X8_UNORM_SRGB = 93,
  DXGI_FORMAT_BC6H_TYPELESS = 94,
  DXGI_FORMAT_BC6H_UF16 = 95,
  DXGI_FORMAT_BC6H_SF16 = 96,
  DXGI_FORMAT_BC7_TYPELESS = 97,
  DXGI_FORMAT_BC7_UNORM = 98,
  DXGI_FORMAT_BC7_UNORM_SRGB = 99,
  DXGI_FORMAT_YUY2 = 107,
  DXGI_FORMAT_B4G4R4A4_UNORM = 115,
};

}  // namespace readdxt
