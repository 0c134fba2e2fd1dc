// Small DDS files for the tests of the converter's callers.
#pragma once
#include <string>

#include "readdxt/dds_builder.h"

namespace testing_support {

// An uncompressed 32-bit A8R8G8B8 DDS of one colour (0xAARRGGBB).
inline std::string SolidDds(int width, int height, uint32_t argb) {
  const readdxt_test::Bytes file =
      readdxt_test::Masks(width, height, readdxt::DDPF_RGB | readdxt::DDPF_ALPHAPIXELS, 32, 0xFF0000, 0xFF00, 0xFF,
                          0xFF000000, readdxt_test::Words(4, {argb}, static_cast<size_t>(width) * height))
          .Build();
  return std::string(file.begin(), file.end());
}

}  // namespace testing_support
