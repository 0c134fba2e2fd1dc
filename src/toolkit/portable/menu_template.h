// Parsing of menu templates: a sequence of texts, "-" a separator, "(" after an item opens
// its submenu, ")" closes it, an empty text ends the template.
#pragma once
#include <string>
#include <vector>

namespace toolkit {

struct MenuTemplateItem {
  std::string caption;   // empty for a separator
  bool separator = false;
  int parent = -1;       // index of the item whose submenu holds this one; -1 for the top level
  bool hasSubmenu = false;
};

// Items in depth-first order: the index in the result is the item's index in the menu
// (sub-items follow their parent item, separators count). Unbalanced ")" are ignored;
// "(" not preceded by an item is ignored.
std::vector<MenuTemplateItem> ParseMenuTemplate(const std::vector<std::string>& texts);

}  // namespace toolkit
