#include "preview/byte_stream.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "toolkit/file_stream.h"

namespace preview {
namespace {

const uint8_t kData[] = {1, 2, 3, 4, 5, 6, 7};

// The same checks for every kind of stream over kData.
void CheckReadSeekPosition(ByteStream& s) {
  uint8_t buf[16] = {};
  EXPECT_EQ(s.Read(buf, 3), 3u);
  EXPECT_EQ(buf[2], 3);
  EXPECT_EQ(s.Position(), 3u);
  EXPECT_EQ(s.Read(buf, 16), 4u);  // short read at the end
  EXPECT_EQ(buf[0], 4);
  EXPECT_EQ(s.Position(), 7u);
  EXPECT_EQ(s.Read(buf, 16), 0u);
  s.Seek(5);
  EXPECT_EQ(s.Read(buf, 1), 1u);
  EXPECT_EQ(buf[0], 6);
  s.Seek(100);  // past the end: reads give nothing
  EXPECT_EQ(s.Read(buf, 4), 0u);
  s.Seek(0);
  EXPECT_EQ(s.Read(buf, 1), 1u);
  EXPECT_EQ(buf[0], 1);
}

TEST(ByteStreamTest, MemoryAndFileStreams) {
  MemoryStream memory(kData, sizeof kData);
  CheckReadSeekPosition(memory);
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  const std::string path =
      (std::filesystem::temp_directory_path() / ("texlook_stream_" + std::to_string(stamp))).string();
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(kData), sizeof kData);
  {
    toolkit::FileStream s(path);
    EXPECT_TRUE(s.IsOpen());
    CheckReadSeekPosition(s);
  }
  std::remove(path.c_str());  // the stream has closed the file
  EXPECT_FALSE(std::filesystem::exists(path));
  // A file that cannot be opened delivers no bytes.
  for (const std::string& bad : {path, std::string(), std::filesystem::temp_directory_path().string()}) {
    toolkit::FileStream s(bad);
    uint8_t buf[4];
    EXPECT_EQ(s.Read(buf, 4), 0u);
    s.Seek(2);
    EXPECT_EQ(s.Read(buf, 4), 0u);
  }
}

}  // namespace
}  // namespace preview
