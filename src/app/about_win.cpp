// "?" and "Выход".
#include "app/main_form_win.h"
#include "toolkit/win/shell_win.h"

namespace {
const char kApplicationText[] = "Texlook v0.3";
const char kMakerText[] = "Copyright \xA9 2026 Texlook developers\n   (https://texlook.example.org)";
}  // namespace

void ShowAbout(MainForm& form) { toolkit::ShowAboutBox(*form.MainWindow, kApplicationText, kMakerText); }

void ExitProgram(MainForm& form) { form.MainWindow->PostClose(); }
