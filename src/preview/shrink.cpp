#include "preview/shrink.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>
#include <vector>

namespace preview {

namespace {

// Target pixel t of n covers [t * N, (t + 1) * N) and source pixel s of N covers
// [s * n, (s + 1) * n), in units of 1 / (n * N) of the picture. A target pixel takes the
// source pixels first to last: the two ends with the lengths they overlap it, those
// between whole (length n).
struct Taps {
  uint32_t first;
  uint32_t last;
  uint32_t firstWeight;
  uint32_t lastWeight;
};

Taps TapsOf(uint64_t t, uint64_t n, uint64_t sourceN) {
  const uint64_t lo = t * sourceN, hi = (t + 1) * sourceN;
  const uint64_t first = lo / n, last = (hi - 1) / n;
  const uint64_t firstEnd = std::min(hi, (first + 1) * n);
  return {static_cast<uint32_t>(first), static_cast<uint32_t>(last), static_cast<uint32_t>(firstEnd - lo),
          static_cast<uint32_t>(hi - std::max(lo, last * n))};
}

// (s + a / 2) / a for a quotient known to be at most 255, without a 64-bit division (a
// library call on 32-bit processors): a floating-point estimate, which can be one off
// only, then put right in integers.
uint8_t RoundedQuotient(uint64_t s, uint64_t a, double inverse) {
  const uint64_t num = s + a / 2;
  uint32_t q = static_cast<uint32_t>(static_cast<double>(num) * inverse);
  if (q > 0 && uint64_t{q} * a > num) --q;
  if (uint64_t{q + 1} * a <= num) ++q;
  return static_cast<uint8_t>(q);
}

// The rows of Shrink. Sum: the type of a target pixel's sums, 32 bits when 255 x the
// picture's area fits (up to 4096 x 4096), which halves the work down the rows on 32-bit
// processors.
template <typename Sum>
bool ShrinkRows(const Bitmap& source, const std::vector<Taps>& cols, int32_t height, Bitmap& target) {
  const size_t w = cols.size();
  const uint32_t width = static_cast<uint32_t>(w);
  std::unique_ptr<uint32_t[]> across(new (std::nothrow) uint32_t[3 * w]);  // one source row, shrunk
  std::unique_ptr<Sum[]> sums(new (std::nothrow) Sum[3 * w]);              // a target row's source rows
  if (!across || !sums) return false;
  const uint64_t sh = static_cast<uint64_t>(source.Height());
  const uint64_t area = static_cast<uint64_t>(source.Width()) * sh;
  const double inverse = 1.0 / static_cast<double>(area);
  uint32_t acrossRow = UINT32_MAX;  // a source row shared by two target rows is shrunk once
  for (int32_t ty = 0; ty < height; ++ty) {
    std::fill(sums.get(), sums.get() + 3 * w, Sum{0});
    const Taps rows = TapsOf(static_cast<uint64_t>(ty), static_cast<uint64_t>(height), sh);
    for (uint32_t sy = rows.first; sy <= rows.last; ++sy) {
      const uint8_t* src = source.RowPointer(static_cast<int32_t>(sy));
      for (size_t tx = 0; tx < w && sy != acrossRow; ++tx) {
        const Taps& c = cols[tx];
        const uint8_t* p = src + size_t{4} * c.first;
        uint32_t b = c.firstWeight * p[0], g = c.firstWeight * p[1], r = c.firstWeight * p[2];
        if (c.last > c.first) {
          // Whole pixels are added first and weighted once.
          uint32_t wb = 0, wg = 0, wr = 0;
          for (p += 4; p < src + size_t{4} * c.last; p += 4) {
            wb += p[0];
            wg += p[1];
            wr += p[2];
          }
          b += width * wb + c.lastWeight * p[0];
          g += width * wg + c.lastWeight * p[1];
          r += width * wr + c.lastWeight * p[2];
        }
        across[3 * tx] = b;
        across[3 * tx + 1] = g;
        across[3 * tx + 2] = r;
      }
      acrossRow = sy;
      const uint32_t wy = sy == rows.first  ? rows.firstWeight
                          : sy == rows.last ? rows.lastWeight
                                            : static_cast<uint32_t>(height);
      for (size_t i = 0; i < 3 * w; ++i) sums[i] += Sum{wy} * across[i];
    }
    uint8_t* out = target.RowPointer(ty);
    for (size_t tx = 0; tx < w; ++tx, out += 4) {
      for (int ch = 0; ch < 3; ++ch) out[ch] = RoundedQuotient(sums[3 * tx + ch], area, inverse);
      out[3] = 0;
    }
  }
  return true;
}

}  // namespace

bool Shrink(const Bitmap& source, int32_t width, int32_t height, Bitmap& target) {
  const int32_t sw = source.Width(), sh = source.Height();
  if (source.IsEmpty() || width < 1 || height < 1 || width > sw || height > sh ||
      !target.Create(width, height, false)) {
    target.Reset();
    return false;
  }
  std::vector<Taps> cols;
  cols.reserve(static_cast<size_t>(width));
  for (int32_t tx = 0; tx < width; ++tx) {
    cols.push_back(
        TapsOf(static_cast<uint64_t>(tx), static_cast<uint64_t>(width), static_cast<uint64_t>(sw)));
  }
  // Across a row the weights add up to sw (at most 255 x 65535 per channel: 32 bits);
  // down the rows to sh.
  const uint64_t area = static_cast<uint64_t>(sw) * static_cast<uint64_t>(sh);
  const bool done = area * 255 <= UINT32_MAX ? ShrinkRows<uint32_t>(source, cols, height, target)
                                             : ShrinkRows<uint64_t>(source, cols, height, target);
  if (!done) target.Reset();
  return done;
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
