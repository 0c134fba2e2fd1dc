// Temporary-then-rename output; the only platform-specific part of the converter.
#include "readdxt/output_file.h"

#include <cerrno>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace readdxt {
namespace {

#ifdef _WIN32
// The temporary file is created, renamed and removed through the same wide-character calls:
// the narrow ones refuse long paths in some places only (removal among them), which once
// left a complete temporary file behind whenever the rename was refused.
std::wstring Wide(const std::string& path) {
  const int n = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
  if (n <= 0) return std::wstring();
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, &out[0], n);
  out.resize(static_cast<size_t>(n - 1));
  return out;
}

unsigned long ProcessId() { return GetCurrentProcessId(); }

FILE* CreateForWriting(const std::string& path) { return _wfopen(Wide(path).c_str(), L"wb"); }

bool ReplaceFile(const std::string& from, const std::string& to) {
  return MoveFileExW(Wide(from).c_str(), Wide(to).c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

void RemoveFile(const std::string& path) { DeleteFileW(Wide(path).c_str()); }

bool IsReadOnly(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}
#else
unsigned long ProcessId() { return static_cast<unsigned long>(getpid()); }

FILE* CreateForWriting(const std::string& path) { return std::fopen(path.c_str(), "wb"); }

bool ReplaceFile(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

void RemoveFile(const std::string& path) { std::remove(path.c_str()); }

// By its permission bits, not access(): a privileged user may write anything.
bool IsReadOnly(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && !(st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH));
}
#endif

}  // namespace

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
  static char buffer[1 << 16];  // one output per process
  std::setvbuf(file_, buffer, _IOFBF, sizeof buffer);
  return true;
}

bool PendingOutput::Commit() {
  if (!file_) return false;
  const bool flushed = std::fflush(file_) == 0;
  const bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  if (!flushed || !closed || IsReadOnly(finalPath_) || !ReplaceFile(temporaryPath_, finalPath_)) {
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
