// Round trip against ImageMagick (installed by scripts/setup.sh): it writes DXT1 and DXT5
// files from a picture made here; readdxt's test.tga must match ImageMagick's own decode of
// the same file within 3 per channel.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "readdxt/process_runner.h"

namespace readdxt_test {
namespace {

const char kMagick[] = "/usr/bin/convert";  // the real one; /usr/local/bin/convert is not

// A 61 x 45 PAM with alpha: sizes not multiples of 4, gradients and hard edges.
Bytes MakePam(bool withAlpha) {
  const int w = 61, h = 45;
  std::string head = "P7\nWIDTH 61\nHEIGHT 45\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n";
  Bytes out(head.begin(), head.end());
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      out.push_back(static_cast<uint8_t>(x * 255 / (w - 1)));
      out.push_back(static_cast<uint8_t>(y * 255 / (h - 1)));
      out.push_back(static_cast<uint8_t>((x / 8 + y / 8) % 2 ? 200 : 30));
      out.push_back(static_cast<uint8_t>(withAlpha ? (x + y) * 255 / (w + h - 2) : 255));
    }
  }
  return out;
}

int Shell(const std::string& command) { return std::system(command.c_str()); }

void RoundTrip(const char* compression, bool withAlpha, int expectedDepth) {
  if (access(kMagick, X_OK) != 0)
    GTEST_SKIP() << "ImageMagick is not installed (scripts/setup.sh installs it)";
  TempDir dir;
  const fs::path pam = dir.path() / "src.pam", dds = dir.path() / "x.dds", ref = dir.path() / "ref.rgba";
  WriteFile(pam, MakePam(withAlpha));
  ASSERT_EQ(Shell(std::string(kMagick) + " '" + pam.string() + "' -define dds:compression=" + compression +
                  " -define dds:mipmaps=3 '" + dds.string() + "'"),
            0);
  ASSERT_EQ(Shell(std::string(kMagick) + " '" + dds.string() + "' -depth 8 'rgba:" + ref.string() + "'"), 0);

  const RunResult r = RunReaddxt(dir.path(), {dds.string()});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  Tga tga;
  ASSERT_TRUE(ParseTga(ReadFile(dir.path() / "test.tga"), &tga));
  EXPECT_EQ(tga.width, 61);
  EXPECT_EQ(tga.height, 45);
  EXPECT_EQ(tga.depth, expectedDepth);
  const Bytes rgba = ReadFile(ref);
  ASSERT_EQ(rgba.size(), size_t{61} * 45 * 4);
  int worst = 0;
  for (uint32_t y = 0; y < 45; ++y) {
    for (uint32_t x = 0; x < 61; ++x) {
      const std::vector<int> ours = tga.At(x, y);  // B, G, R, A
      const uint8_t* theirs = rgba.data() + (size_t{y} * 61 + x) * 4;
      const int diff[4] = {ours[2] - theirs[0], ours[1] - theirs[1], ours[0] - theirs[2],
                           ours[3] - theirs[3]};
      for (int d : diff) worst = std::max(worst, std::abs(d));
    }
  }
  EXPECT_LE(worst, 3);
}

TEST(ReaddxtImageMagick, Dxt1MatchesWithinThree) { RoundTrip("dxt1", false, 24); }
TEST(ReaddxtImageMagick, Dxt5MatchesWithinThree) { RoundTrip("dxt5", true, 32); }

}  // namespace
}  // namespace readdxt_test
#endif  // _WIN32
