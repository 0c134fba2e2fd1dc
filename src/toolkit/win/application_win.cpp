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

WindowHandle MainWindowHandle() {
  Form* main = MainWindow();
  return main ? main->Handle() : nullptr;
}

void ShowMessage(const std::string& text) {
  Form* main = MainWindow();
  MessageBoxA(MainWindowHandle(), text.c_str(), main ? main->Caption().c_str() : nullptr, MB_OK | MB_SETFOREGROUND);
}

}  // namespace toolkit
