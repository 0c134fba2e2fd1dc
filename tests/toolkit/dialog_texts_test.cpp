#include "toolkit/dialog_texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

namespace toolkit {
namespace {

using std::string_literals::operator""s;

TEST(FilterToPlatform, BarsBecomeNulsAndTwoNulsEndIt) {
  const struct {
    std::string filter, platform;
  } cases[] = {
      {"Файлы DDS (Direct Draw Surface)|*.dds", "Файлы DDS (Direct Draw Surface)\0*.dds\0\0"s},
      {"", ""},
      {"A|*.a|B|*.b;*.c", "A\0*.a\0B\0*.b;*.c\0\0"s},
      {"|x|y", "|x\0y\0\0"s},  // a bar in the first place stays
      {"a||b", "a\0\0b\0\0"s},
  };
  for (const auto& c : cases) EXPECT_EQ(FilterToPlatform(c.filter), c.platform) << c.filter;
}

TEST(MultiSelectBufferToList, Table) {
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
    SCOPED_TRACE(c.what);
    // Copied to a buffer of the exact size so that ASan sees any read past the end.
    std::unique_ptr<char[]> exact(new char[c.buffer.size() + 1]);
    std::copy(c.buffer.begin(), c.buffer.end(), exact.get());
    EXPECT_EQ(MultiSelectBufferToList(exact.get(), c.buffer.size()), c.parts);
  }
  EXPECT_TRUE(MultiSelectBufferToList(static_cast<const char*>(nullptr), 10).empty());
}

TEST(OpenDialogFlags, EachOptionItsFlag) {
  const uint32_t always = 0x80000 | 0x200000;  // OFN_EXPLORER | OFN_LONGNAMES
  const uint32_t byBit[] = {0x2000, 0x400,   0x1000, 0x4, 0x8,   0x100000,
                            0x200,  0x20000, 0x8000, 0x2, 0x800, 0x1};
  EXPECT_EQ(OpenDialogFlags(0), always);
  for (unsigned bit = 0; bit < 12; ++bit) {
    EXPECT_EQ(OpenDialogFlags(static_cast<uint16_t>(1u << bit)), always | byBit[bit]) << "bit " << bit;
  }
  EXPECT_EQ(OpenDialogFlags(0xF000), always);  // no options beyond the twelve
  EXPECT_EQ(OpenDialogFlags(kMainOpenDialogOptions), 0x281A07u);
  EXPECT_EQ(OpenDialogFlags(kDefaultOpenDialogOptions), always | 0x1000 | 0x4 | 0x2 | 0x800);
}

TEST(FolderChooserFlags, EachOptionItsFlag) {
  const struct {
    uint8_t options;
    uint32_t flags;
  } cases[] = {
      {0, 0x1},  // the empty set returns only file-system folders
      {kChooseBrowseForComputer, 0x1000},
      {kChooseBrowseForPrinter, 0x2000},
      {kChooseDontGoBelowDomain, 0x2},
      {kChooseReturnFsAncestors, 0x8},
      {kChooseReturnOnlyFsDirs, 0x1},
      {kChooseReturnFsAncestors | kChooseDontGoBelowDomain, 0xA},
      {0x1F, 0x300B},
      {0xE0, 0x1},  // bits beyond the five are no options
  };
  for (const auto& c : cases) EXPECT_EQ(FolderChooserFlags(c.options), c.flags) << int(c.options);
}

}  // namespace
}  // namespace toolkit
