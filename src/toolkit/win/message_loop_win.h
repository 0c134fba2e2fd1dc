// The thread's message loop and the program-wide state that windows consult while it
// runs: the main window, whether the loop runs or has ended, and the cursor shown over
// every control. Knows no window class, so that every window may consult it.
#pragma once
#include <functional>

namespace toolkit {

class Form;

enum class CursorKind { Arrow, Wait, SizeWE, SizeNS };

// Marks the loop as running, calls `start`, then dispatches messages until WM_QUIT.
void DispatchUntilQuit(const std::function<void()>& start);
// Handles every pending message of the thread, then returns. WM_QUIT sets terminated.
void ProcessMessages();
// Work for the loop to run once, when it has handled every waiting message and before it
// waits for more; replaces work not yet run. DispatchUntilQuit runs it; RunIdleWork runs
// it for callers that handle messages themselves.
void SetIdleWork(std::function<void()> work);
void RunIdleWork();
bool Terminated();
bool Running();
Form* MainWindow();
void SetMainWindow(Form* form);

// Cursor shown over every control of the program; pass Arrow... or ClearScreenCursor.
void SetScreenCursor(CursorKind cursor);
void ClearScreenCursor();
bool ScreenCursorSet();
CursorKind ScreenCursor();

}  // namespace toolkit
