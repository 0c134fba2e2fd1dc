#include "toolkit/path_helpers.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace toolkit {
namespace {

TEST(PathHelpers, SplitsJoinsAndFormats) {
  const struct {
    std::string path, name, folder, ext, base;
  } cases[] = {
      {"C:\\t\\stone.dds", "stone.dds", "C:\\t\\", ".dds", "stone"},
      {"C:\\a.b\\c", "c", "C:\\a.b\\", ".b\\c", "c"},  // the dot of a folder counts
      {"C:x.dds", "x.dds", "C:", ".dds", "x"},
      {"C:\\t\\a.b.dds", "a.b.dds", "C:\\t\\", ".dds", "a.b"},
      {"stone.DDS", "stone.DDS", "", ".DDS", "stone"},
      {"C:\\", "", "C:\\", "", ""},
      {"C:\\t\\.dds", ".dds", "C:\\t\\", ".dds", ""},
      {"", "", "", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(std::tuple(ExtractFileName(c.path), ExtractFilePath(c.path), ExtractFileExt(c.path),
                         FileNameWithoutExt(c.path)),
              std::tuple(c.name, c.folder, c.ext, c.base));
  }
  EXPECT_EQ(WithTrailingBackslash(""), "\\");
  EXPECT_EQ(WithTrailingBackslash("C:\\"), "C:\\");
  EXPECT_EQ(WithTrailingBackslash("D:\\out"), "D:\\out\\");
  EXPECT_EQ(WithoutTrailingBackslash("C:\\"), "C:");
  EXPECT_EQ(WithoutTrailingBackslash("D:\\out\\\\"), "D:\\out\\");  // only one is ever removed
  EXPECT_EQ(WithoutTrailingBackslash("\\"), "");
  // Windows-1251 small and capital "a" stay as they are.
  EXPECT_EQ(AsciiUpperCase(std::string("az{`@\xE0\xC0\0b", 10)), std::string("AZ{`@\xE0\xC0\0B", 10));
  EXPECT_EQ(IntToDecimal(0), "0");
  EXPECT_EQ(IntToDecimal(-2147483647 - 1), "-2147483648");
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

}  // namespace
}  // namespace toolkit
