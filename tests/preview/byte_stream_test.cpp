#include "preview/byte_stream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "toolkit/file_stream.h"

namespace preview {
namespace {

std::string TempPath(const std::string& name) {
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  return (std::filesystem::temp_directory_path() / ("texlook_stream_" + std::to_string(stamp) + "_" + name))
      .string();
}

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
  EXPECT_EQ(s.Read(buf, 0), 0u);
  EXPECT_EQ(s.Read(buf, 1), 1u);
  EXPECT_EQ(buf[0], 1);
}

TEST(ByteStreamTest, MemoryAndBufferedStreams) {
  MemoryStream memory(kData, sizeof kData);
  CheckReadSeekPosition(memory);
  for (size_t bufferSize : {size_t{1}, size_t{2}, size_t{3}, size_t{64}}) {
    SCOPED_TRACE(bufferSize);
    MemoryStream inner(kData, sizeof kData);
    BufferedStream s(inner, bufferSize);
    CheckReadSeekPosition(s);
  }
}

// Reading ahead and moving back, as the run-length reader does, gives the same bytes as
// the stream read directly, across buffer refills.
TEST(ByteStreamTest, BufferedStreamReadAheadAndBack) {
  std::vector<uint8_t> data(1000);
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(i * 7 + i / 256);
  MemoryStream inner(data.data(), data.size());
  inner.Seek(5);  // starts where the inner stream stands
  BufferedStream s(inner, 64);
  uint64_t pos = 5;
  std::vector<uint8_t> buf(90);
  for (size_t step = 1; pos < data.size(); step = step % 40 + 7) {
    ASSERT_EQ(s.Position(), pos);
    const size_t want = std::min<size_t>(buf.size(), data.size() - pos);
    ASSERT_EQ(s.Read(buf.data(), buf.size()), want);
    ASSERT_EQ(std::memcmp(buf.data(), data.data() + pos, want), 0);
    pos += step;
    s.Seek(pos);
  }
}

TEST(ByteStreamTest, FileStream) {
  const std::string path = TempPath("seven.bin");
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(kData), sizeof kData);
  {
    toolkit::FileStream s(path);
    EXPECT_TRUE(s.IsOpen());
    CheckReadSeekPosition(s);
  }
  std::remove(path.c_str());  // the stream has closed the file
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(ByteStreamTest, FileThatCannotBeOpenedDeliversNoBytes) {
  for (const std::string& path :
       {TempPath("missing.bin"), std::string(), std::filesystem::temp_directory_path().string()}) {
    toolkit::FileStream s(path);
    uint8_t buf[4];
    EXPECT_EQ(s.Read(buf, 4), 0u);
    s.Seek(2);
    EXPECT_EQ(s.Read(buf, 4), 0u);
  }
}

}  // namespace
}  // namespace preview
