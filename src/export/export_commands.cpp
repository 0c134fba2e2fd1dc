// The two export commands of the list's popup menu.
#include "app/handlers.h"
#include "app/main_form.h"
#include "converter/run_converter.h"
#include "export/export_plan.h"
#include "export/export_textures.h"
#include "toolkit/application.h"
#include "toolkit/file_system.h"
#include "toolkit/folder_chooser.h"

namespace {

const char kTitleAll[] = "Экспортировать файлы в папку:";
const char kTitleSelected[] = "Экспортировать файл(ы) в папку:";

// Marks the export as running from the folder dialog to the closing message: the list
// and export commands that the worker lets through between rows then do nothing.
class ExportRunning {
 public:
  explicit ExportRunning(MainForm& form) : form_(form) { form_.exportRunning = true; }
  ~ExportRunning() { form_.exportRunning = false; }
  ExportRunning(const ExportRunning&) = delete;
  ExportRunning& operator=(const ExportRunning&) = delete;

 private:
  MainForm& form_;
};

void RunExport(MainForm& form, bool allEntries) {
  if (form.exportRunning) return;
  if (allEntries ? form.textures.TextureCount() == 0 : form.FileList->SelectedCount() == 0) return;
  ExportRunning running(form);
  // A stale output would otherwise be taken for the first row's.
  toolkit::DeleteFileAt(ProgramOutputPath());
  toolkit::FolderChooser& chooser = *form.FolderChooser;
  chooser.SetInitialPath(form.OutputPath);
  chooser.Title = allEntries ? kTitleAll : kTitleSelected;
  if (!chooser.Execute()) return;
  // Remembered before the rows run: closing the window during the export saves the
  // settings there and then, and they must hold this folder.
  form.OutputPath = chooser.Path();
  const ExportOutcome outcome = ExportTextures(form, allEntries, form.OutputPath);
  if (outcome.interrupted) return;  // the window is closing; nobody is left to tell
  toolkit::ShowMessage(exporter::ExportSummaryText(outcome.failed, outcome.total));
  form.ExportProgress->SetPosition(0);
}

}  // namespace

void ExportSelected(MainForm& form) { RunExport(form, false); }
void ExportAll(MainForm& form) { RunExport(form, true); }
