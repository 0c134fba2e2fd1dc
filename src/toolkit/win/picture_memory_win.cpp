#include <windows.h>

#include <algorithm>

#include "toolkit/portable/picture_memory.h"

namespace toolkit {

namespace {

// Sections of at most this size, side by side: under Wine a section is a file, and in one
// file much larger than this a page's first write costs several times as much.
constexpr size_t kSectionBytes = size_t{32} << 20;

// A section backed by the page file, mapped at `at` (anywhere when null); its view keeps it
// alive once the handle is closed.
uint8_t* MapSection(size_t bytes, uint8_t* at) {
  const uint64_t size = bytes;
  HANDLE section = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, static_cast<DWORD>(size >> 32),
                                      static_cast<DWORD>(size), nullptr);
  if (!section) return nullptr;
  void* view = MapViewOfFileEx(section, FILE_MAP_WRITE, 0, 0, bytes, at);
  CloseHandle(section);
  return static_cast<uint8_t*>(view);
}

void UnmapSections(uint8_t* base, size_t bytes) {
  for (size_t offset = 0; offset < bytes; offset += kSectionBytes) UnmapViewOfFile(base + offset);
}

}  // namespace

bool PictureMemory::Allocate(size_t bytes) {
  Release();
  if (bytes == 0) return false;
  if (bytes <= kSectionBytes) {
    data_ = MapSection(bytes, nullptr);
    bytes_ = data_ ? bytes : 0;
    return data_ != nullptr;
  }
  // A free range is found, given back, and filled with the sections; should another thread
  // take part of it meanwhile, another range is tried.
  for (int attempt = 0; attempt < 3; ++attempt) {
    void* range = VirtualAlloc(nullptr, bytes, MEM_RESERVE, PAGE_NOACCESS);
    if (!range) return false;
    VirtualFree(range, 0, MEM_RELEASE);
    uint8_t* const base = static_cast<uint8_t*>(range);
    size_t mapped = 0;
    while (mapped < bytes && MapSection(std::min(kSectionBytes, bytes - mapped), base + mapped))
      mapped += std::min(kSectionBytes, bytes - mapped);
    if (mapped == bytes) {
      data_ = base;
      bytes_ = bytes;
      return true;
    }
    UnmapSections(base, mapped);
  }
  return false;
}

void PictureMemory::Release() {
  if (data_) UnmapSections(data_, bytes_);
  data_ = nullptr;
  bytes_ = 0;
}

}  // namespace toolkit
