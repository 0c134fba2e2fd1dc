#include "toolkit/portable/menu_template.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace toolkit;

// Items as "caption@parent", "+" when they hold a submenu, "-" for separators.
static std::string Render(const std::vector<std::string>& texts) {
  std::string out;
  for (const MenuTemplateItem& item : ParseMenuTemplate(texts))
    out += (out.empty() ? "" : " ") + (item.separator ? "-" : item.caption) + "@" +
           std::to_string(item.parent) + (item.hasSubmenu ? "+" : "");
  return out;
}

TEST(MenuTemplate, NumbersItemsDepthFirst) {
  // clang-format off
  const std::pair<std::vector<std::string>, const char*> cases[] = {
      {{"", "a", "b"}, ""},                                          // empty first text
      {{"a", "b"}, "a@-1 b@-1"},                                     // no end marker
      {{"a", "", "b"}, "a@-1"},                                      // texts after the end are not read
      {{"a", "(", ")", "b"}, "a@-1+ b@-1"},                          // empty submenu
      {{"a", "(", "b", "(", "c", ")", "d", ")", "e"}, "a@-1+ b@0+ c@1 d@0 e@-1"},
      {{")", "a", ")", "b"}, "a@-1 b@-1"},                           // unbalanced ')' is ignored
      {{"(", "a", "(", "(", "b", ")", ")", "c"}, "a@-1+ b@0 c@-1"},  // '(' with no item before: ignored
      {{"-", "(", "a"}, "-@-1 a@-1"},                                // '(' after a separator is ignored
      {{"a", "(", "b", "-"}, "a@-1+ b@0 -@0"}};                      // unclosed submenu runs to the end
  // clang-format on
  for (const auto& [texts, items] : cases) EXPECT_EQ(Render(texts), items) << items;
}
