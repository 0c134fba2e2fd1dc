// "Импортировать DDS-файл(ы) в список..." and files or folders dropped on the list.
#include "app/handlers.h"
#include "app/main_form.h"
#include "texlist/bulk_add.h"
#include "texlist/dds_name.h"
#include "texlist/folder_scan.h"
#include "texlist/import_texts.h"
#include "texlist/texture_list_ops.h"
#include "toolkit/application.h"
#include "toolkit/file_system.h"
#include "toolkit/open_dialog.h"

namespace {
const char kOpenDialogTitle[] = "Выберите файл(ы) для импорта в список";
const char kOpenDialogFilter[] = "Файлы DDS (Direct Draw Surface)|*.dds";
}  // namespace

void ImportFiles(MainForm& form) {
  if (form.exportRunning) return;  // the export reads the list between rows
  toolkit::OpenDialog& dialog = *form.OpenDialog;
  dialog.InitialDir = form.LastPath;
  dialog.Title = kOpenDialogTitle;
  dialog.FileName.clear();
  dialog.Filter = kOpenDialogFilter;
  if (!dialog.Execute()) return;
  const texlist::OpenDialogImport chosen = texlist::ParseOpenDialogResult(dialog.FileName);
  texlist::AddTextureFiles(form, chosen.paths);
  if (chosen.setLastPath) form.LastPath = chosen.lastPath;
}

void HandleDroppedFiles(MainForm& form, const std::string& dropped) {
  if (form.exportRunning) return;
  // Pending repaints first: nothing is processed while the drop is being added.
  toolkit::SetScreenCursor(toolkit::CursorKind::Wait);
  toolkit::ProcessMessages();
  {
    texlist::ListRedrawPause pause(form);
    for (const std::string& item : texlist::SplitOnCarriageReturn(dropped)) {
      if (toolkit::DirectoryExists(item)) {
        toolkit::StringList found;
        texlist::ScanFolderTree(item, "*.dds", found);
        for (const std::string& path : found) AddTextureFile(form, path);
      } else if (texlist::IsDdsPath(item)) {
        AddTextureFile(form, item);
      }
    }
  }
  // Show the arrow now, then hand the cursor back to the controls (the splitter keeps
  // its own).
  toolkit::SetScreenCursor(toolkit::CursorKind::Arrow);
  toolkit::ClearScreenCursor();
}
