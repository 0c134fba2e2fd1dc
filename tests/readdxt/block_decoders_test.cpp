// BC1-BC7 against hand-made blocks whose texels follow from the documented formulas.
#include "readdxt/block_decoders.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>

#include "readdxt/bc_partitions.h"
#include "readdxt/dds_builder.h"

namespace {

using namespace readdxt_test;

using Texel = std::array<uint8_t, 4>;  // R, G, B, A

// Texel i of a decoded block of B, G, R, A bytes, rows `stride` bytes apart.
Texel At(const uint8_t* bgra, unsigned i, unsigned stride = 16) {
  const uint8_t* p = bgra + i / 4 * stride + i % 4 * 4;
  return {p[2], p[1], p[0], p[3]};
}

// Two RGB565 endpoints, then 2-bit indices for texels 0..15.
Bytes ColourBlock(uint16_t c0, uint16_t c1, const unsigned (&idx)[16]) {
  Bytes b = Words(2, {c0, c1, 0, 0});
  for (unsigned i = 0; i < 16; ++i) b[4 + i / 4] |= static_cast<uint8_t>(idx[i] << (2 * (i % 4)));
  return b;
}

// Two endpoint bytes, then 3-bit indices for texels 0..15 (BC3 alpha, BC4, BC5).
Bytes RampBlock(uint8_t a0, uint8_t a1, const unsigned (&idx)[16]) {
  uint64_t bits = 0;
  for (unsigned i = 0; i < 16; ++i) bits |= uint64_t{idx[i]} << (3 * i);
  return Words(1, {a0, a1}) + Words(6, {bits});
}

constexpr unsigned kRamp[16] = {0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3};
constexpr unsigned kAll8[16] = {0, 1, 2, 3, 4, 5, 6, 7, 0, 0, 0, 0, 0, 0, 7, 7};

TEST(BC1, FourAndThreeColourModesAndTransparency) {
  // clang-format off
  const struct { const char* what; uint16_t c0, c1; Texel t[4]; } cases[] = {  // t: the texels of indices 0..3
      // r=16, g=32, b=1 -> 132, 130, 8 by bit replication; 2/3-1/3 mixes round to nearest:
      // (2*132 + 123 + 1)/3 = 129 ...
      {"4-colour", (16 << 11) | (32 << 5) | 1, (15 << 11) | (31 << 5) | 30, {{132, 130, 8, 255}, {123, 125, 247, 255}, {129, 128, 88, 255}, {126, 127, 167, 255}}},
      {"3-colour: half mix, index 3 transparent black", 0x001F, 0xF800, {{0, 0, 255, 255}, {255, 0, 0, 255}, {128, 0, 128, 255}, {0, 0, 0, 0}}},
      {"equal endpoints are 3-colour", 0x001F, 0x001F, {{0, 0, 255, 255}, {0, 0, 255, 255}, {0, 0, 255, 255}, {0, 0, 0, 0}}},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const Bytes block = ColourBlock(c.c0, c.c1, kRamp);
    uint8_t out[64];
    readdxt::DecodeBC1(block.data(), out, 16);
    for (unsigned i = 0; i < 16; ++i) EXPECT_EQ(At(out, i), c.t[i % 4]) << "texel " << i;
    EXPECT_EQ(readdxt::BC1BlockUsesTransparency(block.data()), c.t[3][3] == 0);
  }
  EXPECT_TRUE(readdxt::BC1BlockUsesTransparency(
      ColourBlock(0x001F, 0xF800, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3}).data()));
  EXPECT_FALSE(readdxt::BC1BlockUsesTransparency(ColourBlock(0x001F, 0xF800, {0, 1, 2, 2, 1}).data()));
}

