// BC1 and BC3 against ImageMagick: tiny DXT1/DXT5 files written by ImageMagick's
// encoder, and ImageMagick's own decode of them (R,G,B,A bytes), both committed under
// tests/data/readdxt (im-fixtures.sh makes them). ImageMagick widens 5/6-bit
// endpoints by bit replication as we do, but truncates its 1/3, 2/3 and 1/7..6/7
// mixes where we round to nearest; so each of our channels equals ImageMagick's or
// is exactly 1 above it. A wrong index order, a swapped channel, a mode mix-up or a
// wrong alpha ramp differs by far more.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "readdxt/block_decoders.h"

namespace {

std::vector<uint8_t> ReadFile(const std::string& name) {
  std::ifstream in(std::string(TEXLOOK_SOURCE_DIR) + "/tests/data/readdxt/" + name, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

constexpr int kSize = 16;        // fixtures are 16 x 16, one level
constexpr size_t kHeader = 128;  // "DDS " and the 124-byte header, no DX10 extension

struct Fixture {
  const char* name;
  const char* fourCC;
  size_t blockBytes;
  void (*decode)(const uint8_t*, uint8_t*, size_t);
};

const Fixture kFixtures[] = {
    {"im-gradient16-dxt1", "DXT1", 8, readdxt::DecodeBC1},
    {"im-cutout16-dxt5", "DXT5", 16, readdxt::DecodeBC3},
    {"im-gradient16-dxt5", "DXT5", 16, readdxt::DecodeBC3},
};

TEST(BCAgainstImageMagick, TexelsEqualOrOneAboveImageMagicksDecode) {
  for (const Fixture& f : kFixtures) {
    const std::vector<uint8_t> dds = ReadFile(std::string(f.name) + ".dds");
    const std::vector<uint8_t> expected = ReadFile(std::string(f.name) + ".rgba");
    const size_t blocks = (kSize / 4) * (kSize / 4);
    ASSERT_EQ(dds.size(), kHeader + blocks * f.blockBytes) << f.name;
    ASSERT_EQ(expected.size(), size_t{kSize * kSize * 4}) << f.name;
    ASSERT_EQ(std::string(dds.begin(), dds.begin() + 4), "DDS ");
    ASSERT_EQ(std::string(dds.begin() + 84, dds.begin() + 88), f.fourCC);

    std::vector<uint8_t> bgra(kSize * kSize * 4);
    for (size_t b = 0; b < blocks; ++b) {
      const size_t bx = b % (kSize / 4), by = b / (kSize / 4);
      f.decode(dds.data() + kHeader + b * f.blockBytes, bgra.data() + (by * 4 * kSize + bx * 4) * 4,
               kSize * 4);
    }
    int roundedUp = 0;
    for (int i = 0; i < kSize * kSize; ++i) {
      const uint8_t ours[4] = {bgra[4 * i + 2], bgra[4 * i + 1], bgra[4 * i], bgra[4 * i + 3]};
      for (int c = 0; c < 4; ++c) {
        const int diff = int(ours[c]) - int(expected[4 * i + c]);
        roundedUp += diff == 1;
        ASSERT_TRUE(diff == 0 || diff == 1)
            << f.name << " texel " << i % kSize << "," << i / kSize << " channel "
            << "RGBA"[c] << ": ours " << int(ours[c]) << ", ImageMagick " << int(expected[4 * i + c]);
      }
    }
    RecordProperty(f.name, roundedUp);
  }
}

TEST(BCAgainstImageMagick, CutoutExercisesTheSixValueAlphaRamp) {
  // Binary alpha makes ImageMagick choose a0 <= a1 in every block, where indices 6 and
  // 7 are the fixed 0 and 255; the comparison above then checks that path too.
  const std::vector<uint8_t> dds = ReadFile("im-cutout16-dxt5.dds");
  ASSERT_EQ(dds.size(), kHeader + 16 * 16);
  for (size_t b = 0; b < 16; ++b) EXPECT_LE(dds[kHeader + 16 * b], dds[kHeader + 16 * b + 1]) << b;
}

}  // namespace
