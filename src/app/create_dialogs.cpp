// The main window's open dialog and folder chooser, owned by its release list.
#include <memory>

#include "app/handlers.h"
#include "app/main_form.h"
#include "toolkit/dialog_texts.h"
#include "toolkit/folder_chooser.h"
#include "toolkit/open_dialog.h"

void CreateDialogs(MainForm& form) {
  auto chooser = std::make_unique<toolkit::FolderChooser>("", 0);
  chooser->CenterOnScreen = true;
  form.FolderChooser = chooser.get();
  form.MainWindow->RegisterForRelease(std::move(chooser));

  auto dialog = std::make_unique<toolkit::OpenDialog>("", "", toolkit::kMainOpenDialogOptions);
  dialog->IsOpenDialog = true;
  form.OpenDialog = dialog.get();
  form.MainWindow->RegisterForRelease(std::move(dialog));

  // Called before the window exists: asking for its handle here would create it before
  // its controls. The owner stays null, which the dialogs take as the main window when
  // they open.
}
