// Program entry: build the main window, run the message loop, end with exit code 0.
#include <windows.h>

#include "app/main_form_win.h"
#include "toolkit/win/application_win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  std::unique_ptr<app::MainForm> form = app::CreateMainForm();
  if (form) {
    toolkit::RunMessageLoop(form->Window());
    form.reset();
  }
  return 0;
}
