// Reading and validating the DDS header: everything the converter needs to find the top level.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "readdxt/failure.h"
#include "readdxt/level_size.h"
#include "readdxt/pixel_format.h"

namespace readdxt {

// Cube faces in the order they are stored: +X, -X, +Y, -Y, +Z, -Z.
constexpr int kCubeFaces = 6;

struct DdsInfo {
  PixelFormat format;
  DataLayout layout;
  LevelSize top;  // the top level of one face or slice
  uint32_t width = 0;
  uint32_t height = 0;
  uint32_t mipCount = 1;    // after the tolerances: at least 1, at most a full chain
  uint64_t dataOffset = 0;  // first byte of the top level of the first image
  bool isCube = false;
  uint8_t facesStored = 0;    // cube: bit i set when face i is in the file's header
  uint8_t facesReadable = 0;  // cube: bit i set when face i's top level lies inside the file
  uint64_t faceStride = 0;    // bytes from one stored face to the next
  bool dx10 = false;
  bool srgb = false;          // DXGI *_SRGB or the NVTT sRGB flag
  uint32_t arraySize = 1;     // DX10 array slices (cubes: of six faces each)
  uint32_t depth = 1;         // volume slices
  uint32_t repairs = 0;       // DdsRepair bits: the tolerances this header needed
  bool hasPalette = false;
  uint8_t palette[256 * 4] = {};  // R, G, B, A per entry
};

// Header faults that reading tolerates, for `readdxt --info`.
enum DdsRepair : uint32_t {
  kRepairHeaderSize = 1u << 0,      // header size field 24
  kRepairFormatSize = 1u << 1,      // pixel format size field 0 or 24
  kRepairFourCCFlag = 1u << 2,      // FourCC used without DDPF_FOURCC, or the flag without one
  kRepairDimension = 1u << 3,       // DX10 resource dimension unknown, or 1D with height 0
  kRepairArraySize = 1u << 4,       // DX10 array size 0
  kRepairCubeFaces = 1u << 5,       // cube map without face bits
  kRepairMipCount = 1u << 6,        // more mip levels than the size allows
  kRepairDwordRows = 1u << 7,       // pixel rows padded to 4 bytes
  kRepairFaceStride = 1u << 8,      // cube faces not a whole mip chain apart
  kRepairMissingFaces = 1u << 9,    // cube faces cut off by the file's end
};
// Short names of the repairs in `bits`, comma-separated; "none" without any.
std::string RepairNames(uint32_t bits);

// The most bytes of the file's start that ParseDds reads: magic, header, DX10 header, palette.
constexpr size_t kDdsMaxHeadBytes = 4 + 124 + 20 + 256 * 4;

// `head` holds the first min(fileSize, kDdsMaxHeadBytes) bytes of a file of `fileSize` bytes.
bool ParseDds(const uint8_t* head, size_t headSize, uint64_t fileSize, DdsInfo& info, Failure& failure);

// Largest width or height the TGA output can hold.
constexpr uint32_t kMaxOutputDimension = 65535;

}  // namespace readdxt
