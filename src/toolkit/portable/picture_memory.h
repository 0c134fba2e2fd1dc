// Memory for large pictures, straight from the system and shared-mapped: starting another
// program copies a process's private memory maps (under Wine, at every converter start),
// and afterwards every first write to a copied page faults; shared memory is neither
// copied nor faulted. Comes zero-filled.
#pragma once
#include <cstddef>
#include <cstdint>

namespace toolkit {

class PictureMemory {
 public:
  PictureMemory() = default;
  ~PictureMemory() { Release(); }
  PictureMemory(const PictureMemory&) = delete;
  PictureMemory& operator=(const PictureMemory&) = delete;

  // Replaces the memory with `bytes` new zero bytes; false, holding nothing, when they
  // cannot be had.
  bool Allocate(size_t bytes);
  void Release();
  uint8_t* Get() const { return data_; }

 private:
  uint8_t* data_ = nullptr;
  size_t bytes_ = 0;
};

}  // namespace toolkit
