// "?" and "Выход".
#include "app/handlers.h"
#include "app/main_form.h"
#include "toolkit/shell.h"

namespace {
const char kApplicationText[] = "Texlook v0.3";
const char kMakerText[] = "Copyright \xA9 2026 Texlook developers\n   (https://texlook.example.org)";
}  // namespace

void ShowAbout(MainForm& form) { toolkit::ShowAboutBox(*form.MainWindow, kApplicationText, kMakerText); }

// Closes through WM_CLOSE, exactly like the close button.
void ExitProgram(MainForm& form) { form.MainWindow->PostClose(); }
