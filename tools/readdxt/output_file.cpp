// Temporary-then-rename output.
#include "readdxt/output_file.h"

#include <cerrno>

#include "readdxt/file_system.h"

namespace readdxt {

PendingOutput::~PendingOutput() { Discard(); }

bool PendingOutput::Open(const std::string& finalPath) {
  finalPath_ = finalPath;
  // A read-only file is its owner's "do not replace"; renaming over it would get past that.
  if (IsReadOnly(finalPath)) {
    errno = EACCES;
    return false;
  }
  temporaryPath_ = finalPath + "." + std::to_string(ProcessId()) + ".part";
  file_ = CreateForWriting(temporaryPath_);
  if (!file_) {
    temporaryPath_.clear();
    return false;
  }
  buffer_.resize(1 << 16);
  std::setvbuf(file_, buffer_.data(), _IOFBF, buffer_.size());
  return true;
}

bool PendingOutput::Commit() {
  if (!file_) return false;
  // Renamed while still open, its data flushed, where the platform allows it; else by name
  // once closed. A close that fails after the rename removes the file under its new name.
  const bool renamed = !IsReadOnly(finalPath_) && RenameOpenFile(file_, finalPath_);
  if (renamed) temporaryPath_ = finalPath_;
  const bool flushed = std::fflush(file_) == 0;
  const bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  if (!flushed || !closed ||
      (!renamed && (IsReadOnly(finalPath_) || !RenameOver(temporaryPath_, finalPath_)))) {
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
    RemoveFile(temporaryPath_);
    temporaryPath_.clear();
  }
}

}  // namespace readdxt
