// The top-level window: caption, position, state, close and show events, status bar,
// menus.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/win/control_win.h"
#include "toolkit/win/menu_win.h"

namespace toolkit {

enum class WindowState { Normal, Minimised, Maximised };

class Form : public Control {
 public:
  static std::unique_ptr<Form> Create(const std::string& caption);
  ~Form() override;

  const std::string& Caption() const { return caption_; }
  void SetPosition(int left, int top);
  // Centre on the screen (no parent).
  void Centre();
  void SetWindowState(WindowState state);
  WindowState GetWindowState();
  bool Visible();
  void Show();
  // Ask the window to close later (posts WM_CLOSE).
  void PostClose();

  // Panels of the status bar; the first call creates the bar. Panel edges are fixed when
  // a panel is first created (equal split of the current width).
  void SetStatusText(int index, const std::string& text);
  std::string StatusText(int index);

  // Menus of this form, built from `entries`: the first becomes the menu bar, later ones
  // are popups. Choosing an entry calls `onCommand` with its identifier.
  Menu* AddMenu(const std::vector<MenuEntry>& entries, Menu::Handler onCommand);

  // Raised on WM_CLOSE; the handler may set accept to false.
  std::function<void(Form& sender, bool& accept)> onClose;
  // Raised when the window turns from hidden to visible.
  std::function<void(Form& sender)> onShow;
  // Raised on a log-off or shut-down of Windows before the process ends.
  std::function<void(Form& sender)> onEndSession;

 protected:
  explicit Form(const std::string& caption);
  void AfterCreate() override;
  bool HandleMessage(unsigned msg, uintptr_t wParam, intptr_t lParam, intptr_t& result) override;

 private:
  std::string caption_;
  WindowHandle statusBar_ = nullptr;
  std::vector<std::unique_ptr<Menu>> menus_;
  WindowHandle lastFocus_ = nullptr;
};

}  // namespace toolkit
