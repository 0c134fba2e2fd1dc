// The scan's suffix test against the general wildcard matcher on lower-cased names.
#include "texlist/name_mask.h"

#include <gtest/gtest.h>

#include <cstring>

#include "toolkit/portable/path_helpers.h"

namespace {

TEST(SuffixMask, SimplePatternsAgreeWithTheWildcardMatcherOnLowerCasedNames) {
  // Names lower-cased the way CP1251 does it for these bytes: ASCII letters, and the
  // Cyrillic capitals 0xC0..0xDF to 0xE0..0xFF.
  auto lower = [](std::string s) {
    for (char& c : s)
      if ((c >= 'A' && c <= 'Z') || (uint8_t(c) >= 0xC0 && uint8_t(c) <= 0xDF)) c = char(c + 32);
    return s;
  };
  const char* names[] = {"a.dds", "B.DDS",        "c.Dds",    ".dds", "dds", "a.ddsx", "a.dds.bak",
                         "x.txt", "\xC0\xC1.dDs", "maps.dds", "",     "s",   "ds",     "a.dd"};
  for (const char* pattern : {"*.dds", "*.DdS", "*", "*s"}) {
    const texlist::SuffixMask mask(pattern);
    ASSERT_TRUE(mask.Simple());
    for (const char* name : names)
      EXPECT_EQ(mask.Matches(name, std::strlen(name)),
                toolkit::MatchesLoweredMask(lower(name), lower(pattern)))
          << pattern << " " << name;
  }
  // "*.*" and "" match every name, with or without a dot; other patterns need the platform.
  for (const char* pattern : {"*.*", ""})
    EXPECT_TRUE(texlist::SuffixMask(pattern).Simple() && texlist::SuffixMask(pattern).Matches("noext", 5));
  for (const char* pattern : {"a*.dds", "*.d?s", "*.*s", "*.ini", "*.dds\xD4", "dds"})
    EXPECT_FALSE(texlist::SuffixMask(pattern).Simple()) << pattern;
}

}  // namespace
