// The whole conversion, DDS bytes in memory to a TGA counted in memory: no crash, no hang,
// and a successful run writes exactly the picture it announces, also as a complete PNG.
// Seeds: fuzz/readdxt/make_dds_seeds.py.
#include <cstddef>
#include <cstdint>

#include "readdxt/converter.h"
#include "readdxt/png_writer.h"
#include "readdxt/tga_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  readdxt::MemorySource source(data, size);
  readdxt::MemorySink sink(64);  // keep the header only
  readdxt::ConvertedImage image;
  readdxt::Failure failure;
  if (!readdxt::ConvertDdsToTga(source, sink, image, failure)) {
    if (failure.message.empty()) __builtin_trap();
    return 0;
  }
  const uint64_t expected = readdxt::kTgaHeaderBytes + readdxt::kTgaFooterBytes +
                            uint64_t{image.width} * image.height * (image.alpha ? 4 : 3);
  if (sink.written() != expected) __builtin_trap();
  readdxt::MemorySink pngBytes(64);
  readdxt::PngFromTgaSink png(pngBytes);
  readdxt::MemorySource again(data, size);
  if (!readdxt::ConvertDdsToTga(again, png, image, failure) || !png.Finish()) __builtin_trap();
  return 0;
}
