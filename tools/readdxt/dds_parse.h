// Reading and validating the DDS header: everything the converter needs to find the top level.
#pragma once
#include <cstddef>
#include <cstdint>

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
  bool hasPalette = false;
  uint8_t palette[256 * 4] = {};  // R, G, B, A per entry
};

// The most bytes of the file's start that ParseDds reads: magic, header, DX10 header, palette.
constexpr size_t kDdsMaxHeadBytes = 4 + 124 + 20 + 256 * 4;

// `head` holds the first min(fileSize, kDdsMaxHeadBytes) bytes of a file of `fileSize` bytes.
bool ParseDds(const uint8_t* head, size_t headSize, uint64_t fileSize, DdsInfo* info, Failure* failure);

// Largest width or height the TGA output can hold.
constexpr uint32_t kMaxOutputDimension = 65535;

}  // namespace readdxt
