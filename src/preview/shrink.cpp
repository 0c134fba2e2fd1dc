#include "preview/shrink.h"

#include <algorithm>
#include <memory>
#include <new>
#include <vector>

namespace preview {

namespace {

// Target pixel t of n covers [t * N, (t + 1) * N) and source pixel s of N covers
// [s * n, (s + 1) * n), in units of 1 / (n * N) of the picture: the first source pixel
// target t touches and the length of the overlap with source pixel s.
struct Span {
  uint32_t first;
  uint32_t last;
};

Span SpanOf(uint64_t t, uint64_t n, uint64_t sourceN) {
  return {static_cast<uint32_t>(t * sourceN / n), static_cast<uint32_t>(((t + 1) * sourceN - 1) / n)};
}

uint32_t Overlap(uint64_t t, uint64_t n, uint64_t s, uint64_t sourceN) {
  const uint64_t lo = std::max(t * sourceN, s * n);
  const uint64_t hi = std::min((t + 1) * sourceN, (s + 1) * n);
  return static_cast<uint32_t>(hi - lo);
}

}  // namespace

bool Shrink(const Bitmap& source, int32_t width, int32_t height, Bitmap& target) {
  const int32_t sw = source.Width(), sh = source.Height();
  if (source.IsEmpty() || width < 1 || height < 1 || width > sw || height > sh ||
      !target.Create(width, height, false)) {
    target.Reset();
    return false;
  }
  // Per source column and channel: the source rows of one target row, each times its
  // vertical weight. Weights of one target row add up to sh, of one column to sw, so a
  // sum fits 32 bits here (255 x 65535) and 64 bits after the columns (x 65535 more).
  std::unique_ptr<uint32_t[]> sums(new (std::nothrow) uint32_t[size_t{4} * static_cast<size_t>(sw)]);
  if (!sums) {
    target.Reset();
    return false;
  }
  const size_t n = size_t{4} * static_cast<size_t>(sw);
  const uint64_t area = static_cast<uint64_t>(sw) * static_cast<uint64_t>(sh);
  for (int32_t ty = 0; ty < height; ++ty) {
    std::fill(sums.get(), sums.get() + n, 0u);
    const Span rows =
        SpanOf(static_cast<uint64_t>(ty), static_cast<uint64_t>(height), static_cast<uint64_t>(sh));
    for (uint32_t sy = rows.first; sy <= rows.last; ++sy) {
      const uint32_t wy =
          Overlap(static_cast<uint64_t>(ty), static_cast<uint64_t>(height), sy, static_cast<uint64_t>(sh));
      const uint8_t* src = source.RowPointer(static_cast<int32_t>(sy));
      uint32_t* sum = sums.get();
      for (size_t i = 0; i < n; ++i) sum[i] += wy * src[i];
    }
    uint8_t* out = target.RowPointer(ty);
    for (int32_t tx = 0; tx < width; ++tx) {
      const Span cols =
          SpanOf(static_cast<uint64_t>(tx), static_cast<uint64_t>(width), static_cast<uint64_t>(sw));
      uint64_t b = 0, g = 0, r = 0;
      for (uint32_t sx = cols.first; sx <= cols.last; ++sx) {
        const uint64_t wx =
            Overlap(static_cast<uint64_t>(tx), static_cast<uint64_t>(width), sx, static_cast<uint64_t>(sw));
        const uint32_t* s = sums.get() + size_t{4} * sx;
        b += wx * s[0];
        g += wx * s[1];
        r += wx * s[2];
      }
      out[4 * tx + 0] = static_cast<uint8_t>((b + area / 2) / area);
      out[4 * tx + 1] = static_cast<uint8_t>((g + area / 2) / area);
      out[4 * tx + 2] = static_cast<uint8_t>((r + area / 2) / area);
      out[4 * tx + 3] = 0;
    }
  }
  return true;
}

const Bitmap& ShrinkCache::Get(const Bitmap& picture, int32_t width, int32_t height) {
  if (source_ != &picture || version_ != picture.Version() || shrunk_.Width() != width ||
      shrunk_.Height() != height) {
    Shrink(picture, width, height, shrunk_);
    ++builds_;
    source_ = &picture;
    version_ = picture.Version();
  }
  return shrunk_;
}

void ShrinkCache::Drop() {
  shrunk_.Reset();
  source_ = nullptr;
  version_ = 0;
}

}  // namespace preview
