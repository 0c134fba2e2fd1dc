// Memory and std C file sources and sinks.
#include "readdxt/byte_io.h"

#include <cstring>

namespace readdxt {
namespace {

bool Seek(FILE* f, uint64_t offset) {
#ifdef _WIN32
  return _fseeki64(f, static_cast<__int64>(offset), SEEK_SET) == 0;
#else
  return fseeko(f, static_cast<off_t>(offset), SEEK_SET) == 0;
#endif
}

bool SizeOf(FILE* f, uint64_t* size) {
#ifdef _WIN32
  if (_fseeki64(f, 0, SEEK_END) != 0) return false;
  const __int64 end = _ftelli64(f);
#else
  if (fseeko(f, 0, SEEK_END) != 0) return false;
  const off_t end = ftello(f);
#endif
  if (end < 0) return false;
  *size = static_cast<uint64_t>(end);
  return Seek(f, 0);
}

}  // namespace

bool MemorySource::Read(uint64_t offset, uint8_t* dst, size_t n) {
  if (offset > size_ || n > size_ - offset) return false;
  if (n) std::memcpy(dst, data_ + offset, n);
  return true;
}

bool MemorySink::Write(const uint8_t* data, size_t n) {
  written_ += n;
  if (bytes_.size() < keepLimit_) {
    const size_t keep = n < keepLimit_ - bytes_.size() ? n : keepLimit_ - bytes_.size();
    bytes_.insert(bytes_.end(), data, data + keep);
  }
  return true;
}

FileSource::~FileSource() {
  if (file_) std::fclose(file_);
}

bool FileSource::Open(const char* path) { return Adopt(std::fopen(path, "rb")); }

bool FileSource::Adopt(FILE* file) {
  if (file_) std::fclose(file_);
  file_ = file;
  if (!file_) return false;
  if (!SizeOf(file_, &size_)) return false;
  position_ = 0;
  return true;
}

bool FileSource::Read(uint64_t offset, uint8_t* dst, size_t n) {
  if (!file_ || offset > size_ || n > size_ - offset) return false;
  if (offset != position_ && !Seek(file_, offset)) return false;
  const size_t got = std::fread(dst, 1, n, file_);
  position_ = offset + got;
  return got == n;
}

bool FileSink::Write(const uint8_t* data, size_t n) { return std::fwrite(data, 1, n, file_) == n; }

}  // namespace readdxt
