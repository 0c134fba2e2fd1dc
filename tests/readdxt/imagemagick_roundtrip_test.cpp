// Round trip against ImageMagick (installed by scripts/setup.sh): it writes DXT1 and DXT5
// files, with mips, from a 61 x 45 picture made here; readdxt's test.tga must match
// ImageMagick's own decode of the same file within 3 per channel.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <cstdlib>

#include "readdxt/process_runner.h"

namespace readdxt_test {
namespace {

const char kMagick[] = "/usr/bin/convert";  // the real one; /usr/local/bin/convert is not
constexpr uint32_t kW = 61, kH = 45;        // not multiples of 4

void RoundTrip(const char* compression, bool withAlpha, int expectedDepth) {
  if (access(kMagick, X_OK) != 0)
    GTEST_SKIP() << "ImageMagick is not installed (scripts/setup.sh installs it)";
  TempDir dir;
  const fs::path pam = dir.path() / "src.pam", dds = dir.path() / "x.dds", ref = dir.path() / "ref.rgba";
  // Gradients and hard edges, RGBA.
  const std::string head = "P7\nWIDTH 61\nHEIGHT 45\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n";
  Bytes picture(head.begin(), head.end());
  for (uint32_t y = 0; y < kH; ++y) {
    for (uint32_t x = 0; x < kW; ++x) {
      picture.insert(picture.end(), {uint8_t(x * 255 / (kW - 1)), uint8_t(y * 255 / (kH - 1)),
                                     uint8_t((x / 8 + y / 8) % 2 ? 200 : 30),
                                     uint8_t(withAlpha ? (x + y) * 255 / (kW + kH - 2) : 255)});
    }
  }
  WriteFile(pam, picture);
  const std::string magick = std::string(kMagick) + " '";
  ASSERT_EQ(std::system((magick + pam.string() + "' -define dds:compression=" + compression +
                         " -define dds:mipmaps=3 '" + dds.string() + "'")
                            .c_str()),
            0);
  ASSERT_EQ(std::system((magick + dds.string() + "' -depth 8 'rgba:" + ref.string() + "'").c_str()), 0);

  const RunResult r = RunReaddxt(dir.path(), {dds.string()});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  Tga tga;
  ASSERT_TRUE(ParseTga(ReadFile(dir.path() / "test.tga"), &tga));
  EXPECT_EQ(tga.width, kW);
  EXPECT_EQ(tga.height, kH);
  EXPECT_EQ(tga.depth, expectedDepth);
  const Bytes rgba = ReadFile(ref);
  ASSERT_EQ(rgba.size(), size_t{kW} * kH * 4);
  int worst = 0;
  for (uint32_t i = 0; i < kW * kH; ++i) {
    const std::vector<int> ours = tga.At(i % kW, i / kW);  // B, G, R, A
    for (int c = 0; c < 4; ++c) worst = std::max(worst, std::abs(ours[c < 3 ? 2 - c : 3] - rgba[4 * i + c]));
  }
  EXPECT_LE(worst, 3);
}

TEST(ReaddxtImageMagick, Dxt1MatchesWithinThree) { RoundTrip("dxt1", false, 24); }
TEST(ReaddxtImageMagick, Dxt5MatchesWithinThree) { RoundTrip("dxt5", true, 32); }

}  // namespace
}  // namespace readdxt_test
#endif  // _WIN32
