// TgaImage::LoadStream on arbitrary bytes. Seeds: fuzz/preview/make_tga_seeds.py.
#include <cstddef>
#include <cstdint>

#include "preview/tga_image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Sizes between a few megapixels and the bitmap cap are decoded correctly but slowly
  // (hundreds of megabytes written per input); sizes above the cap take the quick
  // refusal path and stay in.
  if (size >= 16) {
    const uint64_t pixels = uint64_t{static_cast<uint16_t>(data[12] | data[13] << 8)} *
                            static_cast<uint16_t>(data[14] | data[15] << 8);
    if (pixels > (uint64_t{1} << 22) && pixels * 4 <= preview::kMaxPixelBytes) return -1;
  }
  preview::MemoryStream stream(data, size);
  preview::TgaImage image;
  image.LoadStream(stream);
  // A second load into the same image: fields and palette left by the first one.
  preview::MemoryStream again(data, size);
  image.LoadStream(again);
  return 0;
}