// BC2: 4-bit alpha, low nibble first, times 17; BC3: alpha ramp as BC4. Both colour blocks
// are 4-colour even when c0 < c1 (no 1/2 mix, no transparent black).
TEST(BC2AndBC3, AlphaAndColourAlwaysFourColour) {
  const Bytes colour = ColourBlock(0x001F, 0xF800, kRamp);
  const Bytes bc2 = Words(1, {0x21, 0x43, 0x65, 0x87, 0xA9, 0xCB, 0xED, 0x0F}) + colour;  // (i + 1) & 15
  const Bytes bc3 = RampBlock(200, 40, kAll8) + colour;
  const uint8_t ramp[8] = {200, 40, 177, 154, 131, 109, 86, 63};
  const Texel rgb[4] = {{0, 0, 255, 0}, {255, 0, 0, 0}, {85, 0, 170, 0}, {170, 0, 85, 0}};
  uint8_t two[64], three[64];
  readdxt::DecodeBC2(bc2.data(), two, 16);
  readdxt::DecodeBC3(bc3.data(), three, 16);
  for (unsigned i = 0; i < 16; ++i) {
    const Texel c = rgb[i % 4];
    EXPECT_EQ(At(two, i), (Texel{c[0], c[1], c[2], uint8_t(((i + 1) & 15) * 17)})) << i;
    EXPECT_EQ(At(three, i), (Texel{c[0], c[1], c[2], ramp[kAll8[i]]})) << i;
  }
}

TEST(BC4AndBC5, RampsAsGreyAndAsRedGreen) {
  const std::tuple<uint8_t, uint8_t, bool, std::array<uint8_t, 8>> cases[] = {
      {255, 0, false, {255, 0, 219, 182, 146, 109, 73, 36}},
      {0, 255, false, {0, 255, 51, 102, 153, 204, 0, 255}},
      {90, 90, false, {90, 90, 90, 90, 90, 90, 0, 255}},  // equal: 6 values
      // signed: -127..127 shown as 0..255 by round((v + 127) * 255 / 254)
      {127, 0x81, true, {255, 0, 219, 182, 146, 109, 73, 36}},   // 127, -127: 8 values
      {0x80, 127, true, {0, 255, 51, 102, 153, 204, 0, 255}},    // -128 reads as -127; 6 values
      {0, 0, true, {128, 128, 128, 128, 128, 128, 0, 255}},      // 0.0 is 127.5, rounded up
      {64, 0xC0, true, {192, 63, 173, 155, 137, 118, 100, 82}},  // 64, -64
  };
  const unsigned reversed[16] = {7, 6, 5, 4, 3, 2, 1, 0};
  for (const auto& [a0, a1, isSigned, expected] : cases) {
    uint8_t grey[64], rg[64];
    const Bytes red = RampBlock(a0, a1, kAll8);
    readdxt::DecodeBC4(red.data(), grey, 16, isSigned);
    readdxt::DecodeBC5((red + RampBlock(a0, a1, reversed)).data(), rg, 16, isSigned);
    for (unsigned i = 0; i < 8; ++i) {
      const uint8_t v = expected[i];
      EXPECT_EQ(At(grey, i), (Texel{v, v, v, 255})) << int(a0) << "," << int(a1) << " index " << i;
      EXPECT_EQ(At(rg, i), (Texel{v, expected[7 - i], 0, 255})) << int(a0) << " index " << i;
    }
  }
}

// A transcription slip in one table shows as an anchor outside its subset.
TEST(BC7Tables, AnchorsLieInTheirOwnSubsetAndTexelZeroInSubsetZero) {
  using namespace readdxt::bc;
  for (unsigned p = 0; p < 64; ++p) {
    EXPECT_EQ(kPartition2[p] & 1, 0) << p;
    EXPECT_EQ((kPartition2[p] >> kAnchor2[p]) & 1, 1) << p;
    EXPECT_EQ(kPartition3[p] & 3, 0u) << p;
    EXPECT_EQ((kPartition3[p] >> (2 * kAnchor3Second[p])) & 3, 1u) << p;
    EXPECT_EQ((kPartition3[p] >> (2 * kAnchor3Third[p])) & 3, 2u) << p;
  }
}

