// The header as the converter reads it (same tolerances), plus a scan of DXT1 blocks.
#include "readdxt/texture_info.h"

#include <cstring>
#include <vector>

#include "readdxt/block_decoders.h"
#include "readdxt/dds_parse.h"

namespace readdxt {
namespace {

bool AnyTransparentBlock(ByteSource& in, const DdsInfo& info, bool& found, Failure& failure) {
  std::vector<uint8_t> chunk(64 * 1024);
  for (uint64_t at = 0; at < info.top.bytes; at += chunk.size()) {
    const size_t n =
        static_cast<size_t>(info.top.bytes - at < chunk.size() ? info.top.bytes - at : chunk.size());
    if (!in.Read(info.dataOffset + at, chunk.data(), n)) return Fail(failure, FailureKind::kIo, "read error");
    for (size_t i = 0; i + 8 <= n; i += 8)
      if (BC1BlockUsesTransparency(chunk.data() + i)) return found = true;
  }
  return true;
}

int PopCount(uint32_t v) {
  int n = 0;
  for (; v; v &= v - 1) ++n;
  return n;
}

// 1-bit alpha: a single mask bit, or a palette with alpha 0 and 255 only.
const char* AlphaKind(const DdsInfo& info) {
  const PixelFormat& f = info.format;
  if (!f.hasAlpha) return "none";
  if (f.codec == Codec::kMasked && PopCount(f.mask[3]) == 1) return "1-bit";
  if (f.codec == Codec::kPalette8 && f.bytesPerPixel == 1) {
    for (int i = 0; i < 256; ++i)
      if (info.palette[i * 4 + 3] != 0 && info.palette[i * 4 + 3] != 255) return "full";
    return "1-bit";
  }
  return "full";
}

// Formats given by bit masks get the name of the D3DFORMAT with the same masks, as users
// know them (A1R5G5B5, X8R8G8B8...).
std::string FormatName(const PixelFormat& f) {
  if (f.codec != Codec::kMasked || std::strcmp(f.name, "bit masks") != 0) return f.name;
  for (uint32_t code = 1; code < 128; ++code) {
    PixelFormat known;
    if (ResolveFourCC(code, known) == ResolveResult::kOk && known.codec == Codec::kMasked &&
        known.bytesPerPixel == f.bytesPerPixel && known.isSigned == f.isSigned &&
        std::memcmp(known.mask, f.mask, sizeof f.mask) == 0)
      return known.name;
  }
  return "masks" + std::to_string(f.bytesPerPixel * 8);
}

}  // namespace

bool DescribeTexture(ByteSource& in, std::string& fields, Failure& failure) {
  const uint64_t size = in.Size();
  std::vector<uint8_t> head(size < kDdsMaxHeadBytes ? static_cast<size_t>(size) : kDdsMaxHeadBytes);
  if (!in.Read(0, head.data(), head.size())) return Fail(failure, FailureKind::kIo, "read error");
  DdsInfo info;
  if (!ParseDds(head.data(), head.size(), size, info, failure)) return false;
  const char* alpha = AlphaKind(info);
  if (info.format.codec == Codec::kBC1) {
    bool transparent = false;
    if (!AnyTransparentBlock(in, info, transparent, failure)) return false;
    alpha = transparent ? "1-bit" : "none";
  }
  std::string images;
  if (info.isCube) {
    int faces = 0;
    for (int i = 0; i < kCubeFaces; ++i) faces += (info.facesStored >> i) & 1;
    images =
        "cube=" + std::to_string(faces) + (info.arraySize > 1 ? "x" + std::to_string(info.arraySize) : "");
  } else if (info.depth > 1) {
    images = "volume=" + std::to_string(info.depth);
  } else {
    images = "array=" + std::to_string(info.arraySize);
  }
  fields = std::string(info.dx10 ? "dx10" : "legacy") + '\t' + FormatName(info.format) + '\t' +
            std::to_string(info.width) + 'x' + std::to_string(info.height) +
            "\tmips=" + std::to_string(info.mipCount) + '\t' + images + "\talpha=" + alpha +
            "\tsrgb=" + (info.srgb ? "yes" : "no") + "\trepairs=" + RepairNames(info.repairs);
  return true;
}

}  // namespace readdxt
