// "?" and "Выход".
#include "app/main_form_win.h"
#include "toolkit/win/shell_win.h"

namespace {
const char kApplicationText[] = "Texlook v0.3";
const char kMakerText[] = "Copyright \xA9 2026 Texlook developers\n   (https://texlook.example.org)";
}  // namespace

namespace app {

void ShowAbout(toolkit::Form& window) { toolkit::ShowAboutBox(window, kApplicationText, kMakerText); }

void ExitProgram(toolkit::Form& window) { window.PostClose(); }

}  // namespace app
