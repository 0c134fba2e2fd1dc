// Temporary-then-rename output; the only platform-specific part of the converter.
#include "readdxt/output_file.h"

#include <cerrno>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
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

// Opened with the right to delete, so that the finished file is renamed through its own
// handle: under Wine every call that names a file is a round trip to the server (open, query,
// rename, close), and a rename by handle is one.
FILE* CreateForWriting(const std::string& path) {
  HANDLE handle = CreateFileW(Wide(path).c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_READ, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_BINARY);
  FILE* file = fd < 0 ? nullptr : _fdopen(fd, "wb");
  if (!file) fd < 0 ? static_cast<void>(CloseHandle(handle)) : static_cast<void>(_close(fd));
  return file;
}

// FILE_RENAME_INFO and SetFileInformationByHandle, which the system headers hide below Vista;
// looked up so that the program still starts where the call is missing.
struct RenameInfo {
  DWORD replaceIfExists;  // a BOOLEAN padded to the alignment of the handle after it
  HANDLE rootDirectory;
  DWORD fileNameLength;  // bytes
  WCHAR fileName[MAX_PATH];
};
constexpr int kFileRenameInfo = 3;
using SetInfoByHandle = BOOL(WINAPI*)(HANDLE, int, void*, DWORD);

// Only a bare file name (the usual test.tga in the working folder): the system takes it as
// a name in the file's own folder, Wine as one in the working folder, which is the same here.
bool RenameOpenFile(FILE* file, const std::string& finalPath) {
  static const auto setInfo = reinterpret_cast<SetInfoByHandle>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetFileInformationByHandle")));
  const std::wstring name = Wide(finalPath);
  if (!setInfo || name.empty() || name.size() >= MAX_PATH ||
      name.find_first_of(L"\\/:") != std::wstring::npos || std::fflush(file) != 0)
    return false;
  RenameInfo info = {};
  info.replaceIfExists = TRUE;
  info.fileNameLength = static_cast<DWORD>(name.size() * sizeof(WCHAR));
  name.copy(info.fileName, name.size());
  const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
  return setInfo(handle, kFileRenameInfo, &info, sizeof info) != 0;
}

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

bool RenameOpenFile(FILE*, const std::string&) { return false; }

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
  // Renamed while still open, its data flushed, where the platform allows it; else by name
  // once closed. A close that fails after the rename removes the file under its new name.
  const bool renamed = !IsReadOnly(finalPath_) && RenameOpenFile(file_, finalPath_);
  if (renamed) temporaryPath_ = finalPath_;
  const bool flushed = std::fflush(file_) == 0;
  const bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  if (!flushed || !closed ||
      (!renamed && (IsReadOnly(finalPath_) || !ReplaceFile(temporaryPath_, finalPath_)))) {
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
