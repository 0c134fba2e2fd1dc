// The output file appears only when it is complete: it is written under a temporary name
// in the same folder and renamed over the final name at the end.
#pragma once
#include <cstdio>
#include <string>
#include <vector>

namespace readdxt {

class PendingOutput {
 public:
  PendingOutput() = default;
  PendingOutput(const PendingOutput&) = delete;
  PendingOutput& operator=(const PendingOutput&) = delete;
  ~PendingOutput();  // removes the temporary file unless Commit succeeded

  bool Open(const std::string& finalPath);
  FILE* file() const { return file_; }
  const std::string& temporaryPath() const { return temporaryPath_; }
  // Flushes, closes and renames over the final name (replacing an older file only now).
  bool Commit();

 private:
  void Discard();
  FILE* file_ = nullptr;
  std::string finalPath_;
  std::string temporaryPath_;
  std::vector<char> buffer_;  // outlives the FILE, which is closed first
};

}  // namespace readdxt
