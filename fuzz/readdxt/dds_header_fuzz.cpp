// ParseDds on arbitrary bytes; a header it accepts must describe a top level inside the file,
// and readdxt --info describes it.
// Seeds: fuzz/readdxt/make_dds_seeds.py.
#include <cstddef>
#include <cstdint>

#include "readdxt/dds_parse.h"
#include "readdxt/texture_info.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  readdxt::DdsInfo info;
  readdxt::Failure failure;
  const size_t head = size < readdxt::kDdsMaxHeadBytes ? size : readdxt::kDdsMaxHeadBytes;
  if (!readdxt::ParseDds(data, head, size, info, failure)) {
    if (failure.kind == readdxt::FailureKind::kNone || failure.message.empty()) __builtin_trap();
    return 0;
  }
  if (info.width == 0 || info.height == 0 || info.width > readdxt::kMaxOutputDimension ||
      info.height > readdxt::kMaxOutputDimension || info.dataOffset > size ||
      info.top.bytes > size - info.dataOffset || info.mipCount == 0) {
    __builtin_trap();
  }
  if (info.isCube) {
    uint64_t at = info.dataOffset;
    for (int face = 0; face < readdxt::kCubeFaces; ++face) {
      if (!(info.facesStored & (1u << face))) continue;
      if ((info.facesReadable & (1u << face)) && (at > size || info.top.bytes > size - at)) __builtin_trap();
      at += info.faceStride;
    }
  }
  readdxt::MemorySource source(data, size);
  std::string fields;
  if (!readdxt::DescribeTexture(source, fields, failure) || fields.empty()) __builtin_trap();
  return 0;
}
