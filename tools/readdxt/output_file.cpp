// Temporary-then-rename output; the only platform-specific part of the converter.
#include "readdxt/output_file.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace readdxt {
namespace {

unsigned long ProcessId() {
#ifdef _WIN32
  return GetCurrentProcessId();
#else
  return static_cast<unsigned long>(getpid());
#endif
}

bool ReplaceFile(const std::string& from, const std::string& to) {
#ifdef _WIN32
  return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
#else
  return std::rename(from.c_str(), to.c_str()) == 0;
#endif
}

}  // namespace

PendingOutput::~PendingOutput() { Discard(); }

bool PendingOutput::Open(const std::string& finalPath) {
  finalPath_ = finalPath;
  temporaryPath_ = finalPath + "." + std::to_string(ProcessId()) + ".part";
  file_ = std::fopen(temporaryPath_.c_str(), "wb");
  if (!file_) {
    temporaryPath_.clear();
    return false;
  }
  static char buffer[1 << 16];  // one output per process
  std::setvbuf(file_, buffer, _IOFBF, sizeof buffer);
  return true;
}

bool PendingOutput::Commit() {
  if (!file_) return false;
  const bool flushed = std::fflush(file_) == 0;
  const bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  if (!flushed || !closed || !ReplaceFile(temporaryPath_, finalPath_)) {
    Discard();
    return false;
  }
  temporaryPath_.clear();
  return true;
}

void PendingOutput::Discard() {
  if (file_) {
    std::fclose(file_);
    file_ = nullptr;
  }
  if (!temporaryPath_.empty()) {
    std::remove(temporaryPath_.c_str());
    temporaryPath_.clear();
  }
}

}  // namespace readdxt
