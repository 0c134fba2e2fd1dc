#include "toolkit/dialog_texts.h"

#include <gtest/gtest.h>

#include <string>

namespace toolkit {
namespace {

using std::string_literals::operator""s;

TEST(DialogTexts, FilterAndSelectedFiles) {
  // Bars become NULs and two NULs end the filter.
  EXPECT_EQ(FilterToPlatform("Файлы DDS|*.dds|B|*.b;*.c"), "Файлы DDS\0*.dds\0B\0*.b;*.c\0\0"s);
  EXPECT_EQ(FilterToPlatform(""), "");
  EXPECT_EQ(FilterToPlatform("|x|y"), "|x\0y\0\0"s);  // a bar in the first place stays
  const struct {
    const char* what;
    std::string buffer;
    std::vector<std::string> parts;
  } cases[] = {
      {"one file", "C:\\T\\a.dds\0\0garbage"s, {"C:\\T\\a.dds"}},
      {"three files", "C:\\T\0a.dds\0b.dds\0c.dds\0\0x\0"s, {"C:\\T", "a.dds", "b.dds", "c.dds"}},
      {"nothing", "\0\0"s, {}},
      {"no NUL within the size", "abc"s, {"abc"}},
      {"single NUL at the end of the size", "C:\\T\0a\0"s, {"C:\\T", "a"}},
      {"empty", ""s, {}},
  };
  for (const auto& c : cases) {
    const std::vector<char> exact(c.buffer.begin(), c.buffer.end());  // ASan sees reads past its end
    EXPECT_EQ(MultiSelectBufferToList(exact.data(), exact.size()), c.parts) << c.what;
  }
  EXPECT_TRUE(MultiSelectBufferToList(static_cast<const char*>(nullptr), 10).empty());
  // The empty set of chooser flags returns only file-system folders.
  EXPECT_EQ(FolderChooserFlags(0), FolderChooserFlags(kChooseReturnOnlyFsDirs));
}

}  // namespace
}  // namespace toolkit
