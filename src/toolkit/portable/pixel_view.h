// A picture as the drawing side takes it: width x height pixels of 32 bits (blue, green,
// red, unused) in bottom-up rows, borrowed from whoever owns them.
#pragma once
#include <cstdint>

namespace toolkit {

struct PixelView {
  const uint8_t* pixels = nullptr;  // null or width * height * 4 bytes
  int32_t width = 0;
  int32_t height = 0;
};

}  // namespace toolkit
