// DXT1 and DXT5 against ImageMagick: 16 x 16 files written by ImageMagick's encoder, and
// ImageMagick's own decode of them (R,G,B,A bytes), both committed under tests/data/readdxt
// (im-fixtures.sh makes them), converted here as a whole, header included. ImageMagick
// widens 5/6-bit endpoints by bit replication as we do, but truncates its 1/3, 2/3 and
// 1/7..6/7 mixes where we round to nearest; so each of our channels equals ImageMagick's
// or is exactly 1 above it. A wrong index order, a swapped channel, a mode mix-up or a
// wrong alpha ramp differs by far more.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "readdxt/dds_builder.h"

namespace readdxt_test {
namespace {

Bytes ReadFixture(const std::string& name) {
  std::ifstream in(std::string(TEXLOOK_SOURCE_DIR) + "/tests/data/readdxt/" + name, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(BCAgainstImageMagick, TexelsEqualOrOneAboveImageMagicksDecode) {
  const struct {
    const char* name;
    int depth;
  } cases[] = {{"im-gradient16-dxt1", 24}, {"im-cutout16-dxt5", 32}, {"im-gradient16-dxt5", 32}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Bytes dds = ReadFixture(std::string(c.name) + ".dds");
    const Bytes expected = ReadFixture(std::string(c.name) + ".rgba");
    ASSERT_EQ(expected.size(), 16u * 16 * 4);
    Tga tga;
    readdxt::Failure failure;
    ASSERT_TRUE(ConvertInMemory(dds, &tga, &failure)) << failure.message;
    ASSERT_EQ(tga.width, 16);
    ASSERT_EQ(tga.height, 16);
    EXPECT_EQ(tga.depth, c.depth);
    for (uint32_t i = 0; i < 16 * 16; ++i) {
      const std::vector<int> ours = tga.At(i % 16, i / 16);  // B, G, R, A
      for (int ch = 0; ch < 4; ++ch) {
        const int diff = ours[ch < 3 ? 2 - ch : 3] - expected[4 * i + ch];
        ASSERT_TRUE(diff == 0 || diff == 1) << "texel " << i % 16 << "," << i / 16 << " channel "
                                            << "RGBA"[ch] << ": ours " << diff + expected[4 * i + ch]
                                            << ", ImageMagick " << int(expected[4 * i + ch]);
      }
    }
  }
  // Binary alpha makes ImageMagick choose a0 <= a1 in every block, where indices 6 and 7 are
  // the fixed 0 and 255: the cutout checks that ramp too.
  const Bytes cutout = ReadFixture("im-cutout16-dxt5.dds");
  ASSERT_EQ(cutout.size(), 128u + 16 * 16);
  for (size_t b = 0; b < 16; ++b) EXPECT_LE(cutout[128 + 16 * b], cutout[128 + 16 * b + 1]) << b;
}

}  // namespace
}  // namespace readdxt_test
