// Which ANSI text stands for a file: its own name, else its short name, else none.
#include "toolkit/ansi_names.h"

#include <gtest/gtest.h>

namespace toolkit {
namespace {

TEST(HeldAnsiName, OwnNameElseShortNameElseLeftOut) {
  // A code page of ASCII only.
  const ExactAnsi toAnsi = [](const std::wstring& wide, std::string& ansi) {
    ansi.clear();
    for (wchar_t c : wide) ansi += c < 0x80 ? static_cast<char>(c) : '?';
    return ansi.find('?') == std::string::npos;
  };
  struct Case {
    std::wstring name, shortName;
    bool held;
    std::string text;
  } cases[] = {
      {L"Otex.dds", L"", true, "Otex.dds"},
      {L"\u00D8tex.dds", L"TEX~1.DDS", true, "TEX~1.DDS"},
      {L"\u00D8tex.dds", L"", false, ""},
      {L"\u30C6.dds", L"\u30C6~1.DDS", false, ""},
  };
  for (const Case& c : cases) {
    int asked = 0;
    std::string text = "stale";
    EXPECT_EQ(HeldAnsiName(
                  c.name, [&] { return ++asked, c.shortName; }, toAnsi, text),
              c.held);
    EXPECT_EQ(text, c.text);
    EXPECT_EQ(asked, c.text == "Otex.dds" ? 0 : 1);  // the short form only when needed
  }
}

}  // namespace
}  // namespace toolkit
