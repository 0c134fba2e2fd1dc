#include "preview/byte_stream.h"

#include <algorithm>
#include <new>

namespace preview {

BufferedStream::BufferedStream(ByteStream& inner, size_t bufferSize)
    : inner_(inner),
      buffer_(new (std::nothrow) uint8_t[bufferSize]),
      capacity_(buffer_ ? bufferSize : 0),
      pos_(inner.Position()),
      innerPos_(pos_) {}

size_t BufferedStream::ReadInner(uint8_t* dst, size_t n) {
  if (innerPos_ != pos_) {
    inner_.Seek(pos_);
    innerPos_ = pos_;
  }
  const size_t got = inner_.Read(dst, n);
  innerPos_ += got;
  return got;
}

size_t BufferedStream::Read(void* dst, size_t n) {
  uint8_t* out = static_cast<uint8_t*>(dst);
  size_t done = 0;
  while (done < n) {
    if (pos_ >= bufferStart_ && pos_ - bufferStart_ < bufferLength_) {
      const size_t at = static_cast<size_t>(pos_ - bufferStart_);
      const size_t k = std::min(bufferLength_ - at, n - done);
      std::memcpy(out + done, buffer_.get() + at, k);
      pos_ += k;
      done += k;
      continue;
    }
    if (n - done >= capacity_) {
      // Large reads go straight to the destination.
      const size_t got = ReadInner(out + done, n - done);
      pos_ += got;
      done += got;
      if (got == 0) break;
      continue;
    }
    const uint64_t start = pos_;
    bufferLength_ = 0;
    const size_t got = ReadInner(buffer_.get(), capacity_);
    bufferStart_ = start;
    bufferLength_ = got;
    if (got == 0) break;
  }
  return done;
}

}  // namespace preview