// Hand-laid BC7 blocks (fields from the least significant bit up), decoded into rows 20 bytes
// apart: nothing may land in a row's last 4 bytes.
TEST(BC7, ModesPartitionsAnchorsAndEndpoints) {
  // Mode 5: RGB 7.7.7, alpha 8, 2-bit colour and alpha indices 0, 1 (weight 21), 3 for texels
  // 0..2. Colour (127,32,64) -> (255,64,129) to (0,96,64) -> (0,193,129), alpha 0 to 255;
  // bits 6-7 rotate: alpha swapped with r, g or b.
  // clang-format off
  const auto mode5 = [](uint8_t rotation) { return Bytes{uint8_t(0x20 | rotation << 6), 0x7F, 0x00, 0x08, 0x0C, 0x04, 0x02, 0xFC, 0x6B, 0x01, 0, 0, 0xB4, 0, 0, 0}; };
  // Mode 4: RGB 5.5.5 0-31, alpha 6 bits 0-63; 2-bit indices all 1 (weight 21 -> 84), 3-bit
  // all 5 (weight 46 -> 183); bit 7 selects which of them colour uses, alpha the other.
  const auto mode4 = [](uint8_t selector) { return Bytes{uint8_t(0x10 | selector << 7), 0xE0, 0x83, 0x0F, 0x3E, 0xF0, 0xAF, 0xAA, 0xAA, 0xAA, 0x6A, 0xDB, 0xB6, 0x6D, 0xDB, 0xB6}; };
  const struct { const char* name; Bytes block; std::vector<std::pair<unsigned, Texel>> texels; } cases[] = {
      // Mode 6: RGBA 7.7.7.7 + p-bit per endpoint: e0 = (10,0,127,127) p1 -> (21,1,255,255),
      // e1 = (100,127,0,64) p0 -> (200,254,0,128); 4-bit indices 0, 15, 5 (weight 21), 8 (34).
      {"mode 6", {0x40, 0x05, 0x19, 0xF0, 0xFF, 0x03, 0xFE, 0xC0, 0xF0, 0x85, 0x21, 0x43, 0x76, 0xA9, 0xCB, 0xED}, {{0, {21, 1, 255, 255}}, {1, {200, 254, 0, 128}}, {2, {80, 84, 171, 213}}, {3, {116, 135, 120, 188}}}},
      {"mode 5 rotation 0", mode5(0), {{0, {255, 64, 129, 0}}, {1, {171, 106, 129, 84}}, {2, {0, 193, 129, 255}}}},
      {"mode 5 rotation 1", mode5(1), {{0, {0, 64, 129, 255}}, {1, {84, 106, 129, 171}}, {2, {255, 193, 129, 0}}}},
      {"mode 5 rotation 2", mode5(2), {{0, {255, 0, 129, 64}}, {1, {171, 84, 129, 106}}, {2, {0, 255, 129, 193}}}},
      {"mode 5 rotation 3", mode5(3), {{0, {255, 64, 0, 129}}, {1, {171, 106, 84, 129}}, {2, {0, 193, 255, 129}}}},
      {"mode 4 selector 0", mode4(0), {{5, {84, 84, 84, 183}}}},
      {"mode 4 selector 1", mode4(1), {{5, {183, 183, 183, 84}}}},
      // Mode 1, partition 17: texels 1, 2, 3, 7 form subset 1, anchored at texel 2. Subset 0
      // (0,0,0)-(63,63,63), shared p-bit 0 -> 0 and 253; subset 1 (63,0,0)-(0,0,63), p-bit 1 ->
      // (255,2,2) and (2,2,255). 3-bit weights: texel 2 (the anchor) 27; 3: 46, its first bit
      // right after the anchor; 4: 37; 7: 55; 15: 46, the last index lines up.
      {"mode 1", {0x46, 0xC0, 0xFF, 0x03, 0xC0, 0x0F, 0x00, 0xC0, 0x0F, 0xFC, 0xF2, 0x4B, 0xC0, 0x00, 0x00, 0xA0}, {{0, {0, 0, 0, 255}}, {1, {2, 2, 255, 255}}, {2, {148, 2, 109, 255}}, {3, {73, 2, 184, 255}}, {4, {146, 146, 146, 255}}, {7, {38, 2, 219, 255}}, {15, {182, 182, 182, 255}}}},
      // Mode 2, partition 1 ("0001 0011 2211 2221"): anchors texel 3 (subset 1) and 8 (subset 2).
      // RGB 5.5.5, no p-bits: subset 0 black-white, 1 red-blue, 2 green-(132,132,132); weights 0, 21, 43, 64.
      {"mode 2", {0x0C, 0xC0, 0xFF, 0x00, 0x40, 0xF0, 0x01, 0xF8, 0x10, 0x7C, 0xF0, 0x01, 0x3C, 0x01, 0x0B, 0xC3}, {{0, {84, 84, 84, 255}}, {1, {255, 255, 255, 255}}, {3, {171, 0, 84, 255}}, {7, {84, 0, 171, 255}}, {8, {43, 215, 43, 255}}, {9, {89, 172, 89, 255}}, {12, {132, 132, 132, 255}}, {15, {0, 0, 255, 255}}}},
      {"reserved mode: transparent black", Bytes{0} + Bytes(15, 0xFF), {{0, {0, 0, 0, 0}}, {6, {0, 0, 0, 0}}, {9, {0, 0, 0, 0}}, {15, {0, 0, 0, 0}}}},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Bytes image(4 * 20, 0xAB);
    readdxt::DecodeBC7(c.block.data(), image.data(), 20);
    for (const auto& [i, t] : c.texels) EXPECT_EQ(At(image.data(), i, 20), t) << "texel " << i;
    for (int y = 0; y < 4; ++y)
      EXPECT_EQ(Bytes(&image[y * 20 + 16], &image[y * 20 + 20]), Bytes(4, 0xAB)) << y;
  }
}

