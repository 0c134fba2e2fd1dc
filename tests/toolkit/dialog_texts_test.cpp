#include "toolkit/portable/dialog_texts.h"

#include <gtest/gtest.h>

#include <string>

using namespace toolkit;
using std::string_literals::operator""s;

TEST(DialogTexts, FilterAndSelectedFiles) {
  // Bars become NULs and two NULs end the filter.
  EXPECT_EQ(FilterToPlatform("Файлы DDS|*.dds|B|*.b;*.c"), "Файлы DDS\0*.dds\0B\0*.b;*.c\0\0"s);
  EXPECT_EQ(FilterToPlatform(""), "");
  EXPECT_EQ(FilterToPlatform("|x|y"), "|x\0y\0\0"s);  // a bar in the first place stays
  const std::pair<std::wstring, std::vector<std::wstring>> cases[] = {
      {L"C:\\T\\a.dds\0\0garbage"s, {L"C:\\T\\a.dds"}},                                  // one file
      {L"C:\\T\0a.dds\0b.dds\0c.dds\0\0x\0"s, {L"C:\\T", L"a.dds", L"b.dds", L"c.dds"}},  // three files
      {L"\0\0"s, {}},
      {L"abc"s, {L"abc"}},                  // no NUL within the size
      {L"C:\\T\0a\0"s, {L"C:\\T", L"a"}},  // single NUL at the end of the size
      {L""s, {}}};
  for (const auto& [buffer, parts] : cases) {
    const std::vector<wchar_t> exact(buffer.begin(), buffer.end());  // ASan sees reads past its end
    EXPECT_EQ(MultiSelectBufferToList(exact.data(), exact.size()), parts) << buffer.size();
  }
}
