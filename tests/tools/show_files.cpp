// Opens the real main window with the given DDS files in the list and the first one
// previewed, then runs as the program does until it is closed. For screenshots.
//   show_files PROGRAM_FOLDER FILE.dds...
#include <windows.h>
#include <commctrl.h>

#include "app/main_form_win.h"
#include "toolkit/win/application_win.h"
#include "toolkit/portable/file_system.h"

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  toolkit::OverrideProgramFolder(argv[1]);
  std::unique_ptr<app::MainForm> form = app::CreateMainForm();
  if (!form) return 1;
  toolkit::SetMainWindow(&form->Window());
  form->Window().Show();
  toolkit::ProcessMessages();
  std::vector<std::string> dropped(argv + 2, argv + argc);
  form->HandleDrop(dropped, 0);
  form->FileList().SetRowState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  toolkit::RunMessageLoop(form->Window());
  return 0;
}