// BC6H: a one-region untransformed mode (3) and a two-region transformed mode (0), each
// unsigned and signed, and the reserved modes.
// Mode 3: endpoints of 10 bits stored whole, e0 = (0, 512, 1023), e1 = (1023, 256, 100);
// indices 0, 8, 15, 5 for texels 0..3, the rest 0.
// Unsigned: 0 -> 0, max -> 0xFFFF, else ((x << 16) + 0x8000) >> 10; texel = lerp * 31 >> 6.
// Signed: 512 -> -512 (clamps to -0x7FFF), 1023 -> -1 (kOneRegion).
// Mode 0, partition 0 (columns 2-3 in region 1): 10-bit base (1020, 200, 300), 5-bit deltas
// e1 (+10, -3, 0), which wraps red to 6; e2 (-16, +15, +1); e3 (0, 0, -1); indices 0, 7, 0,
// 7, 3, 0, 4, the rest 0. Signed, the base 1020 is -4 and the sums are sign-extended after
// wrapping (kTwoRegions).
TEST(BC6H, KnownBlocksUnsignedAndSigned) {
  // clang-format off
  const Bytes kOneRegion = {0x03, 0x00, 0x00, 0xFF, 0xFF, 0x1F, 0x20, 0x32, 0x80, 0x5F, 0, 0, 0, 0, 0, 0};
  const Bytes kTwoRegions = {0x90, 0x7F, 0x64, 0x58, 0x52, 0xBE, 0x07, 0x30, 0x60, 0x10, 0x70, 0x7C, 0x20, 0, 0, 0};
  const struct { const Bytes& block; bool isSigned; std::vector<std::pair<unsigned, std::array<uint16_t, 3>>> texels; } cases[] = {  // texel, R, G, B halves
      // One region: 32800*31>>6 = 15887, 65535*31>>6 = 31743; weights 0, 34, 64 (e1), 21.
      {kOneRegion, false, {{0, {0x0000, 0x3E0F, 0x7BFF}}, {1, {0x41DF, 0x2D97, 0x4097}}, {2, {0x7BFF, 0x1F0F, 0x0C2B}}, {3, {0x28B0, 0x33E3, 0x574E}}}},
      {kOneRegion, true, {{0, {0x0000, 0xFBFF, 0x805D}}, {1, {0x8031, 0x991F, 0x0CC2}}, {2, {0x805D, 0x3E1F, 0x1857}}, {3, {0x801E, 0xBEED, 0x07BE}}}},
      // Two regions: texels 0, 1 region 0 e0 (1020 -> 65312), e1 (red wrapped to 6); 2, 3 region 1
      // e2, e3; 4 region 0 index 3; 6 region 1 index 4.
      {kTwoRegions, false, {{0, {0x7B93, 0x1847, 0x2463}}, {1, {0x00C9, 0x17EA, 0x2463}}, {2, {0x79A3, 0x1A18, 0x2482}}, {3, {0x7B93, 0x1847, 0x2444}}, {4, {0x47C6, 0x1820, 0x2463}}, {6, {0x7AC2, 0x190B, 0x245E}}}},
      {kTwoRegions, true, {{0, {0x8117, 0x308F, 0x48C7}}, {1, {0x0193, 0x2FD5, 0x48C7}}, {2, {0x84F7, 0x3431, 0x4905}}, {3, {0x8117, 0x308F, 0x4889}}, {4, {0x0008, 0x3040, 0x48C7}}, {6, {0x82B9, 0x3217, 0x48BD}}}},
      // clang-format on
  };
  for (const auto& c : cases) {
    std::array<uint16_t, 3> h[16];
    readdxt::DecodeBC6H(c.block.data(), &h[0][0], 4 * 3 * sizeof(uint16_t), c.isSigned);
    for (const auto& [i, rgb] : c.texels)
      EXPECT_EQ(h[i], rgb) << (&c.block == &kOneRegion) << c.isSigned << " texel " << i;
  }
  // Reserved modes decode to zero.
  for (unsigned n = 0; n < 8; ++n) {  // modes 19, 23, 27, 31, unsigned and signed
    const Bytes block = Bytes{uint8_t(0xA0 | (19 + n / 2 * 4))} + Bytes(15, 0xA5);
    uint16_t h[48];
    readdxt::DecodeBC6H(block.data(), h, 4 * 3 * sizeof(uint16_t), n % 2);
    EXPECT_EQ(std::vector<uint16_t>(h, h + 48), std::vector<uint16_t>(48, 0)) << n;
  }
}

