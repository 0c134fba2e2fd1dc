// FileStream on kernel32 file handles.
#include <windows.h>

#include "toolkit/portable/file_stream.h"

namespace toolkit {

FileStream::FileStream(const std::string& path)
    : handle_(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr)) {}

FileStream::~FileStream() {
  if (IsOpen()) CloseHandle(handle_);
}

bool FileStream::IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }

size_t FileStream::Read(void* dst, size_t n) {
  if (!IsOpen()) return 0;
  size_t done = 0;
  while (done < n) {
    const size_t left = n - done;
    const DWORD chunk = left > 0x40000000u ? 0x40000000u : static_cast<DWORD>(left);
    DWORD got = 0;
    if (!ReadFile(handle_, static_cast<char*>(dst) + done, chunk, &got, nullptr) || got == 0) break;
    done += got;
  }
  pos_ += done;
  return done;
}

void FileStream::Seek(uint64_t pos) {
  if (!IsOpen()) {
    pos_ = pos;
    return;
  }
  LARGE_INTEGER to;
  to.QuadPart = static_cast<LONGLONG>(pos);
  LARGE_INTEGER at;
  if (SetFilePointerEx(handle_, to, &at, FILE_BEGIN)) {
    pos_ = static_cast<uint64_t>(at.QuadPart);
  } else {
    to.QuadPart = 0;
    if (SetFilePointerEx(handle_, to, &at, FILE_CURRENT)) pos_ = static_cast<uint64_t>(at.QuadPart);
  }
}

}  // namespace toolkit
