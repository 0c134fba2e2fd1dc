// Shrinking a picture for the preview pane, once per picture and pane size.
#pragma once
#include <cstdint>

#include "preview/bitmap.h"

namespace preview {

// Area-averaging downscale of `source` into `target` (made width x height, each between 1
// and the source's): every target pixel is the average of the source pixels it covers,
// each weighted by the area it covers, rounded to nearest, in exact integer arithmetic.
// The fourth byte is 0. False, target empty, for an empty source, a size out of range or
// memory that cannot be had.
bool Shrink(const Bitmap& source, int32_t width, int32_t height, Bitmap& target);

// The shrunk picture for painting: made on the first request for a picture and size,
// then handed out unchanged until the picture changes (a new load) or the size does.
class ShrinkCache {
 public:
  // The picture shrunk to width x height; an empty bitmap when it cannot be made.
  const Bitmap& Get(const Bitmap& picture, int32_t width, int32_t height);
  // Forgets the shrunk picture and releases its memory.
  void Drop();
  // How many times Get has shrunk a picture (for tests and benchmarks).
  uint64_t Builds() const { return builds_; }

 private:
  Bitmap shrunk_;
  const Bitmap* source_ = nullptr;
  uint64_t version_ = 0;
  uint64_t builds_ = 0;
};

}  // namespace preview
