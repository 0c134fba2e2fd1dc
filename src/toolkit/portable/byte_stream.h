// A readable, seekable sequence of bytes: what the TGA reader needs from a file.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace preview {

class ByteStream {
 public:
  virtual ~ByteStream() = default;
  // Copies up to n bytes to dst; returns how many, 0 at the end or on an error.
  virtual size_t Read(void* dst, size_t n) = 0;
  virtual uint64_t Position() = 0;
  // Sets the position from the start; a position past the end makes reads return 0.
  virtual void Seek(uint64_t pos) = 0;
};

// Reads from bytes owned by the caller, which must outlive the stream.
class MemoryStream final : public ByteStream {
 public:
  MemoryStream(const void* data, size_t size) : data_(static_cast<const uint8_t*>(data)), size_(size) {}

  size_t Read(void* dst, size_t n) override {
    if (pos_ >= size_) return 0;
    const size_t at = static_cast<size_t>(pos_);  // below size_, so it fits
    if (n > size_ - at) n = size_ - at;
    if (n > 0) std::memcpy(dst, data_ + at, n);
    pos_ += n;
    return n;
  }
  uint64_t Position() override { return pos_; }
  void Seek(uint64_t pos) override { pos_ = pos; }

 private:
  const uint8_t* data_;
  size_t size_;
  uint64_t pos_ = 0;
};

}  // namespace preview
