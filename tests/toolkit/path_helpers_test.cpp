#include "toolkit/path_helpers.h"

#include <gtest/gtest.h>

#include <string>

namespace toolkit {
namespace {

struct SplitCase {
  std::string path, name, folder, ext, base;
};

TEST(PathHelpers, SplitsPaths) {
  const SplitCase cases[] = {
      {"C:\\t\\stone.dds", "stone.dds", "C:\\t\\", ".dds", "stone"},
      {"C:\\a.b\\c", "c", "C:\\a.b\\", ".b\\c", "c"},  // the dot of a folder counts
      {"C:\\a\\b", "b", "C:\\a\\", "", "b"},
      {"C:x.dds", "x.dds", "C:", ".dds", "x"},
      {"C:\\t\\a.b.dds", "a.b.dds", "C:\\t\\", ".dds", "a.b"},
      {"C:\\t\\noext", "noext", "C:\\t\\", "", "noext"},
      {"stone.DDS", "stone.DDS", "", ".DDS", "stone"},
      {"C:\\", "", "C:\\", "", ""},
      {"C:\\t\\.dds", ".dds", "C:\\t\\", ".dds", ""},
      {"C:\\t\\dot.", "dot.", "C:\\t\\", ".", "dot"},
      {"", "", "", "", ""},
  };
  for (const SplitCase& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(ExtractFileName(c.path), c.name);
    EXPECT_EQ(ExtractFilePath(c.path), c.folder);
    EXPECT_EQ(ExtractFileExt(c.path), c.ext);
    EXPECT_EQ(FileNameWithoutExt(c.path), c.base);
  }
}

TEST(PathHelpers, TrailingBackslash) {
  const struct {
    std::string text, with, without;
  } cases[] = {
      {"", "\\", ""},
      {"C:\\", "C:\\", "C:"},
      {"D:\\out", "D:\\out\\", "D:\\out"},
      {"D:\\out\\\\", "D:\\out\\\\", "D:\\out\\"},  // only one is ever removed
      {"\\", "\\", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(WithTrailingBackslash(c.text), c.with);
    EXPECT_EQ(WithoutTrailingBackslash(c.text), c.without);
  }
}

TEST(PathHelpers, AsciiUpperCaseLeavesOtherBytes) {
  EXPECT_EQ(AsciiUpperCase(".dDs"), ".DDS");
  EXPECT_EQ(AsciiUpperCase("az{`@AZ09"), "AZ{`@AZ09");
  // Windows-1251 small and capital "a" stay as they are.
  EXPECT_EQ(AsciiUpperCase("\xE0\xC0\xFF"), "\xE0\xC0\xFF");
  EXPECT_EQ(AsciiUpperCase(std::string("a\0b", 3)), std::string("A\0B", 3));
}

TEST(PathHelpers, IntToDecimal) {
  const struct {
    int32_t n;
    const char* text;
  } cases[] = {
      {0, "0"},
      {7, "7"},
      {-1, "-1"},
      {10, "10"},
      {-2147483647 - 1, "-2147483648"},
      {2147483647, "2147483647"},
      {1000000, "1000000"},
  };
  for (const auto& c : cases) EXPECT_EQ(IntToDecimal(c.n), c.text);
}

TEST(PathHelpers, MatchesLoweredMask) {
  const struct {
    const char* name;
    const char* mask;
    bool match;
  } cases[] = {
      {"stone.dds", "*.dds", true},
      {"stone.dds", "*", true},
      {"", "*", true},
      {"", "", true},
      {"a", "", false},
      {"", "?", false},
      {"ab", "a?", true},
      {"a", "a?", false},
      {"abc", "a?", false},
      {".dds", "*.dds", true},  // '*' matches the empty run
      {"stone.dds.bak", "*.dds", false},
      {"a.dds.dds", "*.dds", true},  // needs a backtrack past the first ".dds"
      {"abcbd", "a*b?", true},
      {"abcbde", "a*b?", false},
      {"x", "**x**", true},
      {"aXbYc", "a*b*c", true},
      {"abab", "*ab", true},
      {"aab", "*?b", true},
      {"b", "*?b", false},
      {"ba", "*a?", false},
      {"stone.tga", "*.dds", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MatchesLoweredMask(c.name, c.mask), c.match) << c.name << " ~ " << c.mask;
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
