// Mip and pitch arithmetic: the one place that knows how many bytes a level takes.
#pragma once
#include <cstdint>

#include "readdxt/pixel_format.h"

namespace readdxt {

struct DataLayout {
  enum Kind : uint8_t { kBlocks, kPixels, kPairs } kind = kPixels;
  uint32_t unitBytes = 0;  // bytes per 4x4 block, per pixel, or per pair of pixels
  bool dwordRows = false;  // pixel rows padded to a multiple of 4 bytes (old writers)
};

struct LevelSize {
  uint64_t rowPitch = 0;  // bytes per row of pixels, or per row of blocks
  uint32_t rowCount = 0;  // rows of pixels, or rows of blocks
  uint64_t bytes = 0;     // rowPitch * rowCount
};

DataLayout LayoutOf(const PixelFormat& format);

// Level `mip` of a w x h texture: max(1, w >> mip) x max(1, h >> mip).
uint32_t MipDimension(uint32_t size, uint32_t mip);
// Number of levels of a full chain down to 1 x 1.
uint32_t FullMipCount(uint32_t width, uint32_t height);

// False when a size does not fit in 64 bits.
bool ComputeLevelSize(const DataLayout& layout, uint32_t width, uint32_t height, LevelSize& out);
// Bytes of `mips` levels, each with max(1, depth >> mip) slices.
bool ComputeChainBytes(const DataLayout& layout, uint32_t width, uint32_t height, uint32_t depth,
                       uint32_t mips, uint64_t& out);

// Overflow-checked helpers.
bool MulU64(uint64_t a, uint64_t b, uint64_t& out);
bool AddU64(uint64_t a, uint64_t b, uint64_t& out);

}  // namespace readdxt
