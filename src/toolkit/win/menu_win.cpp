// Menus from templates: menu bar or popup, command identifiers, dispatch.
#include <windows.h>

#include "toolkit/win/form_win.h"
#include "toolkit/win/menu_win.h"
#include "toolkit/portable/menu_template.h"

namespace toolkit {

namespace {
unsigned g_nextCommandId = Menu::kFirstCommandId;
}

Menu::Menu(Form& owner, bool isMenuBar) : owner_(owner), isMenuBar_(isMenuBar) {}

Menu::~Menu() {
  // A menu bar is destroyed with its window; a popup menu is ours to destroy.
  if (handle_ && !isMenuBar_) DestroyMenu(static_cast<HMENU>(handle_));
}

Menu* Menu::Create(Form& owner, const std::vector<std::string>& templ, Handler common) {
  const bool isMenuBar = owner.MenuBar() == nullptr;
  auto menu = std::unique_ptr<Menu>(new Menu(owner, isMenuBar));
  menu->common_ = std::move(common);
  HMENU root = isMenuBar ? CreateMenu() : CreatePopupMenu();
  menu->handle_ = root;
  std::vector<MenuTemplateItem> parsed = ParseMenuTemplate(templ);
  std::vector<HMENU> submenus(parsed.size(), nullptr);
  for (size_t i = 0; i < parsed.size(); ++i) {
    const MenuTemplateItem& t = parsed[i];
    Item item;
    item.caption = t.caption;
    item.commandId = g_nextCommandId++;
    if (t.hasSubmenu) submenus[i] = CreatePopupMenu();
    item.submenu = submenus[i];
    HMENU container = t.parent < 0 ? root : submenus[t.parent];
    MENUITEMINFOA mii = {};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_TYPE | MIIM_DATA;
    mii.wID = item.commandId;
    mii.hSubMenu = submenus[i];
    mii.dwItemData = i;
    if (t.separator) {
      mii.fType = MFT_SEPARATOR;
      mii.fState = MFS_DISABLED;
    } else {
      mii.fType = MFT_STRING;
      mii.dwTypeData = const_cast<char*>(item.caption.c_str());
      mii.cch = static_cast<UINT>(item.caption.size());
    }
    InsertMenuItemA(container, GetMenuItemCount(container), TRUE, &mii);
    menu->items_.push_back(std::move(item));
  }
  Menu* raw = menu.get();
  owner.AddMenu(raw);
  owner.RegisterForRelease(std::move(menu));
  if (isMenuBar && owner.HasHandle()) SetMenu(static_cast<HWND>(owner.Handle()), root);
  return raw;
}

int Menu::FindItem(unsigned indexOrId) const {
  if (indexOrId < kFirstCommandId) return indexOrId < items_.size() ? static_cast<int>(indexOrId) : -1;
  for (size_t i = 0; i < items_.size(); ++i)
    if (items_[i].commandId == indexOrId) return static_cast<int>(i);
  return -1;
}

void Menu::SetItemHandler(int index, Handler handler) {
  if (index < 0 || index >= ItemCount()) return;
  items_[index].handler = std::move(handler);
}

bool Menu::Dispatch(unsigned commandId) {
  int index = FindItem(commandId);
  if (index < 0 || commandId < kFirstCommandId) return false;
  // Copy: the handler may replace itself while it runs.
  Handler handler = items_[index].handler ? items_[index].handler : common_;
  if (handler) handler(*this, index);
  return true;
}

void Menu::PopupAt(int x, int y) {
  TrackPopupMenu(static_cast<HMENU>(handle_), 0, x, y, 0, static_cast<HWND>(owner_.Handle()), nullptr);
}

}  // namespace toolkit
