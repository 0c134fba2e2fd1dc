// The program's run: the message loop of its main window and the message box it owns.
#pragma once
#include <string>

#include "toolkit/win/control_win.h"
#include "toolkit/win/message_loop_win.h"

namespace toolkit {

// Makes the form the main window, shows it and dispatches messages until the
// application ends.
void RunMessageLoop(Form& form);

// The main window (its window made on demand), or null when there is none: the owner of
// the program's message boxes and dialogs.
WindowHandle MainWindowHandle();

// Modal message box owned by the main window and titled with its caption, OK only,
// no icon, brought to the foreground.
void ShowMessage(const std::string& text);

}  // namespace toolkit
