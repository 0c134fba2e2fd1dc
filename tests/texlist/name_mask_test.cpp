// The scan's suffix test against the general wildcard matcher on lower-cased names.
#include "texlist/name_mask.h"

#include <gtest/gtest.h>

#include <cstring>

#include "toolkit/path_helpers.h"

namespace {

TEST(SuffixMask, WhichPatternsAreSimple) {
  const struct {
    const char* pattern;
    bool simple;
  } cases[] = {{"*.dds", true}, {"*.DDS", true},  {"*", true},          {"*.*", true},
               {"", true},      {"*x", true},     {"a*.dds", false},    {"*.d?s", false},
               {"*.*s", false}, {"*.ini", false}, {"*.dds\xD4", false}, {"dds", false}};
  for (const auto& c : cases) EXPECT_EQ(texlist::SuffixMask(c.pattern).Simple(), c.simple) << c.pattern;
}

TEST(SuffixMask, AgreesWithTheWildcardMatcherOnLowerCasedNames) {
  // Names lower-cased the way CP1251 does it for these bytes: ASCII letters, and the
  // Cyrillic capitals 0xC0..0xDF to 0xE0..0xFF.
  auto lower = [](std::string s) {
    for (char& c : s) {
      const unsigned char u = static_cast<unsigned char>(c);
      if (u >= 'A' && u <= 'Z') c = static_cast<char>(u + 32);
      if (u >= 0xC0 && u <= 0xDF) c = static_cast<char>(u + 32);
    }
    return s;
  };
  const char* names[] = {"a.dds", "B.DDS",        "c.Dds",    ".dds", "dds", "a.ddsx", "a.dds.bak",
                         "x.txt", "\xC0\xC1.dDs", "maps.dds", "",     "s",   "ds",     "a.dd"};
  for (const char* pattern : {"*.dds", "*.DdS", "*", "*s"}) {
    const texlist::SuffixMask mask(pattern);
    ASSERT_TRUE(mask.Simple());
    for (const char* name : names) {
      EXPECT_EQ(mask.Matches(name, std::strlen(name)),
                toolkit::MatchesLoweredMask(lower(name), lower(pattern)))
          << pattern << " " << name;
    }
  }
  // "*.*" matches every name, with or without a dot.
  EXPECT_TRUE(texlist::SuffixMask("*.*").Matches("noext", 5));
}

}  // namespace
