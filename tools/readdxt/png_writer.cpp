// PNG signature, IHDR, IDAT chunks of zlib data and IEND; CRC-32 and Adler-32 from zlib.
#include "readdxt/png_writer.h"

#include <zlib.h>

#include <cstring>

namespace readdxt {
namespace {

constexpr size_t kChunkBytes = 256 * 1024;  // one IDAT chunk
constexpr size_t kBatchBytes = 256 * 1024;  // filtered rows handed to zlib at a time

void PutBigEndian(uint32_t v, uint8_t* out) {
  out[0] = static_cast<uint8_t>(v >> 24);
  out[1] = static_cast<uint8_t>(v >> 16);
  out[2] = static_cast<uint8_t>(v >> 8);
  out[3] = static_cast<uint8_t>(v);
}

}  // namespace

struct PngFromTgaSink::Deflater {
  z_stream stream{};
  bool open = false;
  std::vector<uint8_t> chunk = std::vector<uint8_t>(kChunkBytes);
  ~Deflater() {
    if (open) deflateEnd(&stream);
  }
};

PngFromTgaSink::PngFromTgaSink(ByteSink& out, int level) : out_(out), level_(level) {}
PngFromTgaSink::~PngFromTgaSink() = default;

bool PngFromTgaSink::WriteChunk(const char type[4], const uint8_t* data, size_t n) {
  uint8_t head[8], tail[4];
  PutBigEndian(static_cast<uint32_t>(n), head);
  std::memcpy(head + 4, type, 4);
  uLong crc = crc32(0L, head + 4, 4);
  if (n) crc = crc32(crc, data, static_cast<uInt>(n));
  PutBigEndian(static_cast<uint32_t>(crc), tail);
  return out_.Write(head, 8) && (n == 0 || out_.Write(data, n)) && out_.Write(tail, 4);
}

bool PngFromTgaSink::StartImage() {
  width_ = header_[12] | header_[13] << 8;
  height_ = header_[14] | header_[15] << 8;
  pixelBytes_ = header_[16] / 8;
  if (header_[2] != 2 || (pixelBytes_ != 3 && pixelBytes_ != 4) || !width_ || !height_) return false;
  static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  uint8_t ihdr[13];
  PutBigEndian(width_, ihdr);
  PutBigEndian(height_, ihdr + 4);
  ihdr[8] = 8;                         // bits per channel
  ihdr[9] = pixelBytes_ == 4 ? 6 : 2;  // RGBA or RGB
  ihdr[10] = ihdr[11] = ihdr[12] = 0;  // deflate, adaptive filtering, no interlace
  if (!out_.Write(kSignature, 8) || !WriteChunk("IHDR", ihdr, sizeof ihdr)) return false;
  deflater_.reset(new Deflater);
  if (deflateInit(&deflater_->stream, level_) != Z_OK) return false;
  deflater_->open = true;
  deflater_->stream.next_out = deflater_->chunk.data();
  deflater_->stream.avail_out = static_cast<uInt>(kChunkBytes);
  const size_t stride = size_t{width_} * pixelBytes_;
  row_.resize(stride);
  previous_.assign(stride, 0);
  rows_.reserve(kBatchBytes + stride + 1);
  rowsLeft_ = height_;
  return true;
}

// Feeds the gathered rows to zlib, writing an IDAT chunk each time its buffer fills.
bool PngFromTgaSink::CompressRows(bool last) {
  z_stream& z = deflater_->stream;
  z.next_in = rows_.data();
  z.avail_in = static_cast<uInt>(rows_.size());
  for (;;) {
    const int result = deflate(&z, last ? Z_FINISH : Z_NO_FLUSH);
    if (result == Z_STREAM_ERROR) return false;
    const bool full = z.avail_out == 0;
    if (full || (last && result == Z_STREAM_END)) {
      const size_t n = kChunkBytes - z.avail_out;
      if (n && !WriteChunk("IDAT", deflater_->chunk.data(), n)) return false;
      z.next_out = deflater_->chunk.data();
      z.avail_out = static_cast<uInt>(kChunkBytes);
    }
    if (last ? result == Z_STREAM_END : (z.avail_in == 0 && !full)) break;
  }
  rows_.clear();
  return true;
}

bool PngFromTgaSink::Write(const uint8_t* data, size_t n) {
  while (n && !failed_) {
    if (headerBytes_ < sizeof header_) {
      const size_t take = n < sizeof header_ - headerBytes_ ? n : sizeof header_ - headerBytes_;
      std::memcpy(header_ + headerBytes_, data, take);
      headerBytes_ += take, data += take, n -= take;
      if (headerBytes_ == sizeof header_ && !StartImage()) failed_ = true;
      continue;
    }
    if (!rowsLeft_) return true;  // the TGA footer
    const size_t take = n < row_.size() - rowFilled_ ? n : row_.size() - rowFilled_;
    std::memcpy(row_.data() + rowFilled_, data, take);
    rowFilled_ += take, data += take, n -= take;
    if (rowFilled_ < row_.size()) continue;
    rowFilled_ = 0;
    --rowsLeft_;
    // B, G, R(, A) -> R, G, B(, A), then the "up" filter: a texture's rows differ little
    // from the row above, and zlib packs the differences smaller and sooner than the bytes.
    const size_t at = rows_.size();
    rows_.resize(at + 1 + row_.size());
    uint8_t* out = rows_.data() + at;
    *out++ = 2;
    uint8_t* up = previous_.data();
    const uint8_t* in = row_.data();
    for (uint32_t x = 0; x < width_; ++x, in += pixelBytes_, out += pixelBytes_, up += pixelBytes_) {
      const uint8_t r = in[2], g = in[1], b = in[0];
      out[0] = static_cast<uint8_t>(r - up[0]), up[0] = r;
      out[1] = static_cast<uint8_t>(g - up[1]), up[1] = g;
      out[2] = static_cast<uint8_t>(b - up[2]), up[2] = b;
      if (pixelBytes_ == 4) out[3] = static_cast<uint8_t>(in[3] - up[3]), up[3] = in[3];
    }
    if (rows_.size() >= kBatchBytes && !CompressRows(false)) failed_ = true;
  }
  return !failed_;
}

bool PngFromTgaSink::Finish() {
  if (failed_ || !deflater_ || rowsLeft_ || !CompressRows(true)) return false;
  return WriteChunk("IEND", nullptr, 0);
}

}  // namespace readdxt
