#include <windows.h>

#include "toolkit/win/application_win.h"
#include "toolkit/win/form_win.h"

namespace toolkit {

void RunMessageLoop(Form& form) {
  DispatchUntilQuit([&form] {
    SetMainWindow(&form);
    form.Show();  // creates the window if needed; raises the show event
  });
  SetMainWindow(nullptr);
}

void ShowMessage(const std::string& text) {
  HWND owner = nullptr;
  const char* title = nullptr;
  if (Form* main = MainWindow()) {
    owner = static_cast<HWND>(main->Handle());
    title = main->Caption().c_str();
  }
  MessageBoxA(owner, text.c_str(), title, MB_OK | MB_SETFOREGROUND);
}

}  // namespace toolkit
