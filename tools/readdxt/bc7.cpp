// BC7: eight modes of one to three subsets, 2- to 4-bit indices, p-bits, and for
// modes 4 and 5 separate colour and alpha indices with a channel rotation.
#include <cstring>

#include "readdxt/bc_common.h"
#include "readdxt/bc_partitions.h"
#include "readdxt/block_decoders.h"

namespace readdxt {
namespace {

struct Bc7Mode {
  uint8_t subsets;
  uint8_t partitionBits;
  uint8_t rotationBits;
  uint8_t selectorBits;
  uint8_t colourBits;
  uint8_t alphaBits;
  uint8_t endpointPBits;  // one p-bit per endpoint
  uint8_t sharedPBits;    // one p-bit per subset
  uint8_t indexBits;
  uint8_t index2Bits;
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

const uint8_t* WeightsFor(unsigned indexBits) {
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

inline uint8_t* TexelAt(uint8_t* dst, size_t pitch, unsigned i) { return dst + (i >> 2) * pitch + (i & 3) * 4; }

// Modes 4 and 5: colour and alpha interpolate with their own index sets; the
// rotation then swaps alpha with one colour channel. Both palettes are built with
// the rotation already applied, so a texel is one OR.
void DecodeSeparateAlpha(const Bc7Mode& m, bc::BlockBits& bits, unsigned rotation, unsigned selector,
                         const uint32_t ep[2][4], uint8_t* dst, size_t pitch) {
  uint8_t primary[16], secondary[16];
  for (unsigned i = 0; i < 16; ++i) primary[i] = static_cast<uint8_t>(bits.Take(m.indexBits - (i == 0)));
  for (unsigned i = 0; i < 16; ++i) secondary[i] = static_cast<uint8_t>(bits.Take(m.index2Bits - (i == 0)));
  const uint8_t* colourIdx = selector ? secondary : primary;
  const uint8_t* alphaIdx = selector ? primary : secondary;
  const unsigned colourBits = selector ? m.index2Bits : m.indexBits;
  const unsigned alphaBits = selector ? m.indexBits : m.index2Bits;

  // Output channel (0 R, 1 G, 2 B, 3 A) of each interpolated channel after rotation.
  unsigned place[4] = {0, 1, 2, 3};
  if (rotation) {
    place[rotation - 1] = 3;
    place[3] = rotation - 1;
  }
  constexpr unsigned kShift[4] = {16, 8, 0, 24};  // R, G, B, A within a B,G,R,A word

  uint32_t colourPal[8] = {}, alphaPal[8] = {};
  const uint8_t* cw = WeightsFor(colourBits);
  for (unsigned i = 0; i < (1u << colourBits); ++i) {
    for (unsigned c = 0; c < 3; ++c) colourPal[i] |= Lerp(ep[0][c], ep[1][c], cw[i]) << kShift[place[c]];
  }
  const uint8_t* aw = WeightsFor(alphaBits);
  for (unsigned i = 0; i < (1u << alphaBits); ++i) {
    alphaPal[i] = Lerp(ep[0][3], ep[1][3], aw[i]) << kShift[place[3]];
  }
  for (unsigned i = 0; i < 16; ++i) bc::Store32(TexelAt(dst, pitch, i), colourPal[colourIdx[i]] | alphaPal[alphaIdx[i]]);
}

}  // namespace

void DecodeBC7(const uint8_t* block, uint8_t* dst, size_t pitch) {
  const unsigned first = block[0];
  if (first == 0) {
    // Reserved mode: the documented result is a block of zeros (transparent black).
    for (int y = 0; y < 4; ++y) std::memset(dst + y * pitch, 0, 16);
    return;
  }
  const unsigned mode = static_cast<unsigned>(__builtin_ctz(first));
  const Bc7Mode& m = kModes[mode];
  bc::BlockBits bits(block);
  bits.Take(mode + 1);
  const unsigned partition = bits.TakeOptional(m.partitionBits);
  const unsigned rotation = bits.TakeOptional(m.rotationBits);
  const unsigned selector = bits.TakeOptional(m.selectorBits);
  const unsigned ns = m.subsets;

  // Endpoints in stream order: all reds (subset by subset, endpoint 0 then 1), then
  // greens, blues and alphas.
  uint32_t ep[3][2][4];
  for (unsigned c = 0; c < 3; ++c) {
    for (unsigned s = 0; s < ns; ++s) {
      ep[s][0][c] = bits.Take(m.colourBits);
      ep[s][1][c] = bits.Take(m.colourBits);
    }
  }
  for (unsigned s = 0; s < ns; ++s) {
    ep[s][0][3] = bits.TakeOptional(m.alphaBits);
    ep[s][1][3] = bits.TakeOptional(m.alphaBits);
  }
  unsigned colourBits = m.colourBits, alphaBits = m.alphaBits;
  if (m.endpointPBits || m.sharedPBits) {
    for (unsigned s = 0; s < ns; ++s) {
      const uint32_t p0 = bits.Take(1);
      const uint32_t p1 = m.sharedPBits ? p0 : bits.Take(1);
      for (unsigned c = 0; c < 4; ++c) {
        ep[s][0][c] = (ep[s][0][c] << 1) | p0;
        ep[s][1][c] = (ep[s][1][c] << 1) | p1;
      }
    }
    ++colourBits;
    if (alphaBits) ++alphaBits;
  }
  for (unsigned s = 0; s < ns; ++s) {
    for (unsigned e = 0; e < 2; ++e) {
      for (unsigned c = 0; c < 3; ++c) ep[s][e][c] = Widen(ep[s][e][c], colourBits);
      ep[s][e][3] = alphaBits ? Widen(ep[s][e][3], alphaBits) : 255;
    }
  }

  if (m.index2Bits) {
    DecodeSeparateAlpha(m, bits, rotation, selector, ep[0], dst, pitch);
    return;
  }

  const unsigned ib = m.indexBits;
  const uint8_t* w = WeightsFor(ib);
  uint32_t pal[3][16];
  for (unsigned s = 0; s < ns; ++s) {
    const uint32_t* a = ep[s][0];
    const uint32_t* b = ep[s][1];
    for (unsigned i = 0; i < (1u << ib); ++i) {
      pal[s][i] = bc::Bgra(Lerp(a[0], b[0], w[i]), Lerp(a[1], b[1], w[i]), Lerp(a[2], b[2], w[i]),
                           Lerp(a[3], b[3], w[i]));
    }
  }
  uint32_t subsetOf = 0;  // 2 bits per texel
  unsigned anchor1 = 0, anchor2 = 0;
  if (ns == 2) {
    subsetOf = kPartition2Spread.v[partition];
    anchor1 = bc::kAnchor2[partition];
  } else if (ns == 3) {
    subsetOf = bc::kPartition3[partition];
    anchor1 = bc::kAnchor3Second[partition];
    anchor2 = bc::kAnchor3Third[partition];
  }
  for (unsigned i = 0; i < 16; ++i, subsetOf >>= 2) {
    const bool anchor = i == 0 || i == anchor1 || i == anchor2;
    const uint32_t idx = bits.Take(ib - anchor);
    bc::Store32(TexelAt(dst, pitch, i), pal[subsetOf & 3][idx]);
  }
}

}  // namespace readdxt
