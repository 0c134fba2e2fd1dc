// Application state and the message loop.
#include <windows.h>

#include "toolkit/win/application_win.h"
#include "toolkit/win/form_win.h"

namespace toolkit {

namespace {
Form* g_mainWindow = nullptr;
bool g_running = false;
bool g_terminated = false;
bool g_screenCursorSet = false;
CursorKind g_screenCursor = CursorKind::Arrow;
}  // namespace

Form* MainWindow() { return g_mainWindow; }
void SetMainWindow(Form* form) { g_mainWindow = form; }
bool Terminated() { return g_terminated; }
bool Running() { return g_running; }

void RunMessageLoop(Form& form) {
  g_running = true;
  g_mainWindow = &form;
  form.Show();  // creates the window if needed; raises the show event
  while (!g_terminated) {
    WaitMessage();
    ProcessMessages();
  }
  g_running = false;
  g_mainWindow = nullptr;
}

void ProcessMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      g_terminated = true;
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

void ShowMessage(const std::string& text) {
  HWND owner = nullptr;
  const char* title = nullptr;
  if (g_mainWindow) {
    owner = static_cast<HWND>(g_mainWindow->Handle());
    title = g_mainWindow->Caption().c_str();
  }
  MessageBoxA(owner, text.c_str(), title, MB_OK | MB_SETFOREGROUND);
}

void SetScreenCursor(CursorKind cursor) {
  g_screenCursorSet = true;
  g_screenCursor = cursor;
  // Show it now, not only at the next mouse move.
  POINT pt;
  if (GetCursorPos(&pt)) SetCursorPos(pt.x, pt.y);
}

void ClearScreenCursor() { g_screenCursorSet = false; }
bool ScreenCursorSet() { return g_screenCursorSet; }
CursorKind ScreenCursor() { return g_screenCursor; }

}  // namespace toolkit
