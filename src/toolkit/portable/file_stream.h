// A file opened for reading as a ByteStream. A file that cannot be opened is a stream
// that delivers no bytes. Closed when the object goes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "toolkit/portable/byte_stream.h"

namespace toolkit {

class FileStream final : public preview::ByteStream {
 public:
  // path: ANSI bytes as the platform gives them.
  explicit FileStream(const std::string& path);
  ~FileStream() override;
  FileStream(const FileStream&) = delete;
  FileStream& operator=(const FileStream&) = delete;

  bool IsOpen() const;
  size_t Read(void* dst, size_t n) override;
  uint64_t Position() override { return pos_; }
  void Seek(uint64_t pos) override;

 private:
#ifdef _WIN32
  void* handle_;  // HANDLE; INVALID_HANDLE_VALUE when not open
#else
  std::FILE* file_ = nullptr;
#endif
  uint64_t pos_ = 0;
};

}  // namespace toolkit
