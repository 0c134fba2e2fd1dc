// DDS in, TGA out: the top level (cube maps as a cross), streamed four rows at a time so
// that memory does not grow with the picture's height.
#pragma once
#include <cstdint>

#include "readdxt/byte_io.h"
#include "readdxt/failure.h"

namespace readdxt {

struct ConvertedImage {
  uint32_t width = 0;
  uint32_t height = 0;
  bool alpha = false;  // 32 bits per pixel, else 24
};

// Cube maps are laid out as a horizontal cross, 4 faces wide and 3 high:
//         +Y
//   -X    +Z    +X    -Z
//         -Y
// Empty cells and faces missing from the file are transparent black.
struct CrossCell {
  uint8_t column;
  uint8_t row;
};
// Indexed by the face's place in the file: +X, -X, +Y, -Y, +Z, -Z.
constexpr CrossCell kCrossCells[6] = {{2, 1}, {0, 1}, {1, 0}, {1, 2}, {1, 1}, {3, 1}};

// On failure, whatever was written to `out` is incomplete and must be discarded. Large
// pictures are decoded and written on helper threads unless `threaded` is false (a batch
// keeps every core busy with whole files instead).
bool ConvertDdsToTga(ByteSource& in, ByteSink& out, ConvertedImage& image, Failure& failure, bool threaded = true);

}  // namespace readdxt
