#include <windows.h>

#include <utility>

#include "toolkit/win/message_loop_win.h"

namespace toolkit {

namespace {
Form* g_mainWindow = nullptr;
bool g_running = false;
bool g_terminated = false;
bool g_screenCursorSet = false;
CursorKind g_screenCursor = CursorKind::Arrow;
std::function<void()> g_idleWork;
}  // namespace

Form* MainWindow() { return g_mainWindow; }
void SetMainWindow(Form* form) { g_mainWindow = form; }
bool Terminated() { return g_terminated; }
bool Running() { return g_running; }

void DispatchUntilQuit(const std::function<void()>& start) {
  g_running = true;
  start();
  while (!g_terminated) {
    WaitMessage();
    ProcessMessages();
    if (!g_terminated) RunIdleWork();
  }
  g_idleWork = nullptr;
  g_running = false;
}

void SetIdleWork(std::function<void()> work) { g_idleWork = std::move(work); }

void RunIdleWork() {
  // Taken out first: the work may set new work.
  std::function<void()> work = std::move(g_idleWork);
  g_idleWork = nullptr;
  if (work) work();
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

void SetScreenCursor(CursorKind cursor) {
  g_screenCursorSet = true;
  g_screenCursor = cursor;
  // Show it at once, not only at the next mouse move.
  POINT pt;
  if (GetCursorPos(&pt)) SetCursorPos(pt.x, pt.y);
}

void ClearScreenCursor() { g_screenCursorSet = false; }
bool ScreenCursorSet() { return g_screenCursorSet; }
CursorKind ScreenCursor() { return g_screenCursor; }

}  // namespace toolkit
