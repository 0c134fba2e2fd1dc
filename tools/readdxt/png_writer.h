// PNG output: the converter's TGA byte stream turned into an 8-bit RGB or RGBA PNG as it
// passes, so that both outputs hold the same pixels and make the same alpha decision.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "readdxt/byte_io.h"
#include "readdxt/tga_writer.h"

namespace readdxt {

class PngFromTgaSink : public ByteSink {
 public:
  // zlib's fastest compressing level by default.
  explicit PngFromTgaSink(ByteSink& out, int level = 1);
  PngFromTgaSink(const PngFromTgaSink&) = delete;
  PngFromTgaSink& operator=(const PngFromTgaSink&) = delete;
  ~PngFromTgaSink() override;

  // Takes the TGA stream of MakeTgaHeader, packed rows and footer, in pieces of any size.
  bool Write(const uint8_t* data, size_t n) override;
  // Ends the compressed stream and writes IEND; false when the rows were incomplete.
  bool Finish();

 private:
  struct Deflater;
  bool StartImage();
  bool CompressRows(bool last);
  bool WriteChunk(const char type[4], const uint8_t* data, size_t n);

  ByteSink& out_;
  int level_;
  bool failed_ = false;
  uint8_t header_[kTgaHeaderBytes] = {};
  size_t headerBytes_ = 0;
  uint32_t width_ = 0, height_ = 0, pixelBytes_ = 0;
  uint32_t rowsLeft_ = 0;
  std::vector<uint8_t> row_;  // the TGA row being gathered
  size_t rowFilled_ = 0;
  std::vector<uint8_t> rows_;  // filtered PNG rows waiting to be compressed
  std::vector<uint8_t> previous_;
  std::unique_ptr<Deflater> deflater_;
};

}  // namespace readdxt
