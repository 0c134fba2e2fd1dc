// The format table: FourCC codes, D3DFORMAT numbers, DXGI formats and bit-mask layouts.
#include <initializer_list>

#include "readdxt/pixel_format.h"

namespace readdxt {
namespace {

PixelFormat Block(Codec codec, const char* name, bool alpha = true) {
  PixelFormat f;
  f.codec = codec;
  f.name = name;
  f.blockBytes = (codec == Codec::kBC1 || codec == Codec::kBC4) ? 8 : 16;
  f.hasAlpha = alpha;
  return f;
}

PixelFormat Masked(const char* name, uint8_t bytes, uint32_t r, uint32_t g, uint32_t b, uint32_t a,
                   bool isSigned = false) {
  PixelFormat f;
  f.codec = Codec::kMasked;
  f.name = name;
  f.bytesPerPixel = bytes;
  f.mask[0] = r;
  f.mask[1] = g;
  f.mask[2] = b;
  f.mask[3] = a;
  f.isSigned = isSigned;
  f.hasAlpha = a != 0;
  if (r == 0 && g == 0 && b == 0) {
    f.map = ChannelMap::kAlpha;
  } else if ((g == 0 && b == 0) || (r == g && g == b)) {
    f.map = ChannelMap::kGrey;
  }
  return f;
}

PixelFormat Typed(const char* name, Component component, uint8_t components) {
  PixelFormat f;
  f.codec = Codec::kTyped;
  f.name = name;
  f.component = component;
  f.components = components;
  const uint8_t size = component == Component::kFloat32 ? 4 : 2;
  f.bytesPerPixel = static_cast<uint8_t>(size * components);
  f.isSigned = component == Component::kSnorm16;
  f.hasAlpha = components == 4;
  f.map = components == 1 ? ChannelMap::kGrey : ChannelMap::kColour;
  return f;
}

PixelFormat Special(Codec codec, const char* name, uint8_t bytes, bool alpha = false) {
  PixelFormat f;
  f.codec = codec;
  f.name = name;
  f.bytesPerPixel = bytes;
  f.hasAlpha = alpha;
  return f;
}

bool IsContiguous(uint32_t mask) {
  if (mask == 0) return true;
  while ((mask & 1) == 0) mask >>= 1;
  return (mask & (mask + 1)) == 0;
}

int HighestBit(uint32_t v) {
  int n = 0;
  while (v) {
    ++n;
    v >>= 1;
  }
  return n;
}

}  // namespace

ResolveResult ResolveFourCC(uint32_t fourCC, PixelFormat& out) {
  PixelFormat f;
  switch (fourCC) {
    case kFourCC_DXT1:
      f = Block(Codec::kBC1, "DXT1");
      break;
    case kFourCC_DXT2:
      f = Block(Codec::kBC2, "DXT2");
      f.premultiplied = true;
      break;
    case kFourCC_DXT3:
      f = Block(Codec::kBC2, "DXT3");
      break;
    case kFourCC_DXT4:
      f = Block(Codec::kBC3, "DXT4");
      f.premultiplied = true;
      break;
    case kFourCC_DXT5:
      f = Block(Codec::kBC3, "DXT5");
      break;
    case kFourCC_RXGB:
      f = Block(Codec::kBC3, "RXGB", false);
      f.swapRedAlpha = true;
      break;
    case kFourCC_ATI1:
      f = Block(Codec::kBC4, "ATI1", false);
      break;
    case kFourCC_BC4U:
      f = Block(Codec::kBC4, "BC4U", false);
      break;
    case kFourCC_BC4S:
      f = Block(Codec::kBC4, "BC4S", false);
      f.isSigned = true;
      break;
    case kFourCC_ATI2:
      f = Block(Codec::kBC5, "ATI2", false);
      break;
    case kFourCC_BC5U:
      f = Block(Codec::kBC5, "BC5U", false);
      break;
    case kFourCC_BC5S:
      f = Block(Codec::kBC5, "BC5S", false);
      f.isSigned = true;
      break;
    case kFourCC_RGBG:
      f = Special(Codec::kRGBG, "RGBG", 2);
      break;
    case kFourCC_GRGB:
      f = Special(Codec::kGRGB, "GRGB", 2);
      break;
    case kFourCC_YUY2:
      f = Special(Codec::kYUY2, "YUY2", 2);
      break;
    case kFourCC_UYVY:
      f = Special(Codec::kUYVY, "UYVY", 2);
      break;
    case D3DFMT_R8G8B8:
      f = Masked("R8G8B8", 3, 0xFF0000, 0xFF00, 0xFF, 0);
      break;
    case D3DFMT_A8R8G8B8:
      f = Masked("A8R8G8B8", 4, 0xFF0000, 0xFF00, 0xFF, 0xFF000000);
      break;
    case D3DFMT_X8R8G8B8:
      f = Masked("X8R8G8B8", 4, 0xFF0000, 0xFF00, 0xFF, 0);
      break;
    case D3DFMT_R5G6B5:
      f = Masked("R5G6B5", 2, 0xF800, 0x7E0, 0x1F, 0);
      break;
    case D3DFMT_X1R5G5B5:
      f = Masked("X1R5G5B5", 2, 0x7C00, 0x3E0, 0x1F, 0);
      break;
    case D3DFMT_A1R5G5B5:
      f = Masked("A1R5G5B5", 2, 0x7C00, 0x3E0, 0x1F, 0x8000);
      break;
    case D3DFMT_A4R4G4B4:
      f = Masked("A4R4G4B4", 2, 0xF00, 0xF0, 0xF, 0xF000);
      break;
    case D3DFMT_R3G3B2:
      f = Masked("R3G3B2", 1, 0xE0, 0x1C, 0x3, 0);
      break;
    case D3DFMT_A8:
      f = Masked("A8", 1, 0, 0, 0, 0xFF);
      break;
    case D3DFMT_A8R3G3B2:
      f = Masked("A8R3G3B2", 2, 0xE0, 0x1C, 0x3, 0xFF00);
      break;
    case D3DFMT_X4R4G4B4:
      f = Masked("X4R4G4B4", 2, 0xF00, 0xF0, 0xF, 0);
      break;
    case D3DFMT_A2B10G10R10:
      f = Masked("A2B10G10R10", 4, 0x3FF, 0xFFC00, 0x3FF00000, 0xC0000000);
      break;
    case D3DFMT_A8B8G8R8:
      f = Masked("A8B8G8R8", 4, 0xFF, 0xFF00, 0xFF0000, 0xFF000000);
      break;
    case D3DFMT_X8B8G8R8:
      f = Masked("X8B8G8R8", 4, 0xFF, 0xFF00, 0xFF0000, 0);
      break;
    case D3DFMT_G16R16:
      f = Masked("G16R16", 4, 0xFFFF, 0xFFFF0000, 0, 0);
      break;
    case D3DFMT_A2R10G10B10:
      f = Masked("A2R10G10B10", 4, 0x3FF00000, 0xFFC00, 0x3FF, 0xC0000000);
      break;
    case D3DFMT_L8:
      f = Masked("L8", 1, 0xFF, 0, 0, 0);
      break;
    case D3DFMT_A8L8:
      f = Masked("A8L8", 2, 0xFF, 0, 0, 0xFF00);
      break;
    case D3DFMT_A4L4:
      f = Masked("A4L4", 1, 0xF, 0, 0, 0xF0);
      break;
    case D3DFMT_L16:
      f = Masked("L16", 2, 0xFFFF, 0, 0, 0);
      break;
    case D3DFMT_V8U8:
      f = Masked("V8U8", 2, 0xFF, 0xFF00, 0, 0, true);
      break;
    case D3DFMT_CxV8U8:
      f = Masked("CxV8U8", 2, 0xFF, 0xFF00, 0, 0, true);
      break;
    case D3DFMT_Q8W8V8U8:
      f = Masked("Q8W8V8U8", 4, 0xFF, 0xFF00, 0xFF0000, 0xFF000000, true);
      break;
    case D3DFMT_V16U16:
      f = Masked("V16U16", 4, 0xFFFF, 0xFFFF0000, 0, 0, true);
      break;
    case D3DFMT_A16B16G16R16:
      f = Typed("A16B16G16R16", Component::kUnorm16, 4);
      break;
    case D3DFMT_Q16W16V16U16:
      f = Typed("Q16W16V16U16", Component::kSnorm16, 4);
      break;
    case D3DFMT_R16F:
      f = Typed("R16F", Component::kHalf, 1);
      break;
    case D3DFMT_G16R16F:
      f = Typed("G16R16F", Component::kHalf, 2);
      break;
    case D3DFMT_A16B16G16R16F:
      f = Typed("A16B16G16R16F", Component::kHalf, 4);
      break;
    case D3DFMT_R32F:
      f = Typed("R32F", Component::kFloat32, 1);
      break;
    case D3DFMT_G32R32F:
      f = Typed("G32R32F", Component::kFloat32, 2);
      break;
    case D3DFMT_A32B32G32R32F:
      f = Typed("A32B32G32R32F", Component::kFloat32, 4);
      break;
    case 0:
      return ResolveResult::kNoFormat;
    default:
      return ResolveResult::kUnsupported;
  }
  out = f;
  return ResolveResult::kOk;
}

ResolveResult ResolveDxgi(uint32_t dxgiFormat, PixelFormat& out) {
  PixelFormat f;
  switch (dxgiFormat) {
    case DXGI_FORMAT_BC1_TYPELESS:
    case DXGI_FORMAT_BC1_UNORM:
    case DXGI_FORMAT_BC1_UNORM_SRGB:
      f = Block(Codec::kBC1, "BC1");
      break;
    case DXGI_FORMAT_BC2_TYPELESS:
    case DXGI_FORMAT_BC2_UNORM:
    case DXGI_FORMAT_BC2_UNORM_SRGB:
      f = Block(Codec::kBC2, "BC2");
      break;
    case DXGI_FORMAT_BC3_TYPELESS:
    case DXGI_FORMAT_BC3_UNORM:
    case DXGI_FORMAT_BC3_UNORM_SRGB:
      f = Block(Codec::kBC3, "BC3");
      break;
    case DXGI_FORMAT_BC4_TYPELESS:
    case DXGI_FORMAT_BC4_UNORM:
      f = Block(Codec::kBC4, "BC4", false);
      break;
    case DXGI_FORMAT_BC4_SNORM:
      f = Block(Codec::kBC4, "BC4_SNORM", false);
      f.isSigned = true;
      break;
    case DXGI_FORMAT_BC5_TYPELESS:
    case DXGI_FORMAT_BC5_UNORM:
      f = Block(Codec::kBC5, "BC5", false);
      break;
    case DXGI_FORMAT_BC5_SNORM:
      f = Block(Codec::kBC5, "BC5_SNORM", false);
      f.isSigned = true;
      break;
    case DXGI_FORMAT_BC6H_TYPELESS:
    case DXGI_FORMAT_BC6H_UF16:
      f = Block(Codec::kBC6H, "BC6H_UF16", false);
      break;
    case DXGI_FORMAT_BC6H_SF16:
      f = Block(Codec::kBC6H, "BC6H_SF16", false);
      f.isSigned = true;
      break;
    case DXGI_FORMAT_BC7_TYPELESS:
    case DXGI_FORMAT_BC7_UNORM:
    case DXGI_FORMAT_BC7_UNORM_SRGB:
      f = Block(Codec::kBC7, "BC7");
      break;
    case DXGI_FORMAT_R8G8B8A8_TYPELESS:
    case DXGI_FORMAT_R8G8B8A8_UNORM:
    case DXGI_FORMAT_R8G8B8A8_UNORM_SRGB:
      f = Masked("R8G8B8A8", 4, 0xFF, 0xFF00, 0xFF0000, 0xFF000000);
      break;
    case DXGI_FORMAT_R8G8B8A8_SNORM:
      f = Masked("R8G8B8A8_SNORM", 4, 0xFF, 0xFF00, 0xFF0000, 0xFF000000, true);
      break;
    case DXGI_FORMAT_B8G8R8A8_TYPELESS:
    case DXGI_FORMAT_B8G8R8A8_UNORM:
    case DXGI_FORMAT_B8G8R8A8_UNORM_SRGB:
      f = Masked("B8G8R8A8", 4, 0xFF0000, 0xFF00, 0xFF, 0xFF000000);
      break;
    case DXGI_FORMAT_B8G8R8X8_TYPELESS:
    case DXGI_FORMAT_B8G8R8X8_UNORM:
    case DXGI_FORMAT_B8G8R8X8_UNORM_SRGB:
      f = Masked("B8G8R8X8", 4, 0xFF0000, 0xFF00, 0xFF, 0);
      break;
    case DXGI_FORMAT_R10G10B10A2_TYPELESS:
    case DXGI_FORMAT_R10G10B10A2_UNORM:
      f = Masked("R10G10B10A2", 4, 0x3FF, 0xFFC00, 0x3FF00000, 0xC0000000);
      break;
    case DXGI_FORMAT_R16G16_TYPELESS:
    case DXGI_FORMAT_R16G16_UNORM:
      f = Masked("R16G16", 4, 0xFFFF, 0xFFFF0000, 0, 0);
      break;
    case DXGI_FORMAT_R16G16_SNORM:
      f = Masked("R16G16_SNORM", 4, 0xFFFF, 0xFFFF0000, 0, 0, true);
      break;
    case DXGI_FORMAT_R8G8_TYPELESS:
    case DXGI_FORMAT_R8G8_UNORM:
      f = Masked("R8G8", 2, 0xFF, 0xFF00, 0, 0);
      break;
    case DXGI_FORMAT_R8G8_SNORM:
      f = Masked("R8G8_SNORM", 2, 0xFF, 0xFF00, 0, 0, true);
      break;
    case DXGI_FORMAT_R16_TYPELESS:
    case DXGI_FORMAT_R16_UNORM:
      f = Masked("R16", 2, 0xFFFF, 0, 0, 0);
      break;
    case DXGI_FORMAT_R16_SNORM:
      f = Masked("R16_SNORM", 2, 0xFFFF, 0, 0, 0, true);
      break;
    case DXGI_FORMAT_R8_TYPELESS:
    case DXGI_FORMAT_R8_UNORM:
      f = Masked("R8", 1, 0xFF, 0, 0, 0);
      break;
    case DXGI_FORMAT_R8_SNORM:
      f = Masked("R8_SNORM", 1, 0xFF, 0, 0, 0, true);
      break;
    case DXGI_FORMAT_A8_UNORM:
      f = Masked("A8", 1, 0, 0, 0, 0xFF);
      break;
    case DXGI_FORMAT_B5G6R5_UNORM:
      f = Masked("B5G6R5", 2, 0xF800, 0x7E0, 0x1F, 0);
      break;
    case DXGI_FORMAT_B5G5R5A1_UNORM:
      f = Masked("B5G5R5A1", 2, 0x7C00, 0x3E0, 0x1F, 0x8000);
      break;
    case DXGI_FORMAT_B4G4R4A4_UNORM:
      f = Masked("B4G4R4A4", 2, 0xF00, 0xF0, 0xF, 0xF000);
      break;
    case DXGI_FORMAT_R16G16B16A16_TYPELESS:
    case DXGI_FORMAT_R16G16B16A16_UNORM:
      f = Typed("R16G16B16A16", Component::kUnorm16, 4);
      break;
    case DXGI_FORMAT_R16G16B16A16_SNORM:
      f = Typed("R16G16B16A16_SNORM", Component::kSnorm16, 4);
      break;
    case DXGI_FORMAT_R16G16B16A16_FLOAT:
      f = Typed("R16G16B16A16_FLOAT", Component::kHalf, 4);
      break;
    case DXGI_FORMAT_R16G16_FLOAT:
      f = Typed("R16G16_FLOAT", Component::kHalf, 2);
      break;
    case DXGI_FORMAT_R16_FLOAT:
      f = Typed("R16_FLOAT", Component::kHalf, 1);
      break;
    case DXGI_FORMAT_R32G32B32A32_TYPELESS:
    case DXGI_FORMAT_R32G32B32A32_FLOAT:
      f = Typed("R32G32B32A32_FLOAT", Component::kFloat32, 4);
      break;
    case DXGI_FORMAT_R32G32B32_TYPELESS:
    case DXGI_FORMAT_R32G32B32_FLOAT:
      f = Typed("R32G32B32_FLOAT", Component::kFloat32, 3);
      break;
    case DXGI_FORMAT_R32G32_TYPELESS:
    case DXGI_FORMAT_R32G32_FLOAT:
      f = Typed("R32G32_FLOAT", Component::kFloat32, 2);
      break;
    case DXGI_FORMAT_R32_TYPELESS:
    case DXGI_FORMAT_R32_FLOAT:
      f = Typed("R32_FLOAT", Component::kFloat32, 1);
      break;
    case DXGI_FORMAT_R11G11B10_FLOAT:
      f = Special(Codec::kR11G11B10F, "R11G11B10_FLOAT", 4);
      break;
    case DXGI_FORMAT_R9G9B9E5_SHAREDEXP:
      f = Special(Codec::kR9G9B9E5, "R9G9B9E5_SHAREDEXP", 4);
      break;
    case DXGI_FORMAT_R8G8_B8G8_UNORM:
      f = Special(Codec::kRGBG, "R8G8_B8G8", 2);
      break;
    case DXGI_FORMAT_G8R8_G8B8_UNORM:
      f = Special(Codec::kGRGB, "G8R8_G8B8", 2);
      break;
    case DXGI_FORMAT_YUY2:
      f = Special(Codec::kYUY2, "YUY2", 2);
      break;
    default:
      return ResolveResult::kUnsupported;
  }
  out = f;
  return ResolveResult::kOk;
}

ResolveResult ResolveMasks(const DdsPixelFormat& pf, uint32_t flags, PixelFormat& out) {
  uint32_t r = pf.rBitMask, g = pf.gBitMask, b = pf.bBitMask, a = pf.aBitMask;
  if (flags & (DDPF_PALETTEINDEXED8 | DDPF_PALETTEINDEXED4)) {
    if (flags & DDPF_PALETTEINDEXED4) return ResolveResult::kUnsupported;
    if (pf.rgbBitCount == 8 || pf.rgbBitCount == 0) {
      out = Special(Codec::kPalette8, "P8", 1);
    } else if (pf.rgbBitCount == 16) {
      out = Special(Codec::kPalette8, "A8P8", 2, true);
    } else {
      return ResolveResult::kUnsupported;
    }
    return ResolveResult::kOk;
  }
  if (flags & (DDPF_BUMPLUMINANCE | DDPF_YUV)) return ResolveResult::kUnsupported;
  // A8 written with no mask at all.
  if ((flags & DDPF_ALPHA) && (r | g | b | a) == 0 && (pf.rgbBitCount == 8 || pf.rgbBitCount == 0)) a = 0xFF;
  // Only luminance files give R as the grey channel; clear stray G/B masks there.
  if ((flags & DDPF_LUMINANCE) && !(flags & DDPF_RGB)) g = b = 0;
  if ((flags & DDPF_ALPHA) && !(flags & (DDPF_RGB | DDPF_LUMINANCE))) r = g = b = 0;
  const uint32_t all = r | g | b | a;
  if (all == 0) return ResolveResult::kNoFormat;
  for (uint32_t m : {r, g, b, a}) {
    if (!IsContiguous(m)) return ResolveResult::kUnsupported;
  }
  const int needBytes = (HighestBit(all) + 7) / 8;
  uint32_t bits = pf.rgbBitCount;
  if (bits == 0) bits = static_cast<uint32_t>(needBytes) * 8;  // A8 written with bit count 0
  if (bits != 8 && bits != 16 && bits != 24 && bits != 32) return ResolveResult::kUnsupported;
  if (static_cast<int>(bits / 8) < needBytes) return ResolveResult::kUnsupported;
  // 10:10:10:2 masks were written with red and blue reversed by D3DX and older GIMP; the
  // common readers read them reversed, so do we.
  if (bits == 32 && a == 0xC0000000 && g == 0xFFC00 &&
      ((r == 0x3FF && b == 0x3FF00000) || (r == 0x3FF00000 && b == 0x3FF))) {
    const uint32_t t = r;
    r = b;
    b = t;
  }
  out = Masked("bit masks", static_cast<uint8_t>(bits / 8), r, g, b, a, (flags & DDPF_BUMPDUDV) != 0);
  return ResolveResult::kOk;
}

}  // namespace readdxt