TEST(HalfToUnorm8, KnownValuesAndRows) {
  // 0, -1, 1, 2, +inf, NaN; 0.5 -> 127.5 rounds up, just below -> 127.44; smallest subnormal,
  // 1/256 -> 0.996; 0.99951 -> 254.875, 1/16 -> 15.94.
  const std::pair<uint16_t, int> cases[] = {{0x0000, 0},   {0xBC00, 0}, {0x3C00, 255}, {0x4000, 255},
                                            {0x7C00, 255}, {0x7E00, 0}, {0x3800, 128}, {0x37FF, 127},
                                            {0x0001, 0},   {0x1C00, 1}, {0x3BFF, 255}, {0x2C00, 16}};
  for (const auto& [half, expected] : cases)
    EXPECT_EQ(readdxt::HalfToUnorm8(half), expected) << std::hex << half;
  // A row of R, G, B halves becomes B, G, R, A bytes, opaque.
  const uint16_t rgb[6] = {0x3C00, 0x3800, 0x0000, 0xBC00, 0x7E00, 0x1C00};
  uint8_t bgra[8];
  readdxt::HalfRgbToBgra8(rgb, bgra, 2);
  EXPECT_EQ(Bytes(bgra, bgra + 8), (Bytes{0, 128, 255, 255, 1, 0, 0, 255}));
}

}  // namespace
