#include "app/window_adapters_win.h"

#include <utility>

#include "preview/paint_preview_win.h"
#include "toolkit/win/application_win.h"

namespace app {

namespace {
const char kFolderRefused[] =
    "Путь к выбранной папке слишком длинный или содержит недопустимые символы. Выберите другую папку.";
}  // namespace

void ProgramMessages::Show(const std::string& text) { toolkit::ShowMessage(text); }

bool ProgramLoop::ProcessMessages() {
  toolkit::ProcessMessages();
  return !toolkit::Terminated();
}

void ProgramLoop::ShowWaitCursor(bool on) {
  if (on) {
    toolkit::SetScreenCursor(toolkit::CursorKind::Wait);
    return;
  }
  // Show the arrow now, then hand the cursor back to the controls (the splitter keeps its
  // own).
  toolkit::SetScreenCursor(toolkit::CursorKind::Arrow);
  toolkit::ClearScreenCursor();
}

void ProgramLoop::WhenIdle(std::function<void()> work) { toolkit::SetIdleWork(std::move(work)); }

bool FolderDialog::ChooseFolder(const std::string& title, const std::string& initialPath, std::string& folder) {
  chooser_.SetInitialPath(initialPath);
  chooser_.title = title;
  if (!chooser_.Execute()) {
    if (chooser_.pathRefused) messages_.Show(kFolderRefused);
    return false;
  }
  folder = chooser_.Path();
  return true;
}

bool FileDialog::ChooseFiles(const std::string& title, const std::string& filter, const std::string& initialDir,
                             std::vector<std::string>& chosen, int& leftOut) {
  dialog_.initialDir = initialDir;
  dialog_.title = title;
  dialog_.filter = filter;
  if (!dialog_.Execute()) return false;
  chosen = dialog_.files;
  leftOut = dialog_.leftOut;
  return true;
}

std::vector<int> ListRows::SelectedRows() {
  std::vector<int> rows;
  for (int row = list_.FirstSelected(); row >= 0; row = list_.NextSelected(row)) {
    if (!rows.empty() && row <= rows.back()) break;  // the list hands them out ascending
    rows.push_back(row);
  }
  return rows;
}

void PreviewBoxPane::Invalidate() {
  preview::PreparePreview(preview_, box_);
  box_.Invalidate();
}

}  // namespace app
