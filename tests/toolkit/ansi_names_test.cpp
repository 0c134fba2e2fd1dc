// Which ANSI text stands for a file: its own name, else its short name, else none.
#include "toolkit/portable/ansi_names.h"

#include <gtest/gtest.h>

TEST(HeldAnsiName, OwnNameElseShortNameElseLeftOut) {
  const toolkit::ExactAnsi withoutTwo = [](const std::wstring& wide, std::string& ansi) {
    ansi.assign(wide.begin(), wide.end());
    return wide.find_first_of(L"\u00D8\u30C6") == std::wstring::npos;  // a code page without these
  };
  const std::wstring cases[][3] = {{L"Otex.dds", L"", L"Otex.dds"},
                                   {L"\u00D8tex.dds", L"TEX~1.dds", L"TEX~1.dds"},
                                   {L"\u00D8tex.dds", L"", L""},
                                   {L"\u30C6.dds", L"\u30C6~1.dds", L""}};
  for (const auto& c : cases) {
    int asked = 0;
    std::string held = "stale";
    const auto shortName = [&] { return ++asked, c[1]; };
    EXPECT_EQ(toolkit::HeldAnsiName(c[0], shortName, withoutTwo, held), !c[2].empty());
    EXPECT_EQ(held, std::string(c[2].begin(), c[2].end()));
    EXPECT_EQ(asked, c[0] == c[2] ? 0 : 1);  // the short form is asked for only when needed
  }
}
