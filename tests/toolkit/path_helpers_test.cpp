#include "toolkit/path_helpers.h"

#include <gtest/gtest.h>

#include <string>

namespace toolkit {
namespace {

TEST(PathHelpers, SplitsPaths) {
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
    EXPECT_EQ(ExtractFileName(c.path), c.name);
    EXPECT_EQ(ExtractFilePath(c.path), c.folder);
    EXPECT_EQ(ExtractFileExt(c.path), c.ext);
    EXPECT_EQ(FileNameWithoutExt(c.path), c.base);
  }
}

TEST(PathHelpers, TrailingBackslash) {
  EXPECT_EQ(WithTrailingBackslash(""), "\\");
  EXPECT_EQ(WithTrailingBackslash("C:\\"), "C:\\");
  EXPECT_EQ(WithTrailingBackslash("D:\\out"), "D:\\out\\");
  EXPECT_EQ(WithoutTrailingBackslash("C:\\"), "C:");
  EXPECT_EQ(WithoutTrailingBackslash("D:\\out\\\\"), "D:\\out\\");  // only one is ever removed
  EXPECT_EQ(WithoutTrailingBackslash("\\"), "");
}

TEST(PathHelpers, AsciiUpperCaseAndIntToDecimal) {
  // Windows-1251 small and capital "a" stay as they are.
  EXPECT_EQ(AsciiUpperCase(std::string("az{`@\xE0\xC0\0b", 10)), std::string("AZ{`@\xE0\xC0\0B", 10));
  EXPECT_EQ(IntToDecimal(0), "0");
  EXPECT_EQ(IntToDecimal(-2147483647 - 1), "-2147483648");
  EXPECT_EQ(IntToDecimal(2147483647), "2147483647");
}

TEST(PathHelpers, MatchesLoweredMask) {
  // '*' matches the empty run; "a.dds.dds" needs a backtrack past the first ".dds".
  for (auto [name, mask] : {std::pair{"stone.dds", "*.dds"},
                            {".dds", "*.dds"},
                            {"a.dds.dds", "*.dds"},
                            {"", "*"},
                            {"ab", "a?"},
                            {"abcbd", "a*b?"},
                            {"aab", "*?b"}}) {
    EXPECT_TRUE(MatchesLoweredMask(name, mask)) << name << " ~ " << mask;
  }
  for (auto [name, mask] : {std::pair{"a", ""}, {"", "?"}, {"a", "a?"}, {"abcbde", "a*b?"}, {"ba", "*a?"}}) {
    EXPECT_FALSE(MatchesLoweredMask(name, mask)) << name << " ~ " << mask;
  }
}

TEST(PathHelpers, MaskWithManyStarsDoesNotBacktrackExponentially) {
  // The exponential form would not finish in years; the test's time limit catches it.
  const std::string name(20000, 'a');
  EXPECT_FALSE(MatchesLoweredMask(name, "*a*a*a*a*a*a*a*a*b"));
  EXPECT_TRUE(MatchesLoweredMask(name + "b", "*a*a*a*a*a*a*a*a*b"));
}

}  // namespace
}  // namespace toolkit
