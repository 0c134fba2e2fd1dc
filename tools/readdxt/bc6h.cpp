// BC6H: 14 modes of HDR RGB endpoints (one or two regions, raw or as deltas from
// the first endpoint), decoded exactly to half floats.
#include <cstring>

#include "readdxt/bc_common.h"
#include "readdxt/bc_partitions.h"
#include "readdxt/block_decoders.h"

namespace readdxt {
namespace {

// Endpoint components in the order r0 g0 b0 r1 g1 b1 r2 g2 b2 r3 g3 b3.
enum Field : uint8_t { R0, G0, B0, R1, G1, B1, R2, G2, B2, R3, G3, B3 };

// `count` block bits, lowest first, go to bits shift..shift+count-1 of `field`.
// Bits the documentation lists in reversed order appear as single-bit runs.
struct Run {
  uint8_t field, shift, count;
};

constexpr Run kLayout0[] = {{G2, 4, 1},  {B2, 4, 1}, {B3, 4, 1}, {R0, 0, 10}, {G0, 0, 10},
                            {B0, 0, 10}, {R1, 0, 5}, {G3, 4, 1}, {G2, 0, 4},  {G1, 0, 5},
                            {B3, 0, 1},  {G3, 0, 4}, {B1, 0, 5}, {B3, 1, 1},  {B2, 0, 4},
                            {R2, 0, 5},  {B3, 2, 1}, {R3, 0, 5}, {B3, 3, 1}};
constexpr Run kLayout1[] = {{G2, 5, 1}, {G3, 4, 1}, {G3, 5, 1}, {R0, 0, 7}, {B3, 0, 1}, {B3, 1, 1},
                            {B2, 4, 1}, {G0, 0, 7}, {B2, 5, 1}, {B3, 2, 1}, {G2, 4, 1}, {B0, 0, 7},
                            {B3, 3, 1}, {B3, 5, 1}, {B3, 4, 1}, {R1, 0, 6}, {G2, 0, 4}, {G1, 0, 6},
                            {G3, 0, 4}, {B1, 0, 6}, {B2, 0, 4}, {R2, 0, 6}, {R3, 0, 6}};
constexpr Run kLayout2[] = {{R0, 0, 10}, {G0, 0, 10}, {B0, 0, 10}, {R1, 0, 5}, {R0, 10, 1}, {G2, 0, 4},
                            {G1, 0, 4},  {G0, 10, 1}, {B3, 0, 1},  {G3, 0, 4}, {B1, 0, 4},  {B0, 10, 1},
                            {B3, 1, 1},  {B2, 0, 4},  {R2, 0, 5},  {B3, 2, 1}, {R3, 0, 5},  {B3, 3, 1}};
constexpr Run kLayout6[] = {{R0, 0, 10}, {G0, 0, 10}, {B0, 0, 10}, {R1, 0, 4},  {R0, 10, 1},
                            {G3, 4, 1},  {G2, 0, 4},  {G1, 0, 5},  {G0, 10, 1}, {G3, 0, 4},
                            {B1, 0, 4},  {B0, 10, 1}, {B3, 1, 1},  {B2, 0, 4},  {R2, 0, 4},
                            {B3, 0, 1},  {B3, 2, 1},  {R3, 0, 4},  {G2, 4, 1},  {B3, 3, 1}};
constexpr Run kLayout10[] = {{R0, 0, 10}, {G0, 0, 10}, {B0, 0, 10}, {R1, 0, 4},  {R0, 10, 1},
                             {B2, 4, 1},  {G2, 0, 4},  {G1, 0, 4},  {G0, 10, 1}, {B3, 0, 1},
                             {G3, 0, 4},  {B1, 0, 5},  {B0, 10, 1}, {B2, 0, 4},  {R2, 0, 4},
                             {B3, 1, 1},  {B3, 2, 1},  {R3, 0, 4},  {B3, 4, 1},  {B3, 3, 1}};
constexpr Run kLayout14[] = {{R0, 0, 9}, {B2, 4, 1}, {G0, 0, 9}, {G2, 4, 1}, {B0, 0, 9},
                             {B3, 4, 1}, {R1, 0, 5}, {G3, 4, 1}, {G2, 0, 4}, {G1, 0, 5},
                             {B3, 0, 1}, {G3, 0, 4}, {B1, 0, 5}, {B3, 1, 1}, {B2, 0, 4},
                             {R2, 0, 5}, {B3, 2, 1}, {R3, 0, 5}, {B3, 3, 1}};
constexpr Run kLayout18[] = {{R0, 0, 8}, {G3, 4, 1}, {B2, 4, 1}, {G0, 0, 8}, {B3, 2, 1},
                             {G2, 4, 1}, {B0, 0, 8}, {B3, 3, 1}, {B3, 4, 1}, {R1, 0, 6},
                             {G2, 0, 4}, {G1, 0, 5}, {B3, 0, 1}, {G3, 0, 4}, {B1, 0, 5},
                             {B3, 1, 1}, {B2, 0, 4}, {R2, 0, 6}, {R3, 0, 6}};
constexpr Run kLayout22[] = {{R0, 0, 8}, {B3, 0, 1}, {B2, 4, 1}, {G0, 0, 8}, {G2, 5, 1}, {G2, 4, 1},
                             {B0, 0, 8}, {G3, 5, 1}, {B3, 4, 1}, {R1, 0, 5}, {G3, 4, 1}, {G2, 0, 4},
                             {G1, 0, 6}, {G3, 0, 4}, {B1, 0, 5}, {B3, 1, 1}, {B2, 0, 4}, {R2, 0, 5},
                             {B3, 2, 1}, {R3, 0, 5}, {B3, 3, 1}};
constexpr Run kLayout26[] = {{R0, 0, 8}, {B3, 1, 1}, {B2, 4, 1}, {G0, 0, 8}, {B2, 5, 1}, {G2, 4, 1},
                             {B0, 0, 8}, {B3, 5, 1}, {B3, 4, 1}, {R1, 0, 5}, {G3, 4, 1}, {G2, 0, 4},
                             {G1, 0, 5}, {B3, 0, 1}, {G3, 0, 4}, {B1, 0, 6}, {B2, 0, 4}, {R2, 0, 5},
                             {B3, 2, 1}, {R3, 0, 5}, {B3, 3, 1}};
constexpr Run kLayout30[] = {{R0, 0, 6}, {G3, 4, 1}, {B3, 0, 1}, {B3, 1, 1}, {B2, 4, 1}, {G0, 0, 6},
                             {G2, 5, 1}, {B2, 5, 1}, {B3, 2, 1}, {G2, 4, 1}, {B0, 0, 6}, {G3, 5, 1},
                             {B3, 3, 1}, {B3, 5, 1}, {B3, 4, 1}, {R1, 0, 6}, {G2, 0, 4}, {G1, 0, 6},
                             {G3, 0, 4}, {B1, 0, 6}, {B2, 0, 4}, {R2, 0, 6}, {R3, 0, 6}};
constexpr Run kLayout3[] = {{R0, 0, 10}, {G0, 0, 10}, {B0, 0, 10}, {R1, 0, 10}, {G1, 0, 10}, {B1, 0, 10}};
constexpr Run kLayout7[] = {{R0, 0, 10}, {G0, 0, 10}, {B0, 0, 10}, {R1, 0, 9}, {R0, 10, 1},
                            {G1, 0, 9},  {G0, 10, 1}, {B1, 0, 9},  {B0, 10, 1}};
constexpr Run kLayout11[] = {{R0, 0, 10}, {G0, 0, 10}, {B0, 0, 10}, {R1, 0, 8}, {R0, 11, 1}, {R0, 10, 1},
                             {G1, 0, 8},  {G0, 11, 1}, {G0, 10, 1}, {B1, 0, 8}, {B0, 11, 1}, {B0, 10, 1}};
constexpr Run kLayout15[] = {{R0, 0, 10}, {G0, 0, 10}, {B0, 0, 10}, {R1, 0, 4},  {R0, 15, 1}, {R0, 14, 1},
                             {R0, 13, 1}, {R0, 12, 1}, {R0, 11, 1}, {R0, 10, 1}, {G1, 0, 4},  {G0, 15, 1},
                             {G0, 14, 1}, {G0, 13, 1}, {G0, 12, 1}, {G0, 11, 1}, {G0, 10, 1}, {B1, 0, 4},
                             {B0, 15, 1}, {B0, 14, 1}, {B0, 13, 1}, {B0, 12, 1}, {B0, 11, 1}, {B0, 10, 1}};

struct Bc6Mode {
  const Run* runs;
  unsigned runCount;
  unsigned modeBits;
  unsigned regions;
  bool transformed;
  unsigned endpointBits;
  unsigned deltaBits[3];
};

template <size_t N>
constexpr Bc6Mode MakeMode(const Run (&runs)[N], unsigned modeBits, unsigned regions, bool transformed,
                           unsigned epb, unsigned dr, unsigned dg, unsigned db) {
  return {runs, static_cast<unsigned>(N), modeBits, regions, transformed, epb, {dr, dg, db}};
}

// Indexed by the mode number: the low 2 bits when they are 0 or 1, else the low 5.
// Numbers 19, 23, 27 and 31 are reserved (no layout).
constexpr Bc6Mode kModes[] = {
    MakeMode(kLayout0, 2, 2, true, 10, 5, 5, 5),     MakeMode(kLayout1, 2, 2, true, 7, 6, 6, 6),
    MakeMode(kLayout2, 5, 2, true, 11, 5, 4, 4),     MakeMode(kLayout6, 5, 2, true, 11, 4, 5, 4),
    MakeMode(kLayout10, 5, 2, true, 11, 4, 4, 5),    MakeMode(kLayout14, 5, 2, true, 9, 5, 5, 5),
    MakeMode(kLayout18, 5, 2, true, 8, 6, 5, 5),     MakeMode(kLayout22, 5, 2, true, 8, 5, 6, 5),
    MakeMode(kLayout26, 5, 2, true, 8, 5, 5, 6),     MakeMode(kLayout30, 5, 2, false, 6, 6, 6, 6),
    MakeMode(kLayout3, 5, 1, false, 10, 10, 10, 10), MakeMode(kLayout7, 5, 1, true, 11, 9, 9, 9),
    MakeMode(kLayout11, 5, 1, true, 12, 8, 8, 8),    MakeMode(kLayout15, 5, 1, true, 16, 4, 4, 4),
};
constexpr int8_t kModeSlot[32] = {0, 1, 2, 10, 0, 1, 3, 11, 0, 1, 4, 12, 0, 1, 5, 13,
                                  0, 1, 6, -1, 0, 1, 7, -1, 0, 1, 8, -1, 0, 1, 9, -1};

// Every layout must end exactly where the partition number (two regions, bit 77)
// or the indices (one region, bit 65) begin.
constexpr bool LayoutsFillHeader() {
  for (const Bc6Mode& m : kModes) {
    unsigned bits = m.modeBits;
    for (unsigned i = 0; i < m.runCount; ++i) bits += m.runs[i].count;
    if (bits != (m.regions == 2 ? 77u : 65u)) return false;
  }
  return true;
}
static_assert(LayoutsFillHeader(), "BC6H layout lengths");

constexpr uint8_t kWeights3[8] = {0, 9, 18, 27, 37, 46, 55, 64};
constexpr uint8_t kWeights4[16] = {0, 4, 9, 13, 17, 21, 26, 30, 34, 38, 43, 47, 51, 55, 60, 64};

inline int32_t SignExtend(uint32_t v, unsigned bits) {
  const int32_t m = int32_t{1} << (bits - 1);
  const uint32_t field = v & ((uint32_t{1} << bits) - 1);
  return static_cast<int32_t>(field ^ static_cast<uint32_t>(m)) - m;
}

// Spreads an endpoint of `bits` bits over the full 16-bit range (unsigned) or
// over -0x7FFF..0x7FFF (signed), so that interpolation works on comparable scales.
inline int32_t Unquantize(int32_t x, unsigned bits, bool isSigned) {
  if (!isSigned) {
    if (bits >= 15) return x;
    const int32_t u = ((x << 15) + 0x4000) >> (bits - 1);
    return x == 0 ? 0 : x == (1 << bits) - 1 ? 0xFFFF : u;
  }
  if (bits >= 16) return x;
  const int32_t mag = x < 0 ? -x : x;
  int32_t u = ((mag << 15) + 0x4000) >> (bits - 1);
  u = mag == 0 ? 0 : mag >= (1 << (bits - 1)) - 1 ? 0x7FFF : u;
  return x < 0 ? -u : u;
}

// The interpolated value scaled to a half float's bit pattern: x 31/64 unsigned,
// magnitude x 31/32 with the sign bit set for negatives when signed.
inline uint16_t FinishUnquantize(int32_t v, bool isSigned) {
  if (!isSigned) return static_cast<uint16_t>((v * 31) >> 6);
  const int32_t mag = v < 0 ? -v : v;
  return static_cast<uint16_t>(((mag * 31) >> 5) | (v < 0 ? 0x8000 : 0));
}

inline void Store16(uint8_t* p, uint16_t v) { std::memcpy(p, &v, 2); }

// One instantiation per mode: the layout runs, widths and loop counts are constants.
template <int kSlot>
void DecodeMode(bc::BlockBits bits, uint8_t* out, size_t pitch, bool isSigned) {
  constexpr Bc6Mode m = kModes[kSlot];
  constexpr unsigned regions = m.regions;
  constexpr unsigned endpoints = 2 * regions;
  constexpr unsigned epb = m.endpointBits;

  bits.Take(m.modeBits);
  uint32_t raw[12] = {};
#pragma GCC unroll 32
  for (unsigned i = 0; i < m.runCount; ++i) {
    const Run& r = m.runs[i];
    raw[r.field] |= bits.Take(r.count) << r.shift;
  }
  const unsigned partition = regions == 2 ? bits.Take(5) : 0;

  int32_t e[endpoints][3];
  for (unsigned c = 0; c < 3; ++c) {
    e[0][c] = isSigned ? SignExtend(raw[c], epb) : static_cast<int32_t>(raw[c]);
    for (unsigned i = 1; i < endpoints; ++i) {
      const uint32_t v = raw[3 * i + c];
      if (m.transformed) {
        // A delta from endpoint 0, wrapped to the endpoint width.
        const uint32_t sum =
            static_cast<uint32_t>(e[0][c] + SignExtend(v, m.deltaBits[c])) & ((1u << epb) - 1);
        e[i][c] = isSigned ? SignExtend(sum, epb) : static_cast<int32_t>(sum);
      } else {
        e[i][c] = isSigned ? SignExtend(v, epb) : static_cast<int32_t>(v);
      }
    }
    for (unsigned i = 0; i < endpoints; ++i) e[i][c] = Unquantize(e[i][c], epb, isSigned);
  }

  // Palette per region and channel: 8 entries (3-bit indices) for two regions, 16 for one.
  constexpr unsigned ib = regions == 2 ? 3 : 4;
  constexpr const uint8_t* w = ib == 3 ? kWeights3 : kWeights4;
  uint16_t pal[regions][3][1u << ib];
  for (unsigned r = 0; r < regions; ++r) {
    for (unsigned c = 0; c < 3; ++c) {
      const int32_t a = e[2 * r][c], b = e[2 * r + 1][c];
      for (unsigned i = 0; i < (1u << ib); ++i) {
        pal[r][c][i] = FinishUnquantize((a * (64 - w[i]) + b * w[i] + 32) >> 6, isSigned);
      }
    }
  }
  // The indices fill the rest of the block; with the anchors' missing top bits put
  // back, every index is ib bits wide.
  uint64_t idx = bc::InsertZeroBit(bits.Rest(), ib - 1);
  uint32_t regionOf = 0;
  if (regions == 2) {
    idx = bc::InsertZeroBit(idx, ib * bc::kAnchor2[partition] + ib - 1);
    regionOf = bc::kPartition2[partition];
  }
  constexpr unsigned mask = (1u << ib) - 1;
  for (unsigned y = 0; y < 4; ++y, out += pitch) {
    for (unsigned x = 0; x < 4; ++x, idx >>= ib, regionOf >>= 1) {
      const uint16_t(&p)[3][1u << ib] = pal[regions == 2 ? regionOf & 1 : 0];
      const unsigned k = idx & mask;
      Store16(out + 6 * x, p[0][k]);
      Store16(out + 6 * x + 2, p[1][k]);
      Store16(out + 6 * x + 4, p[2][k]);
    }
  }
}

using ModeDecoder = void (*)(bc::BlockBits, uint8_t*, size_t, bool);
constexpr ModeDecoder kDecoders[14] = {DecodeMode<0>,  DecodeMode<1>, DecodeMode<2>,  DecodeMode<3>,
                                       DecodeMode<4>,  DecodeMode<5>, DecodeMode<6>,  DecodeMode<7>,
                                       DecodeMode<8>,  DecodeMode<9>, DecodeMode<10>, DecodeMode<11>,
                                       DecodeMode<12>, DecodeMode<13>};

}  // namespace

void DecodeBC6H(const uint8_t* block, uint16_t* dst, size_t pitch, bool isSigned) {
  uint8_t* out = reinterpret_cast<uint8_t*>(dst);
  const bc::BlockBits bits(block);
  const uint32_t low = bits.Peek();
  const int slot = kModeSlot[(low & 3) < 2 ? (low & 3) : (low & 31)];
  if (slot < 0) {
    // Reserved mode: every channel decodes to 0.
    for (int y = 0; y < 4; ++y) std::memset(out + y * pitch, 0, 4 * 3 * sizeof(uint16_t));
    return;
  }
  kDecoders[slot](bits, out, pitch, isSigned);
}

}  // namespace readdxt
