// Menus built from a tree of entries, as a menu bar or a popup menu. An entry with a
// command carries the identifier the platform sends for it; choosing it calls the menu's
// handler with that identifier.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace toolkit {

struct MenuEntry {
  std::string text;                  // empty: a separator
  unsigned commandId = 0;            // 0: chooses nothing
  std::vector<MenuEntry> children;   // not empty: a submenu
};

class Menu {
 public:
  enum class Kind { Bar, Popup };
  using Handler = std::function<void(unsigned commandId)>;
  // Command identifiers of the program's own start here, above the system's (IDOK...).
  static constexpr unsigned kFirstCommandId = 4096;

  Menu(Kind kind, const std::vector<MenuEntry>& entries, Handler onCommand);
  Menu(const Menu&) = delete;
  Menu& operator=(const Menu&) = delete;
  ~Menu();

  HMENU Handle() const { return handle_; }
  // Calls the handler when an entry sends this command; false when none does.
  bool Dispatch(unsigned commandId);
  // Shows a popup menu at a screen point, owned by `owner`'s top-level window.
  void PopupAt(HWND owner, int x, int y);

 private:
  Kind kind_;
  HMENU handle_ = nullptr;
  std::vector<unsigned> commandIds_;
  Handler onCommand_;
};

}  // namespace toolkit
