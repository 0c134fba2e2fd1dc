// The native build (tests, fuzzing, benchmarks) starts no programs while holding pictures:
// plain heap memory, which the address sanitizer guards.
#include <cstdlib>

#include "toolkit/portable/picture_memory.h"

namespace toolkit {

bool PictureMemory::Allocate(size_t bytes) {
  Release();
  if (bytes == 0) return false;
  data_ = static_cast<uint8_t*>(std::calloc(bytes, 1));
  bytes_ = data_ ? bytes : 0;
  return data_ != nullptr;
}

void PictureMemory::Release() {
  std::free(data_);
  data_ = nullptr;
  bytes_ = 0;
}

}  // namespace toolkit
