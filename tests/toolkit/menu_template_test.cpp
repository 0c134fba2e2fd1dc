#include "toolkit/menu_template.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace toolkit {
namespace {

struct Expected {
  const char* caption;
  bool separator;
  int parent;
  bool hasSubmenu;
};

void ExpectItems(const std::vector<MenuTemplateItem>& items, const std::vector<Expected>& expected) {
  ASSERT_EQ(items.size(), expected.size());
  for (size_t i = 0; i < items.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(items[i].caption, expected[i].caption);
    EXPECT_EQ(items[i].separator, expected[i].separator);
    EXPECT_EQ(items[i].parent, expected[i].parent);
    EXPECT_EQ(items[i].hasSubmenu, expected[i].hasSubmenu);
  }
}

const char kFile[] = "Файл";
const char kImportFiles[] = "Импортировать DDS-файл(ы) в список...";
const char kImportFolder[] = "Импортировать DDS-файлы в список из папки...";
const char kExit[] = "Выход";
const char kClear[] = "Очистить список";

TEST(MenuTemplate, MainMenuNumbersItemsDepthFirst) {
  const std::vector<std::string> texts = {kFile, "(", kImportFiles, kImportFolder, "-",
                                          kExit, ")", kClear,       "?",           ""};
  ExpectItems(ParseMenuTemplate(texts), {{kFile, false, -1, true},
                                         {kImportFiles, false, 0, false},
                                         {kImportFolder, false, 0, false},
                                         {"", true, 0, false},
                                         {kExit, false, 0, false},
                                         {kClear, false, -1, false},
                                         {"?", false, -1, false}});
}

TEST(MenuTemplate, EdgeCases) {
  const struct {
    const char* what;
    std::vector<std::string> texts;
    std::vector<Expected> items;
  } cases[] = {
      {"the list's popup menu",
       {"Экспортировать выбранное в TGA ...", "Экспортировать все в TGA...", ""},
       {{"Экспортировать выбранное в TGA ...", false, -1, false},
        {"Экспортировать все в TGA...", false, -1, false}}},
      {"empty first text", {"", "a", "b"}, {}},
      {"no texts at all", {}, {}},
      {"no end marker", {"a", "b"}, {{"a", false, -1, false}, {"b", false, -1, false}}},
      {"texts after the end are not read", {"a", "", "b"}, {{"a", false, -1, false}}},
      {"empty submenu", {"a", "(", ")", "b"}, {{"a", false, -1, true}, {"b", false, -1, false}}},
      {"nested submenus",
       {"a", "(", "b", "(", "c", ")", "d", ")", "e"},
       {{"a", false, -1, true},
        {"b", false, 0, true},
        {"c", false, 1, false},
        {"d", false, 0, false},
        {"e", false, -1, false}}},
      {"unbalanced ')' is ignored", {")", "a", ")", "b"}, {{"a", false, -1, false}, {"b", false, -1, false}}},
      {"'(' without an item before it is ignored",
       {"(", "a", "(", "(", "b", ")", ")", "c"},
       {{"a", false, -1, true}, {"b", false, 0, false}, {"c", false, -1, false}}},
      {"'(' after a separator is ignored", {"-", "(", "a"}, {{"", true, -1, false}, {"a", false, -1, false}}},
      {"unclosed submenu runs to the end",
       {"a", "(", "b", "-"},
       {{"a", false, -1, true}, {"b", false, 0, false}, {"", true, 0, false}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ExpectItems(ParseMenuTemplate(c.texts), c.items);
  }
}

}  // namespace
}  // namespace toolkit
