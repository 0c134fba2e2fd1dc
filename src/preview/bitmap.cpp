#include "preview/bitmap.h"

#include <cstring>

namespace preview {

namespace {
uint64_t g_lastVersion = 0;
}

void Bitmap::Touch() {
  version_ = ++g_lastVersion;
  blackBytes_ = 0;
}

void Bitmap::Reset() {
  pixels_.Release();
  capacity_ = 0;
  width_ = 0;
  height_ = 0;
  header_ = {};
  version_ = ++g_lastVersion;
}

bool Bitmap::Create(int32_t width, int32_t height, bool black) {
  const uint64_t bytes = uint64_t{4} * static_cast<uint64_t>(width < 0 ? 0 : width) *
                         static_cast<uint64_t>(height < 0 ? 0 : height);
  if (width < 0 || height < 0 || bytes > kMaxPixelBytes) {
    Reset();
    return false;
  }
  version_ = ++g_lastVersion;
  width_ = 0;
  height_ = 0;
  if (bytes == 0) return true;
  if (bytes > capacity_) {
    // New memory comes black from the system without being written.
    capacity_ = 0;
    blackBytes_ = 0;
    if (!pixels_.Allocate(static_cast<size_t>(bytes))) {
      Reset();
      return false;
    }
    capacity_ = static_cast<size_t>(bytes);
    blackBytes_ = capacity_;
  }
  width_ = width;
  height_ = height;
  if (black && blackBytes_ < bytes) {
    std::memset(pixels_.Get() + blackBytes_, 0, static_cast<size_t>(bytes) - blackBytes_);
    blackBytes_ = static_cast<size_t>(bytes);
  }
  header_ = {};
  header_.biSize = sizeof(BitmapInfoHeader);
  header_.biWidth = width;
  header_.biHeight = height;
  header_.biPlanes = 1;
  header_.biBitCount = 32;
  return true;
}

}  // namespace preview
