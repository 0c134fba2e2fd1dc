// "Импортировать DDS-файлы в список из папки...".
#include "app/handlers.h"
#include "app/main_form.h"
#include "texlist/bulk_add.h"
#include "texlist/folder_scan.h"
#include "toolkit/application.h"
#include "toolkit/folder_chooser.h"

namespace {
const char kChooserTitle[] = "Импорт DDS-файлов из папки (включая подкаталоги):";
const char kNothingFound[] = "Не найдено ни одного файла DDS!";
}  // namespace

void ImportFolder(MainForm& form) {
  if (form.exportRunning) return;  // the export reads the list between rows
  toolkit::FolderChooser& chooser = *form.FolderChooser;
  chooser.SetInitialPath(form.LastPath);
  chooser.Title = kChooserTitle;
  if (!chooser.Execute()) return;
  const std::string folder = chooser.Path();
  // Repaint what the chooser covered before the window stops answering.
  toolkit::SetScreenCursor(toolkit::CursorKind::Wait);
  toolkit::ProcessMessages();
  toolkit::StringList found;
  texlist::ScanFolderTree(folder, "*.dds", found);
  texlist::AddTextureFiles(form, found);
  // Show the arrow now, then hand the cursor back to the controls (the splitter keeps
  // its own).
  toolkit::SetScreenCursor(toolkit::CursorKind::Arrow);
  toolkit::ClearScreenCursor();
  if (found.empty()) toolkit::ShowMessage(kNothingFound);
  form.LastPath = folder;
}
