// Where the converter reads its input and writes its output: a file, or memory for tests
// and fuzzing.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace readdxt {

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual uint64_t Size() const = 0;
  // Reads exactly n bytes at offset; false when they are not all there or the read fails.
  virtual bool Read(uint64_t offset, uint8_t* dst, size_t n) = 0;
};

class ByteSink {
 public:
  virtual ~ByteSink() = default;
  virtual bool Write(const uint8_t* data, size_t n) = 0;
};

class MemorySource : public ByteSource {
 public:
  MemorySource(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  uint64_t Size() const override { return size_; }
  bool Read(uint64_t offset, uint8_t* dst, size_t n) override;

 private:
  const uint8_t* data_;
  size_t size_;
};

// Keeps what is written, up to a limit (fuzzing counts bytes only: limit 0).
class MemorySink : public ByteSink {
 public:
  explicit MemorySink(size_t keepLimit = SIZE_MAX) : keepLimit_(keepLimit) {}
  bool Write(const uint8_t* data, size_t n) override;
  const std::vector<uint8_t>& bytes() const { return bytes_; }
  uint64_t written() const { return written_; }

 private:
  size_t keepLimit_;
  std::vector<uint8_t> bytes_;
  uint64_t written_ = 0;
};

// A file opened for reading with std C I/O; the path is passed to fopen as it is (ANSI bytes
// on Windows).
class FileSource : public ByteSource {
 public:
  ~FileSource() override;
  bool Open(const char* path);
  // Takes over a file opened elsewhere (wide paths on Windows); false for null.
  bool Adopt(FILE* file);
  uint64_t Size() const override { return size_; }
  bool Read(uint64_t offset, uint8_t* dst, size_t n) override;

 private:
  FILE* file_ = nullptr;
  uint64_t size_ = 0;
  uint64_t position_ = 0;
};

class FileSink : public ByteSink {
 public:
  explicit FileSink(FILE* file) : file_(file) {}
  bool Write(const uint8_t* data, size_t n) override;

 private:
  FILE* file_;
};

}  // namespace readdxt
