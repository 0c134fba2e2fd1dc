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
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {"C:\\T\\a.dds\0\0garbage"s, {"C:\\T\\a.dds"}},                                // one file
      {"C:\\T\0a.dds\0b.dds\0c.dds\0\0x\0"s, {"C:\\T", "a.dds", "b.dds", "c.dds"}},  // three files
      {"\0\0"s, {}},
      {"abc"s, {"abc"}},                // no NUL within the size
      {"C:\\T\0a\0"s, {"C:\\T", "a"}},  // single NUL at the end of the size
      {""s, {}}};
  for (const auto& [buffer, parts] : cases) {
    const std::vector<char> exact(buffer.begin(), buffer.end());  // ASan sees reads past its end
    EXPECT_EQ(MultiSelectBufferToList(exact.data(), exact.size()), parts) << buffer.size();
  }
  EXPECT_TRUE(MultiSelectBufferToList(static_cast<const char*>(nullptr), 10).empty());
  // The empty set of chooser flags returns only file-system folders.
  EXPECT_EQ(FolderChooserFlags(0), FolderChooserFlags(kChooseReturnOnlyFsDirs));
}
