#include "toolkit/menu_template.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace toolkit {
namespace {

// Items as "caption@parent", "+" when they hold a submenu, "-" for separators.
std::string Render(const std::vector<std::string>& texts) {
  std::string out;
  for (const MenuTemplateItem& item : ParseMenuTemplate(texts))
    out += (out.empty() ? "" : " ") + (item.separator ? "-" : item.caption) + "@" +
           std::to_string(item.parent) + (item.hasSubmenu ? "+" : "");
  return out;
}

TEST(MenuTemplate, NumbersItemsDepthFirst) {
  const struct {
    const char* what;
    std::vector<std::string> texts;
    const char* items;
  } cases[] = {
      {"empty first text", {"", "a", "b"}, ""},
      {"no end marker", {"a", "b"}, "a@-1 b@-1"},
      {"texts after the end are not read", {"a", "", "b"}, "a@-1"},
      {"empty submenu", {"a", "(", ")", "b"}, "a@-1+ b@-1"},
      {"nested submenus", {"a", "(", "b", "(", "c", ")", "d", ")", "e"}, "a@-1+ b@0+ c@1 d@0 e@-1"},
      {"unbalanced ')' is ignored", {")", "a", ")", "b"}, "a@-1 b@-1"},
      {"'(' with no item before: ignored", {"(", "a", "(", "(", "b", ")", ")", "c"}, "a@-1+ b@0 c@-1"},
      {"'(' after a separator is ignored", {"-", "(", "a"}, "-@-1 a@-1"},
      {"unclosed submenu runs to the end", {"a", "(", "b", "-"}, "a@-1+ b@0 -@0"},
  };
  for (const auto& c : cases) EXPECT_EQ(Render(c.texts), c.items) << c.what;
}

}  // namespace
}  // namespace toolkit
