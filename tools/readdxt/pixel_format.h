// How the texels of one DDS format are stored and how they are shown.
#pragma once
#include <cstdint>

#include "readdxt/dds_header.h"

namespace readdxt {

enum class Codec : uint8_t {
  kBC1,
  kBC2,
  kBC3,
  kBC4,
  kBC5,
  kBC6H,
  kBC7,
  kMasked,  // 8 to 32 bits per pixel, each channel found by its bit mask
  kTyped,   // 1 to 4 channels of 16-bit unorm/snorm/half or 32-bit float
  kR11G11B10F,
  kR9G9B9E5,
  kPalette8,  // P8 (8 bits) and A8P8 (16 bits: index low, alpha high)
  kRGBG,      // R8G8_B8G8: two pixels share R and B
  kGRGB,      // G8R8_G8B8
  kYUY2,      // Y0 U Y1 V
  kUYVY,      // U Y0 V Y1
};

// Where the decoded channels go on screen.
enum class ChannelMap : uint8_t {
  kColour,  // R, G, B as decoded (missing ones 0), alpha if the format has one
  kGrey,    // the first channel as grey, alpha if the format has one
  kAlpha,   // alpha only: grey = alpha, with that alpha
};

enum class Component : uint8_t { kUnorm16, kSnorm16, kHalf, kFloat32 };

struct PixelFormat {
  Codec codec = Codec::kMasked;
  ChannelMap map = ChannelMap::kColour;
  bool hasAlpha = false;            // the output carries an alpha channel (BC1: decided by a scan)
  bool isSigned = false;            // BC4/BC5 SNORM, bump-map masks, SNORM typed channels: -1..1 -> 0..255
  bool premultiplied = false;       // DXT2, DXT4
  bool swapRedAlpha = false;        // RXGB keeps red in the alpha channel
  uint8_t bytesPerPixel = 0;        // pixel formats; 0 for block formats
  uint8_t blockBytes = 0;           // block formats: 8 or 16
  uint32_t mask[4] = {0, 0, 0, 0};  // kMasked: R, G, B, A
  Component component = Component::kUnorm16;  // kTyped
  uint8_t components = 0;                     // kTyped: 1..4, stored R first
  const char* name = "";
};

inline bool IsBlockCodec(Codec c) { return c <= Codec::kBC7; }
inline bool IsPairCodec(Codec c) {
  return c == Codec::kRGBG || c == Codec::kGRGB || c == Codec::kYUY2 || c == Codec::kUYVY;
}

enum class ResolveResult { kOk, kUnsupported, kNoFormat };

// FourCC codes and D3DFORMAT numbers found in the FourCC field.
ResolveResult ResolveFourCC(uint32_t fourCC, PixelFormat& out);
// The DXGI format of a DX10 extended header.
ResolveResult ResolveDxgi(uint32_t dxgiFormat, PixelFormat& out);
// A legacy pixel format given by flags and bit masks (FourCC handled by the caller).
// `flags` has the NVTT private bits removed.
ResolveResult ResolveMasks(const DdsPixelFormat& pf, uint32_t flags, PixelFormat& out);

}  // namespace readdxt
