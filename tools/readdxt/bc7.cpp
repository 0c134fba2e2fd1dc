// BC7: eight modes of one to three subsets, 2- to 4-bit indices, p-bits, and for
// modes 4 and 5 separate colour and alpha indices with a channel rotation.
// Each mode is its own instantiation of one template, so every field width and loop
// count is a constant and the per-block work is straight-line code.
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "readdxt/bc_common.h"
#include "readdxt/bc_partitions.h"
#include "readdxt/block_decoders.h"

namespace readdxt {
namespace {

struct Bc7Mode {
  unsigned subsets;
  unsigned partitionBits;
  unsigned rotationBits;
  unsigned selectorBits;
  unsigned colourBits;
  unsigned alphaBits;
  unsigned endpointPBits;  // one p-bit per endpoint
  unsigned sharedPBits;    // one p-bit per subset
  unsigned indexBits;
  unsigned index2Bits;
};

constexpr Bc7Mode kModes[8] = {
    {3, 4, 0, 0, 4, 0, 1, 0, 3, 0},  // 0
    {2, 6, 0, 0, 6, 0, 0, 1, 3, 0},  // 1
    {3, 6, 0, 0, 5, 0, 0, 0, 2, 0},  // 2
    {2, 6, 0, 0, 7, 0, 1, 0, 2, 0},  // 3
    {1, 0, 2, 1, 5, 6, 0, 0, 2, 3},  // 4
    {1, 0, 2, 0, 7, 8, 0, 0, 2, 2},  // 5
    {1, 0, 0, 0, 7, 7, 1, 0, 4, 0},  // 6
    {2, 6, 0, 0, 5, 5, 1, 0, 2, 0},  // 7
};

constexpr uint8_t kWeights2[4] = {0, 21, 43, 64};
constexpr uint8_t kWeights3[8] = {0, 9, 18, 27, 37, 46, 55, 64};
constexpr uint8_t kWeights4[16] = {0, 4, 9, 13, 17, 21, 26, 30, 34, 38, 43, 47, 51, 55, 60, 64};

constexpr const uint8_t* WeightsFor(unsigned indexBits) {
  return indexBits == 2 ? kWeights2 : indexBits == 3 ? kWeights3 : kWeights4;
}

inline uint32_t Lerp(uint32_t e0, uint32_t e1, uint32_t w) { return ((64 - w) * e0 + w * e1 + 32) >> 6; }

// An endpoint of 5..8 bits (p-bit included) widened to 8 by repeating its top bits.
inline uint32_t Widen(uint32_t v, unsigned bits) { return (v << (8 - bits)) | (v >> (2 * bits - 8)); }

// The two-subset shapes with 2 bits per texel, like kPartition3, so one lookup serves both.
struct SpreadTable {
  uint32_t v[64];
};
constexpr SpreadTable SpreadPartition2() {
  SpreadTable t{};
  for (int p = 0; p < 64; ++p) {
    for (int i = 0; i < 16; ++i) t.v[p] |= static_cast<uint32_t>((bc::kPartition2[p] >> i) & 1) << (2 * i);
  }
  return t;
}
constexpr SpreadTable kPartition2Spread = SpreadPartition2();

constexpr unsigned kShift[4] = {16, 8, 0, 24};  // R, G, B, A within a B,G,R,A word

// The 2^ib colours between endpoints a and b (R, G, B, A), as B,G,R,A words.
template <unsigned ib>
inline void BuildPalette(const uint32_t* a, const uint32_t* b, uint32_t* pal) {
  constexpr const uint8_t* w = WeightsFor(ib);
#if defined(__SSE2__)
  // Two colours at a time in 16-bit lanes (at most 64 * 255 + 32), the same sums as Lerp.
  const __m128i e0 = _mm_setr_epi16(
      static_cast<short>(a[2]), static_cast<short>(a[1]), static_cast<short>(a[0]), static_cast<short>(a[3]),
      static_cast<short>(a[2]), static_cast<short>(a[1]), static_cast<short>(a[0]), static_cast<short>(a[3]));
  const __m128i e1 = _mm_setr_epi16(
      static_cast<short>(b[2]), static_cast<short>(b[1]), static_cast<short>(b[0]), static_cast<short>(b[3]),
      static_cast<short>(b[2]), static_cast<short>(b[1]), static_cast<short>(b[0]), static_cast<short>(b[3]));
  const __m128i diff = _mm_sub_epi16(e1, e0);  // (64 - w) e0 + w e1 = 64 e0 + w (e1 - e0)
  const __m128i base = _mm_add_epi16(_mm_slli_epi16(e0, 6), _mm_set1_epi16(32));
  for (unsigned i = 0; i < (1u << ib); i += 2) {
    const __m128i weight = _mm_unpacklo_epi64(_mm_set1_epi16(w[i]), _mm_set1_epi16(w[i + 1]));
    const __m128i v = _mm_srai_epi16(_mm_add_epi16(base, _mm_mullo_epi16(weight, diff)), 6);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(pal + i), _mm_packus_epi16(v, v));
  }
#else
  for (unsigned i = 0; i < (1u << ib); ++i) {
    pal[i] = bc::Bgra(Lerp(a[0], b[0], w[i]), Lerp(a[1], b[1], w[i]), Lerp(a[2], b[2], w[i]),
                      Lerp(a[3], b[3], w[i]));
  }
#endif
}

template <unsigned kMode>
void DecodeMode(const uint8_t* block, uint8_t* dst, size_t pitch) {
  constexpr Bc7Mode m = kModes[kMode];
  constexpr unsigned ns = m.subsets;
  constexpr bool hasP = m.endpointPBits || m.sharedPBits;
  constexpr unsigned colourBits = m.colourBits + hasP;
  constexpr unsigned alphaBits = m.alphaBits ? m.alphaBits + hasP : 0;

  bc::BlockBits bits(block);
  bits.Take(kMode + 1);
  const unsigned partition = m.partitionBits ? bits.Take(m.partitionBits) : 0;
  const unsigned rotation = m.rotationBits ? bits.Take(m.rotationBits) : 0;
  const unsigned selector = m.selectorBits ? bits.Take(m.selectorBits) : 0;

  // Endpoints in stream order: all reds (subset by subset, endpoint 0 then 1), then
  // greens, blues and alphas; then the p-bits.
  uint32_t ep[ns][2][4];
  for (unsigned c = 0; c < 3; ++c) {
    for (unsigned s = 0; s < ns; ++s) {
      ep[s][0][c] = bits.Take(m.colourBits);
      ep[s][1][c] = bits.Take(m.colourBits);
    }
  }
  for (unsigned s = 0; s < ns; ++s) {
    ep[s][0][3] = m.alphaBits ? bits.Take(m.alphaBits) : 0;
    ep[s][1][3] = m.alphaBits ? bits.Take(m.alphaBits) : 0;
  }
  if (hasP) {
    for (unsigned s = 0; s < ns; ++s) {
      const uint32_t p0 = bits.Take(1);
      const uint32_t p1 = m.sharedPBits ? p0 : bits.Take(1);
      for (unsigned c = 0; c < 4; ++c) {
        ep[s][0][c] = (ep[s][0][c] << 1) | p0;
        ep[s][1][c] = (ep[s][1][c] << 1) | p1;
      }
    }
  }
  for (unsigned s = 0; s < ns; ++s) {
    for (unsigned e = 0; e < 2; ++e) {
      for (unsigned c = 0; c < 3; ++c) ep[s][e][c] = Widen(ep[s][e][c], colourBits);
      ep[s][e][3] = alphaBits ? Widen(ep[s][e][3], alphaBits) : 255;
    }
  }

  if (m.index2Bits) {
    // Modes 4 and 5: colour and alpha interpolate with their own index sets; the
    // rotation then swaps alpha with one colour channel. Both palettes are built with
    // the rotation applied, so a texel is one OR.
    constexpr unsigned ib = m.indexBits, ib2 = m.index2Bits;
    const uint64_t primary = bc::InsertZeroBit(bits.Take(16 * ib - 1), ib - 1);
    const uint64_t secondary = bc::InsertZeroBit(bits.Rest(), ib2 - 1);
    const uint64_t colourIdx = selector ? secondary : primary;
    const uint64_t alphaIdx = selector ? primary : secondary;
    const unsigned cib = selector ? ib2 : ib;
    const unsigned aib = selector ? ib : ib2;

    unsigned place[4] = {0, 1, 2, 3};  // output channel of each interpolated channel
    if (rotation) {
      place[rotation - 1] = 3;
      place[3] = rotation - 1;
    }
    uint32_t colourPal[8] = {}, alphaPal[8] = {};
    const uint8_t* cw = WeightsFor(cib);
    for (unsigned i = 0; i < (1u << cib); ++i) {
      for (unsigned c = 0; c < 3; ++c)
        colourPal[i] |= Lerp(ep[0][0][c], ep[0][1][c], cw[i]) << kShift[place[c]];
    }
    const uint8_t* aw = WeightsFor(aib);
    for (unsigned i = 0; i < (1u << aib); ++i)
      alphaPal[i] = Lerp(ep[0][0][3], ep[0][1][3], aw[i]) << kShift[place[3]];
    const unsigned cmask = (1u << cib) - 1, amask = (1u << aib) - 1;
    for (unsigned y = 0; y < 4; ++y, dst += pitch) {
      for (unsigned x = 0; x < 4; ++x) {
        const unsigned i = 4 * y + x;
        bc::Store32(dst + 4 * x,
                    colourPal[(colourIdx >> (cib * i)) & cmask] | alphaPal[(alphaIdx >> (aib * i)) & amask]);
      }
    }
    return;
  }

  constexpr unsigned ib = m.indexBits;
  uint32_t pal[ns][1u << ib];
  for (unsigned s = 0; s < ns; ++s) BuildPalette<ib>(ep[s][0], ep[s][1], pal[s]);
  // The indices fill the rest of the block (at most 63 bits); with the anchors' missing
  // top bits put back, every index is ib bits wide.
  uint64_t idx = bc::InsertZeroBit(bits.Rest(), ib - 1);
  uint32_t subsetOf = 0;  // 2 bits per texel
  if (ns == 2) {
    subsetOf = kPartition2Spread.v[partition];
    idx = bc::InsertZeroBit(idx, ib * bc::kAnchor2[partition] + ib - 1);
  } else if (ns == 3) {
    subsetOf = bc::kPartition3[partition];
    const unsigned a1 = bc::kAnchor3Second[partition], a2 = bc::kAnchor3Third[partition];
    const unsigned lo = a1 < a2 ? a1 : a2, hi = a1 < a2 ? a2 : a1;
    idx = bc::InsertZeroBit(idx, ib * lo + ib - 1);
    idx = bc::InsertZeroBit(idx, ib * hi + ib - 1);
  }
  // Rows 0-1 and rows 2-3 hold 8 indices (at most 32 bits) each: the texel loop shifts
  // 32-bit words, one instruction in a 32-bit build where a 64-bit shift is three.
  constexpr unsigned mask = (1u << ib) - 1;
  for (unsigned half = 0; half < 2; ++half) {
    uint32_t rows = static_cast<uint32_t>(half ? idx >> (8 * ib) : idx);
    for (unsigned y = 0; y < 2; ++y, dst += pitch) {
      for (unsigned x = 0; x < 4; ++x, rows >>= ib, subsetOf >>= 2) {
        bc::Store32(dst + 4 * x, pal[ns == 1 ? 0 : subsetOf & 3][rows & mask]);
      }
    }
  }
}

using ModeDecoder = void (*)(const uint8_t*, uint8_t*, size_t);
constexpr ModeDecoder kDecoders[8] = {DecodeMode<0>, DecodeMode<1>, DecodeMode<2>, DecodeMode<3>,
                                      DecodeMode<4>, DecodeMode<5>, DecodeMode<6>, DecodeMode<7>};

}  // namespace

void DecodeBC7(const uint8_t* block, uint8_t* dst, size_t pitch) {
  const unsigned first = block[0];
  if (first == 0) {
    // Reserved mode: the documented result is a block of zeros (transparent black).
    for (int y = 0; y < 4; ++y) std::memset(dst + y * pitch, 0, 16);
    return;
  }
  kDecoders[__builtin_ctz(first)](block, dst, pitch);
}

}  // namespace readdxt
