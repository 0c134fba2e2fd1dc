// Mip and pitch arithmetic for every layout.
#include "readdxt/level_size.h"

namespace readdxt {

bool MulU64(uint64_t a, uint64_t b, uint64_t& out) {
  if (a != 0 && b > UINT64_MAX / a) return false;
  out = a * b;
  return true;
}

bool AddU64(uint64_t a, uint64_t b, uint64_t& out) {
  if (b > UINT64_MAX - a) return false;
  out = a + b;
  return true;
}

DataLayout LayoutOf(const PixelFormat& format) {
  DataLayout layout;
  if (IsBlockCodec(format.codec)) {
    layout.kind = DataLayout::kBlocks;
    layout.unitBytes = format.blockBytes;
  } else if (IsPairCodec(format.codec)) {
    layout.kind = DataLayout::kPairs;
    layout.unitBytes = 4;
  } else {
    layout.kind = DataLayout::kPixels;
    layout.unitBytes = format.bytesPerPixel;
  }
  return layout;
}

uint32_t MipDimension(uint32_t size, uint32_t mip) {
  if (mip >= 32) return 1;
  const uint32_t v = size >> mip;
  return v ? v : 1;
}

uint32_t FullMipCount(uint32_t width, uint32_t height) {
  uint32_t largest = width > height ? width : height;
  uint32_t count = 1;
  while (largest > 1) {
    largest >>= 1;
    ++count;
  }
  return count;
}

bool ComputeLevelSize(const DataLayout& layout, uint32_t width, uint32_t height, LevelSize& out) {
  const uint64_t w = width ? width : 1;
  const uint64_t h = height ? height : 1;
  uint64_t units = w;
  uint64_t rows = h;
  switch (layout.kind) {
    case DataLayout::kBlocks:
      units = (w + 3) / 4;  // at least 1 since w >= 1
      rows = (h + 3) / 4;
      break;
    case DataLayout::kPairs:
      units = (w + 1) / 2;
      break;
    case DataLayout::kPixels:
      break;
  }
  uint64_t pitch = 0;
  if (!MulU64(units, layout.unitBytes, pitch)) return false;
  if (layout.kind == DataLayout::kPixels && layout.dwordRows) pitch = (pitch + 3) & ~uint64_t{3};
  out.rowPitch = pitch;
  out.rowCount = static_cast<uint32_t>(rows);
  return MulU64(pitch, rows, out.bytes);
}

bool ComputeChainBytes(const DataLayout& layout, uint32_t width, uint32_t height, uint32_t depth,
                       uint32_t mips, uint64_t& out) {
  uint64_t total = 0;
  for (uint32_t mip = 0; mip < mips; ++mip) {
    LevelSize level;
    uint64_t bytes = 0;
    if (!ComputeLevelSize(layout, MipDimension(width, mip), MipDimension(height, mip), level)) return false;
    if (!MulU64(level.bytes, MipDimension(depth, mip), bytes)) return false;
    if (!AddU64(total, bytes, total)) return false;
  }
  out = total;
  return true;
}

}  // namespace readdxt
