#include "app/window_parts_win.h"

#include "app/main_form_win.h"
#include "preview/paint_preview_win.h"
#include "toolkit/win/application_win.h"
#include "toolkit/portable/file_copy.h"
#include "toolkit/portable/file_system.h"

namespace {
const char kFolderRefused[] =
    "Путь к выбранной папке слишком длинный или содержит недопустимые символы. Выберите другую папку.";
}  // namespace

void WindowParts::Show(const std::string& text) { toolkit::ShowMessage(text); }

void WindowParts::SetStatusText(int panel, const std::string& text) {
  form_.MainWindow->SetStatusText(panel, text);
}

void WindowParts::SetProgress(int percent) { form_.ExportProgress->SetPosition(percent); }

bool WindowParts::ChooseFolder(const std::string& title, const std::string& initialPath,
                               std::string& folder) {
  toolkit::FolderChooser& chooser = *form_.FolderChooser;
  chooser.SetInitialPath(initialPath);
  chooser.title = title;
  if (!chooser.Execute()) {
    if (chooser.pathRefused) Show(kFolderRefused);
    return false;
  }
  folder = chooser.Path();
  return true;
}

bool WindowParts::ChooseFiles(const std::string& title, const std::string& filter,
                              const std::string& initialDir, std::vector<std::string>& chosen, int& leftOut) {
  toolkit::OpenDialog& dialog = *form_.OpenDialog;
  dialog.initialDir = initialDir;
  dialog.title = title;
  dialog.filter = filter;
  if (!dialog.Execute()) return false;
  chosen = dialog.files;
  leftOut = dialog.leftOut;
  return true;
}

bool WindowParts::ProcessMessages() {
  toolkit::ProcessMessages();
  return !toolkit::Terminated();
}

void WindowParts::ShowWaitCursor(bool on) {
  if (on) {
    toolkit::SetScreenCursor(toolkit::CursorKind::Wait);
    return;
  }
  // Show the arrow now, then hand the cursor back to the controls (the splitter keeps its
  // own).
  toolkit::SetScreenCursor(toolkit::CursorKind::Arrow);
  toolkit::ClearScreenCursor();
}

void WindowParts::ShowRowCount(int count) { form_.FileList->SetRowCount(count); }

void WindowParts::DeleteAllRows() { form_.FileList->DeleteAllRows(); }

std::vector<int> WindowParts::SelectedRows() {
  std::vector<int> rows;
  toolkit::ListView& list = *form_.FileList;
  for (int row = list.FirstSelected(); row >= 0; row = list.NextSelected(row)) {
    if (!rows.empty() && row <= rows.back()) break;  // the list hands them out ascending
    rows.push_back(row);
  }
  return rows;
}

int WindowParts::FirstSelected() { return form_.FileList->FirstSelected(); }

void WindowParts::Invalidate() {
  preview::PreparePreview(form_.Preview, *form_.PreviewBox);
  form_.PreviewBox->Invalidate();
}

bool WindowParts::SameFile(const std::string& a, const std::string& b) { return toolkit::SameFile(a, b); }

std::string WindowParts::ComparedName(const std::string& path) { return toolkit::FileSystemUpperCase(path); }

bool WindowParts::Write(const std::string& source, const std::string& target) {
  return toolkit::CopyThroughTemporary(source, target);
}
