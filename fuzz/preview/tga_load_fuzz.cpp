// TgaImage::LoadStream on arbitrary bytes. Seeds: fuzz/preview/make_tga_seeds.py.
#include <cstddef>
#include <cstdint>

#include "preview/tga_image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Sizes between 65536 pixels and the bitmap cap only make the run slow (up to a
  // gigabyte written per input) without new paths: rows of the full 65535 width still
  // get in, and sizes above the cap take the quick refusal path.
  if (size >= 16) {
    const uint64_t pixels = uint64_t{static_cast<uint16_t>(data[12] | data[13] << 8)} *
                            static_cast<uint16_t>(data[14] | data[15] << 8);
    if (pixels > (uint64_t{1} << 16) && pixels * 4 <= preview::kMaxPixelBytes) return -1;
  }
  preview::MemoryStream stream(data, size);
  preview::TgaImage image;
  image.LoadStream(stream);
  // A second load into the same image, whose pixel memory the first one left.
  preview::MemoryStream again(data, size);
  image.LoadStream(again);
  return 0;
}
