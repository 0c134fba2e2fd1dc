// Menu template parsing.
#include "toolkit/portable/menu_template.h"

namespace toolkit {

std::vector<MenuTemplateItem> ParseMenuTemplate(const std::vector<std::string>& texts) {
  std::vector<MenuTemplateItem> items;
  std::vector<int> open;  // items whose submenus are being filled, innermost last
  // Index of the item the previous text created, if it may take a submenu.
  int lastItem = -1;
  for (const std::string& text : texts) {
    if (text.empty()) break;
    const int parent = open.empty() ? -1 : open.back();
    if (text == "(") {
      if (lastItem >= 0) {
        items[static_cast<size_t>(lastItem)].hasSubmenu = true;
        open.push_back(lastItem);
      }
      lastItem = -1;
    } else if (text == ")") {
      if (!open.empty()) open.pop_back();
      lastItem = -1;
    } else {
      MenuTemplateItem item;
      item.parent = parent;
      if (text == "-") {
        item.separator = true;
        lastItem = -1;  // a separator cannot hold a submenu
      } else {
        item.caption = text;
        lastItem = static_cast<int>(items.size());
      }
      items.push_back(item);
    }
  }
  return items;
}

}  // namespace toolkit
