// The top-level window.
#include <windows.h>
#include <commctrl.h>

#include "toolkit/win/control_internal_win.h"
#include "toolkit/win/form_win.h"
#include "toolkit/win/message_loop_win.h"

namespace toolkit {

std::unique_ptr<Form> Form::Create(const std::string& caption) { return std::unique_ptr<Form>(new Form(caption)); }

Form::Form(const std::string& caption) : Control(nullptr), caption_(caption) {
  CreateArgs a;
  a.className = "Form";
  // Created hidden; RunMessageLoop shows it.
  a.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  a.exStyle = WS_EX_CONTROLPARENT;
  a.text = caption;
  SetCreateArgs(a);
  FillBackgroundOnErase();
}

Form::~Form() {
  if (MainWindow() == this) SetMainWindow(nullptr);
}

void Form::AfterCreate() {
  if (!menus_.empty()) SetMenu(static_cast<HWND>(hwnd_), menus_.front()->Handle());
}

Menu* Form::AddMenu(const std::vector<MenuEntry>& entries, Menu::Handler onCommand) {
  const Menu::Kind kind = menus_.empty() ? Menu::Kind::Bar : Menu::Kind::Popup;
  menus_.push_back(std::make_unique<Menu>(kind, entries, std::move(onCommand)));
  Menu* menu = menus_.back().get();
  if (kind == Menu::Kind::Bar && hwnd_) SetMenu(static_cast<HWND>(hwnd_), menu->Handle());
  return menu;
}

void Form::SetPosition(int left, int top) { SetBounds(left, top, Width(), Height()); }

void Form::Centre() {
  SetPosition(CentredOffset(GetSystemMetrics(SM_CXSCREEN), Width()),
              CentredOffset(GetSystemMetrics(SM_CYSCREEN), Height()));
}

void Form::SetWindowState(WindowState state) {
  if (GetWindowState() == state && Visible()) return;
  HWND hwnd = static_cast<HWND>(Handle());
  int cmd = state == WindowState::Maximised   ? SW_SHOWMAXIMIZED
            : state == WindowState::Minimised ? SW_SHOWMINNOACTIVE
                                              : SW_SHOWNOACTIVATE;
  ShowWindow(hwnd, cmd);
}

WindowState Form::GetWindowState() {
  if (!hwnd_) return WindowState::Normal;
  HWND hwnd = static_cast<HWND>(hwnd_);
  if (IsZoomed(hwnd)) return WindowState::Maximised;
  if (IsIconic(hwnd)) return WindowState::Minimised;
  return WindowState::Normal;
}

bool Form::Visible() { return hwnd_ && IsWindowVisible(static_cast<HWND>(hwnd_)); }

void Form::Show() { ShowWindow(static_cast<HWND>(Handle()), SW_SHOW); }

void Form::PostClose() { PostMessageA(static_cast<HWND>(Handle()), WM_CLOSE, 0, 0); }

void Form::SetStatusText(int index, const std::string& text) {
  HWND hwnd = static_cast<HWND>(Handle());
  if (!statusBar_) {
    ControlAccess::InitCommonControlsOnce();
    HWND bar = CreateWindowExA(0, STATUSCLASSNAMEA, "",
                               WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | SBARS_SIZEGRIP, 0, 0, 0, 0,
                               hwnd, nullptr, GetModuleHandleA(nullptr), nullptr);
    statusBar_ = bar;
    SendMessageA(bar, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), FALSE);
    SendMessageA(bar, SB_SIMPLE, index == SB_SIMPLEID, 0);
    RECT r;
    GetWindowRect(bar, &r);
    // Aligned controls stay above the bar.
    SetMarginBottom(r.bottom - r.top);
  }
  HWND bar = static_cast<HWND>(statusBar_);
  if (index < SB_SIMPLEID) {
    int parts = static_cast<int>(SendMessageA(bar, SB_GETPARTS, 0, 0));
    if (parts <= index) {
      std::vector<int> edges = StatusPanelEdges(Width(), index + 1);
      SendMessageA(bar, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
      SendMessageA(bar, SB_SIMPLE, FALSE, 0);
    }
  }
  SendMessageA(bar, SB_SETTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str()));
}

std::string Form::StatusText(int index) {
  if (!statusBar_) return std::string();
  HWND bar = static_cast<HWND>(statusBar_);
  LRESULT info = SendMessageA(bar, SB_GETTEXTLENGTHA, static_cast<WPARAM>(index), 0);
  std::string text(LOWORD(info) + 1, '\0');
  SendMessageA(bar, SB_GETTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
  text.resize(lstrlenA(text.c_str()));
  return text;
}

bool Form::HandleMessage(unsigned msg, uintptr_t wParam, intptr_t lParam, intptr_t& result) {
  HWND hwnd = static_cast<HWND>(hwnd_);
  switch (msg) {
    case WM_CLOSE: {
      bool accept = true;
      if (onClose) onClose(*this, accept);
      if (accept || !Running()) {
        onClose = nullptr;  // raised once per run
        if (MainWindow() == this) PostQuitMessage(0);
      }
      result = 0;
      return true;
    }
    case WM_ENDSESSION:
      if (wParam) {
        // Windows ends the process right after this message; there is no WM_CLOSE.
        if (onEndSession) {
          auto handler = std::move(onEndSession);
          onEndSession = nullptr;
          handler(*this);
        }
        SetMainWindow(nullptr);
        ExitProcess(0);
      }
      return false;
    case WM_SHOWWINDOW:
      if (wParam && !IsWindowVisible(hwnd) && onShow) onShow(*this);
      return false;
    case WM_COMMAND:
      if (lParam == 0 && HIWORD(wParam) <= 1)
        for (const auto& menu : menus_)
          if (menu->Dispatch(LOWORD(wParam))) {
            result = 0;
            return true;
          }
      return false;
    case WM_SIZE:
      if (statusBar_) SendMessageA(static_cast<HWND>(statusBar_), WM_SIZE, 0, 0);
      break;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) lastFocus_ = GetFocus();
      break;
    case WM_SETFOCUS:
      if (lastFocus_ && IsWindow(static_cast<HWND>(lastFocus_)) && IsChild(hwnd, static_cast<HWND>(lastFocus_))) {
        SetFocus(static_cast<HWND>(lastFocus_));
        result = 0;
        return true;
      }
      break;
    default:
      break;
  }
  return Control::HandleMessage(msg, wParam, lParam, result);
}

}  // namespace toolkit
