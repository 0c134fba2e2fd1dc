// Whole-file copy through a temporary file: the target is the old file or the complete
// new one, and no temporary file stays behind.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "support/app_harness_win.h"
#include "toolkit/file_copy.h"
#include "toolkit/file_system.h"

using namespace testing_support;
using toolkit::CopyThroughTemporary;

namespace {

std::vector<std::string> FolderNames(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& e : toolkit::ListDirectory(folder, "*.*", toolkit::kAttrNormal)) names.push_back(e.name);
  return names;
}

// Bytes that show a shift or a cut anywhere.
std::string Binary(size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 131 + i / 256) & 0xFF);
  return bytes;
}

TEST(FileCopy, CopiesEveryByteAndReplacesALongerTargetWhole) {
  TempFolder dir;
  const struct {
    const char* name;
    std::string source;
    std::string before;  // target content before the copy; "-" for none
  } cases[] = {
      {"empty", "", "-"},
      {"binary", Binary(70001), "-"},
      {"over-longer", "short", std::string(100000, 'L')},
      {"over-empty", Binary(300), ""},
      {"over-same-size", "BBBB", "AAAA"},
  };
  for (const auto& c : cases) {
    const std::string source = dir.File(std::string(c.name) + ".src");
    const std::string target = dir.File(std::string(c.name) + ".tga");
    WriteFileBytes(source, c.source);
    if (c.before != "-") WriteFileBytes(target, c.before);
    EXPECT_TRUE(CopyThroughTemporary(source, target)) << c.name;
    EXPECT_TRUE(ReadFileBytes(target) == c.source) << c.name;
    EXPECT_TRUE(ReadFileBytes(source) == c.source) << c.name;
  }
  EXPECT_EQ(FolderNames(dir.Path()).size(), 2 * std::size(cases));  // sources and targets only
}

TEST(FileCopy, AFailedCopyLeavesTheTargetAndNoTemporaryFile) {
  TempFolder dir;
  WriteFileBytes(dir.File("source"), "new picture");
  WriteFileBytes(dir.File("target.tga"), "old picture");
  CreateDirectoryA(dir.File("folder.tga").c_str(), nullptr);
  WriteFileBytes(dir.File("readonly.tga"), "old picture");
  SetFileAttributesA(dir.File("readonly.tga").c_str(), FILE_ATTRIBUTE_READONLY);
  const struct {
    const char* what;
    std::string source, target;
  } cases[] = {
      {"missing source", dir.File("missing"), dir.File("target.tga")},
      {"source is a folder", dir.File("folder.tga"), dir.File("target.tga")},
      {"target is a folder", dir.File("source"), dir.File("folder.tga")},
      {"target folder missing", dir.File("source"), dir.File("gone\\target.tga")},
      {"read-only target", dir.File("source"), dir.File("readonly.tga")},
  };
  for (const auto& c : cases) EXPECT_FALSE(CopyThroughTemporary(c.source, c.target)) << c.what;
  EXPECT_EQ(ReadFileBytes(dir.File("target.tga")), "old picture");
  EXPECT_EQ(ReadFileBytes(dir.File("readonly.tga")), "old picture");
  EXPECT_TRUE(toolkit::DirectoryExists(dir.File("folder.tga")));
  std::vector<std::string> names = FolderNames(dir.Path());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"folder.tga", "readonly.tga", "source", "target.tga"}));
  SetFileAttributesA(dir.File("readonly.tga").c_str(), FILE_ATTRIBUTE_NORMAL);
}

// The old target is never opened for writing: the new bytes go to another file, which
// then takes the name. A second name of the old file (a hard link) keeps the old bytes
// whole, where writing in place would have changed them through both names.
TEST(FileCopy, TheOldTargetIsNeverWrittenInPlace) {
  TempFolder dir;
  const std::string oldBytes = Binary(5000);
  WriteFileBytes(dir.File("source"), "new");
  WriteFileBytes(dir.File("twin"), oldBytes);
  ASSERT_TRUE(CreateHardLinkA(dir.File("target.tga").c_str(), dir.File("twin").c_str(), nullptr));
  EXPECT_TRUE(CopyThroughTemporary(dir.File("source"), dir.File("target.tga")));
  EXPECT_TRUE(ReadFileBytes(dir.File("target.tga")) == "new");
  EXPECT_TRUE(ReadFileBytes(dir.File("twin")) == oldBytes);
}

}  // namespace
