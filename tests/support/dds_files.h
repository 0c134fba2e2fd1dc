// Small DDS files written byte by byte for tests.
#pragma once
#include <cstdint>
#include <string>

namespace testing_support {

// An uncompressed 32-bit A8R8G8B8 DDS of one colour (0xAARRGGBB).
std::string SolidDds(int width, int height, uint32_t argb);

}  // namespace testing_support
