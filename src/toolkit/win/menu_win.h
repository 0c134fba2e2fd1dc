// Menus built from templates. Every item gets the next command identifier (4096 upward,
// one sequence for the process); an item's index is its position in a depth-first walk.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "toolkit/win/control_win.h"

namespace toolkit {

class Form;

class Menu : public Releasable {
 public:
  using Handler = std::function<void(Menu& menu, int index)>;
  static constexpr unsigned kFirstCommandId = 4096;

  // The first menu of a form becomes its menu bar, later ones popup menus.
  static Menu* Create(Form& owner, const std::vector<std::string>& templ, Handler common = nullptr);
  ~Menu() override;

  bool IsMenuBar() const { return isMenuBar_; }
  HMENU Handle() const { return handle_; }
  int ItemCount() const { return static_cast<int>(items_.size()); }
  const std::string& ItemCaption(int index) const { return items_[index].caption; }
  unsigned CommandId(int index) const { return items_[index].commandId; }
  // Values below 4096 are indices, from 4096 up command identifiers; -1 when none.
  int FindItem(unsigned indexOrId) const;
  void SetItemHandler(int index, Handler handler);
  // Calls the handler of the item with this command; false when no item has it.
  bool Dispatch(unsigned commandId);
  // Shows a popup menu at a screen point, owned by the owner form's window.
  void PopupAt(int x, int y);

 private:
  Menu(Form& owner, bool isMenuBar);
  struct Item {
    std::string caption;
    unsigned commandId = 0;
    HMENU submenu = nullptr;
    Handler handler;
  };
  Form& owner_;
  bool isMenuBar_;
  HMENU handle_ = nullptr;
  std::vector<Item> items_;
  Handler common_;
};

}  // namespace toolkit
