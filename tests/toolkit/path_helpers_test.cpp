#include "toolkit/portable/path_helpers.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

using namespace toolkit;

TEST(PathHelpers, SplitsJoinsAndFormats) {
  using S = std::string;
  // Path: name, folder, extension, base name, with and without one trailing backslash.
  // clang-format off
  const std::tuple<S, S, S, S, S, S, S> cases[] = {
      {"C:\\t\\stone.dds", "stone.dds", "C:\\t\\", ".dds", "stone", "C:\\t\\stone.dds\\", "C:\\t\\stone.dds"},
      {"C:\\a.b\\c", "c", "C:\\a.b\\", ".b\\c", "c", "C:\\a.b\\c\\", "C:\\a.b\\c"},  // the dot of a folder counts
      {"C:x.dds", "x.dds", "C:", ".dds", "x", "C:x.dds\\", "C:x.dds"},
      {"C:\\t\\a.b.dds", "a.b.dds", "C:\\t\\", ".dds", "a.b", "C:\\t\\a.b.dds\\", "C:\\t\\a.b.dds"},
      {"stone.DDS", "stone.DDS", "", ".DDS", "stone", "stone.DDS\\", "stone.DDS"},
      {"C:\\", "", "C:\\", "", "", "C:\\", "C:"},
      {"D:\\o\\\\", "", "D:\\o\\\\", "", "", "D:\\o\\\\", "D:\\o\\"},  // only one is ever removed
      {"C:\\t\\.dds", ".dds", "C:\\t\\", ".dds", "", "C:\\t\\.dds\\", "C:\\t\\.dds"},
      {"\\", "", "\\", "", "", "\\", ""},
      {"", "", "", "", "", "\\", ""}};
  // clang-format on
  for (const auto& [path, name, folder, ext, base, with, without] : cases) {
    EXPECT_EQ(
        std::tuple(ExtractFileName(path), ExtractFilePath(path), ExtractFileExt(path),
                   FileNameWithoutExt(path), WithTrailingBackslash(path), WithoutTrailingBackslash(path)),
        std::tuple(name, folder, ext, base, with, without))
        << path;
  }
  // Windows-1251 small and capital "a" stay as they are.
  EXPECT_EQ(AsciiUpperCase(std::string("az{`@\xE0\xC0\0b", 10)), std::string("AZ{`@\xE0\xC0\0B", 10));
  EXPECT_EQ(IntToDecimal(0), "0");
  EXPECT_EQ(IntToDecimal(-2147483647 - 1), "-2147483648");
  // Working folders: only the program's own spelling of a name gives its process.
  uint32_t pid = 0;
  EXPECT_TRUE(ScratchFolderProcess("texlook-4294967295-99", pid) && pid == 4294967295u);
  for (const char* other : {"texlook-4294967296", "texlook-012", "texlook-0", "texlook-7-0", "texlook-7-100",
                            "texlook-7-", "texlook--7", "texlook-7x", "Texlook-7", "texlook-", "tlk7-1"})
    EXPECT_FALSE(ScratchFolderProcess(other, pid)) << other;
}

TEST(PathHelpers, MatchesLoweredMask) {
  // '*' matches the empty run; "a.dds.dds" needs a backtrack past the first ".dds".
  // clang-format off
  const std::tuple<std::string, const char*, bool> cases[] = {
      {"stone.dds", "*.dds", true}, {".dds", "*.dds", true}, {"a.dds.dds", "*.dds", true}, {"", "*", true},
      {"ab", "a?", true}, {"abcbd", "a*b?", true}, {"aab", "*?b", true}, {"a", "", false}, {"", "?", false},
      {"a", "a?", false}, {"abcbde", "a*b?", false}, {"ba", "*a?", false}};
  // clang-format on
  for (const auto& [name, mask, matches] : cases)
    EXPECT_EQ(MatchesLoweredMask(name, mask), matches) << name << " ~ " << mask;
  // Many stars: the exponential backtracking would not finish in years (the time limit catches it).
  const std::string name(20000, 'a');
  EXPECT_FALSE(MatchesLoweredMask(name, "*a*a*a*a*a*a*a*a*b"));
  EXPECT_TRUE(MatchesLoweredMask(name + "b", "*a*a*a*a*a*a*a*a*b"));
}
