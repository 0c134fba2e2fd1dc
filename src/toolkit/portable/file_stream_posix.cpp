// FileStream on stdio, for native builds (tests, fuzzing, benchmarks).
#include <sys/types.h>

#include "toolkit/portable/file_stream.h"

namespace toolkit {

FileStream::FileStream(const std::string& path) : file_(std::fopen(path.c_str(), "rb")) {}

FileStream::~FileStream() {
  if (file_) std::fclose(file_);
}

bool FileStream::IsOpen() const { return file_ != nullptr; }

size_t FileStream::Read(void* dst, size_t n) {
  if (!file_ || n == 0) return 0;
  const size_t got = std::fread(dst, 1, n, file_);
  pos_ += got;
  return got;
}

void FileStream::Seek(uint64_t pos) {
  if (!file_) {
    pos_ = pos;
    return;
  }
  if (fseeko(file_, static_cast<off_t>(pos), SEEK_SET) == 0) {
    pos_ = pos;
  } else {
    const off_t at = ftello(file_);
    pos_ = at < 0 ? 0 : static_cast<uint64_t>(at);
  }
}

}  // namespace toolkit
