#include "toolkit/win/menu_win.h"

#include <algorithm>

namespace toolkit {

namespace {

void AddEntries(HMENU container, const std::vector<MenuEntry>& entries, std::vector<unsigned>& commandIds) {
  for (const MenuEntry& entry : entries) {
    MENUITEMINFOA mii = {};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_TYPE;
    mii.wID = entry.commandId;
    if (!entry.children.empty()) {
      mii.hSubMenu = CreatePopupMenu();
      AddEntries(mii.hSubMenu, entry.children, commandIds);
    }
    if (entry.text.empty()) {
      mii.fType = MFT_SEPARATOR;
      mii.fState = MFS_DISABLED;
    } else {
      mii.fType = MFT_STRING;
      mii.dwTypeData = const_cast<char*>(entry.text.c_str());
      mii.cch = static_cast<UINT>(entry.text.size());
    }
    InsertMenuItemA(container, GetMenuItemCount(container), TRUE, &mii);
    if (entry.commandId) commandIds.push_back(entry.commandId);
  }
}

}  // namespace

Menu::Menu(Kind kind, const std::vector<MenuEntry>& entries, Handler onCommand)
    : kind_(kind), handle_(kind == Kind::Bar ? CreateMenu() : CreatePopupMenu()), onCommand_(std::move(onCommand)) {
  AddEntries(handle_, entries, commandIds_);
}

Menu::~Menu() {
  // A menu bar is destroyed with its window; a popup menu is ours to destroy.
  if (handle_ && kind_ == Kind::Popup) DestroyMenu(handle_);
}

bool Menu::Dispatch(unsigned commandId) {
  if (commandId == 0 || std::find(commandIds_.begin(), commandIds_.end(), commandId) == commandIds_.end())
    return false;
  // Copy: the handler may replace itself while it runs.
  Handler handler = onCommand_;
  if (handler) handler(commandId);
  return true;
}

void Menu::PopupAt(HWND owner, int x, int y) {
  TrackPopupMenu(handle_, 0, x, y, 0, GetAncestor(owner, GA_ROOT), nullptr);
}

}  // namespace toolkit
