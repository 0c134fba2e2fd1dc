#include "preview/shrink.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// (s + a / 2) / a for a quotient known to be at most 255, in doubles, which hold every value
// here exactly (all below 2^41): an estimate from the inverse, which can be one off only,
// then put right. No 64-bit integer division or multiplication, which are
// library calls or long sequences on 32-bit processors.
uint8_t RoundedQuotient(double s, double half, double a, double inverse) {
  const double num = s + half;
  int q = static_cast<int>(num * inverse);
  const double rest = num - q * a;
  if (rest < 0) --q;
  if (rest >= a) ++q;
  return static_cast<uint8_t>(q);
}

// Column sums of one target row: sums[i] = the sum over `count` source rows of weights[k] x
// rows[k][i], for the `bytes` bytes of a row (the fourth bytes included, and ignored later).
// A weight is at most the target height, a sum at most 255 x the source height: both fit.
// Four pixels at a time, their sums kept in registers down the rows.
void AddWeightedRows(const uint8_t* const* rows, const uint32_t* weights, uint32_t count, size_t bytes,
                     uint32_t* sums) {
  size_t i = 0;
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  for (; i + 16 <= bytes; i += 16) {
    __m128i s0 = zero, s1 = zero, s2 = zero, s3 = zero;
    for (uint32_t k = 0; k < count; ++k) {
      const __m128i w = _mm_set1_epi16(static_cast<short>(weights[k]));
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[k] + i));
      const __m128i lo = _mm_unpacklo_epi8(v, zero), hi = _mm_unpackhi_epi8(v, zero);
      const __m128i loL = _mm_mullo_epi16(lo, w), loH = _mm_mulhi_epu16(lo, w);
      const __m128i hiL = _mm_mullo_epi16(hi, w), hiH = _mm_mulhi_epu16(hi, w);
      s0 = _mm_add_epi32(s0, _mm_unpacklo_epi16(loL, loH));
      s1 = _mm_add_epi32(s1, _mm_unpackhi_epi16(loL, loH));
      s2 = _mm_add_epi32(s2, _mm_unpacklo_epi16(hiL, hiH));
      s3 = _mm_add_epi32(s3, _mm_unpackhi_epi16(hiL, hiH));
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(sums + i), s0);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(sums + i + 4), s1);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(sums + i + 8), s2);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(sums + i + 12), s3);
  }
#endif
  for (; i < bytes; ++i) {
    uint32_t sum = 0;
    for (uint32_t k = 0; k < count; ++k) sum += weights[k] * rows[k][i];
    sums[i] = sum;
  }
}

// Target rows [firstRow, endRow) of Shrink, row ty at top + ty * rowStep: down the columns
// first, so that the weighting runs over whole source rows at a time (vectors), then
// across the column sums of the target row. Sum: the type of a target pixel's sums, 32
// bits when 255 x the picture's area fits (up to 4096 x 4096), which halves the work
// across on 32-bit processors. Touches nothing shared but the rows it writes.
template <typename Sum>
bool ShrinkRows(const Bitmap& source, const std::vector<Taps>& cols, int32_t height, int32_t firstRow,
                int32_t endRow, uint8_t* top, ptrdiff_t rowStep) {
  const size_t bytes = size_t{4} * static_cast<uint32_t>(source.Width());
  std::unique_ptr<uint32_t[]> columns(new (std::nothrow) uint32_t[bytes]);
  if (!columns) return false;
  const uint32_t width = static_cast<uint32_t>(cols.size());
  const uint64_t sh = static_cast<uint64_t>(source.Height());
  const uint64_t area = static_cast<uint64_t>(source.Width()) * sh;
  const double a = static_cast<double>(area), half = static_cast<double>(area / 2), inverse = 1.0 / a;
  std::vector<const uint8_t*> rows;
  std::vector<uint32_t> weights;
  for (int32_t ty = firstRow; ty < endRow; ++ty) {
    const Taps taps = TapsOf(static_cast<uint64_t>(ty), static_cast<uint64_t>(height), sh);
    rows.clear();
    weights.clear();
    for (uint32_t sy = taps.first; sy <= taps.last; ++sy) {
      rows.push_back(source.RowPointer(static_cast<int32_t>(sy)));
      weights.push_back(sy == taps.first  ? taps.firstWeight
                        : sy == taps.last ? taps.lastWeight
                                          : static_cast<uint32_t>(height));
    }
    AddWeightedRows(rows.data(), weights.data(), static_cast<uint32_t>(rows.size()), bytes, columns.get());
    uint8_t* out = top + ty * rowStep;
    for (const Taps& c : cols) {
      const uint32_t* p = columns.get() + size_t{4} * c.first;
      Sum sum[3] = {Sum{c.firstWeight} * p[0], Sum{c.firstWeight} * p[1], Sum{c.firstWeight} * p[2]};
      if (c.last > c.first) {
        // Whole columns are added first and weighted once.
        Sum whole[3] = {0, 0, 0};
        for (p += 4; p < columns.get() + size_t{4} * c.last; p += 4) {
          whole[0] += p[0];
          whole[1] += p[1];
          whole[2] += p[2];
        }
        for (int ch = 0; ch < 3; ++ch) sum[ch] += Sum{width} * whole[ch] + Sum{c.lastWeight} * p[ch];
      }
      for (int ch = 0; ch < 3; ++ch)
        out[ch] = RoundedQuotient(static_cast<double>(sum[ch]), half, a, inverse);
      out[3] = 0;
      out += 4;
    }
  }
  return true;
}

// Below this, a thread's start costs more than half the work.
constexpr size_t kTwoThreadBytes = size_t{4} << 20;

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
  uint8_t* const top = target.RowPointer(0);
  const ptrdiff_t rowStep = -static_cast<ptrdiff_t>(target.RowSize());  // rows are stored bottom-up
  // Memory that cannot be had fails the shrink, on either thread.
  const auto rows = [&](int32_t first, int32_t end) {
    try {
      return area * 255 <= UINT32_MAX ? ShrinkRows<uint32_t>(source, cols, height, first, end, top, rowStep)
                                      : ShrinkRows<uint64_t>(source, cols, height, first, end, top, rowStep);
    } catch (const std::bad_alloc&) {
      return false;
    }
  };
  // A large picture is shrunk by two threads, half of the target rows each: it is the
  // largest step between the converter's end and the picture on screen.
  std::thread helper;
  bool helperDone = false;
  const int32_t split = height / 2;
  if (source.PixelBytes() >= kTwoThreadBytes && split > 0 && std::thread::hardware_concurrency() > 1) {
    try {
      helper = std::thread([&] { helperDone = rows(split, height); });
    } catch (const std::system_error&) {
      // no second thread to be had: all rows on this one
    }
  }
  bool done;
  if (helper.joinable()) {
    done = rows(0, split);
    helper.join();
    done = done && helperDone;
  } else {
    done = rows(0, height);
  }
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
