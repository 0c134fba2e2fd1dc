// Application state, the message loop and the few program-wide UI operations.
#pragma once
#include <string>

#include "toolkit/win/control_win.h"

namespace toolkit {

class Form;

// Makes the form the main window, shows it and dispatches messages until the
// application ends; then destroys the form's window.
void RunMessageLoop(Form& form);
// Handles every pending message of the thread, then returns. WM_QUIT sets terminated.
void ProcessMessages();
bool Terminated();
bool Running();
Form* MainWindow();
void SetMainWindow(Form* form);

// Modal message box owned by the main window and titled with its caption, OK only,
// no icon, brought to the foreground.
void ShowMessage(const std::string& text);

// Cursor shown over every control of the program; pass Arrow... or ClearScreenCursor.
void SetScreenCursor(CursorKind cursor);
void ClearScreenCursor();
bool ScreenCursorSet();
CursorKind ScreenCursor();

}  // namespace toolkit
