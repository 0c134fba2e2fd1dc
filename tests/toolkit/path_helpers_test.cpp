#include "toolkit/path_helpers.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

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
      {"stone.tga", "*.dds", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MatchesLoweredMask(c.name, c.mask), c.match) << c.name << " ~ " << c.mask;
  }
}

// Plain dynamic-programming matcher as the reference: match[i][j] is whether the first i
// characters of the name match the first j of the mask.
bool ReferenceMatch(const std::string& name, const std::string& mask) {
  std::vector<std::vector<bool>> match(name.size() + 1, std::vector<bool>(mask.size() + 1, false));
  match[0][0] = true;
  for (size_t j = 1; j <= mask.size(); ++j) match[0][j] = match[0][j - 1] && mask[j - 1] == '*';
  for (size_t i = 1; i <= name.size(); ++i) {
    for (size_t j = 1; j <= mask.size(); ++j) {
      const char m = mask[j - 1];
      if (m == '*') {
        match[i][j] = match[i][j - 1] || match[i - 1][j];
      } else {
        match[i][j] = match[i - 1][j - 1] && (m == '?' || m == name[i - 1]);
      }
    }
  }
  return match[name.size()][mask.size()];
}

// Every text over `alphabet` of length 0..maxLength.
std::vector<std::string> AllTexts(const std::string& alphabet, size_t maxLength) {
  std::vector<std::string> texts = {""};
  for (size_t begin = 0, length = 1; length <= maxLength; ++length) {
    const size_t end = texts.size();
    for (size_t k = begin; k < end; ++k) {
      for (char c : alphabet) texts.push_back(texts[k] + c);
    }
    begin = end;
  }
  return texts;
}

TEST(PathHelpers, MaskAgreesWithReferenceOnAllSmallCases) {
  const std::vector<std::string> names = AllTexts("ab", 5);
  const std::vector<std::string> masks = AllTexts("ab*?", 5);
  for (const std::string& mask : masks) {
    for (const std::string& name : names) {
      ASSERT_EQ(MatchesLoweredMask(name, mask), ReferenceMatch(name, mask)) << name << " ~ " << mask;
    }
  }
}

TEST(PathHelpers, MaskWithManyStarsDoesNotBacktrackExponentially) {
  const std::string name(20000, 'a');
  const std::string mask = "*a*a*a*a*a*a*a*a*b";
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(MatchesLoweredMask(name, mask));
  EXPECT_TRUE(MatchesLoweredMask(name + "b", mask));
  // A generous bound: the exponential form would not finish in years.
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
}

}  // namespace
}  // namespace toolkit
