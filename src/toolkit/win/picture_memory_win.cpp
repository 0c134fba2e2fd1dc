#include <windows.h>

#include "toolkit/portable/picture_memory.h"
#include "toolkit/win/handles_win.h"

namespace toolkit {

// A section backed by the page file; its view keeps it alive once the handle is closed.
bool PictureMemory::Allocate(size_t bytes) {
  Release();
  if (bytes == 0) return false;
  const uint64_t size = bytes;
  KernelHandle section(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE,
                                          static_cast<DWORD>(size >> 32), static_cast<DWORD>(size), nullptr));
  if (!section.Get()) return false;
  data_ = static_cast<uint8_t*>(MapViewOfFile(section.Get(), FILE_MAP_WRITE, 0, 0, bytes));
  if (!data_) return false;
  bytes_ = bytes;
  return true;
}

void PictureMemory::Release() {
  if (data_) UnmapViewOfFile(data_);
  data_ = nullptr;
  bytes_ = 0;
}

}  // namespace toolkit
