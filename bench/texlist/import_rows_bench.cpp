// Rows on screen under Wine for the three imports, the way the program adds them now and
// the old way (a directory search per row for its size, rows inserted one by one), on the
// real list of a real main window:
//   folder import of a tree (the script makes 20,000 DDS files in 2,000 folders),
//   a drop of every file of one folder (12,000), and the open dialog choosing 5,000 files
//   of one folder (the dialog's answer given through its platform hook).
// Run: scripts/bench-import.sh
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/main_form_win.h"
#include "texlist/imports.h"
#include "toolkit/win/application_win.h"
#include "toolkit/portable/file_system.h"
#include "toolkit/portable/path_helpers.h"

namespace {

using Clock = std::chrono::steady_clock;
double Ms(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double, std::milli>(b - a).count();
}

struct FixedFolder : texlist::FolderPrompt {
  std::string folder;
  bool ChooseFolder(const std::string&, const std::string&, std::string& chosen) override {
    chosen = folder;
    return true;
  }
};

// The open dialog's answer: the folder and the names, as the platform fills the buffer.
std::wstring g_dialogAnswer;
int AnswerDialog(OPENFILENAMEW* ofn, bool) {
  if (g_dialogAnswer.size() + 2 > ofn->nMaxFile) return 0;
  std::memcpy(ofn->lpstrFile, g_dialogAnswer.data(), g_dialogAnswer.size() * sizeof(wchar_t));
  ofn->lpstrFile[g_dialogAnswer.size()] = L'\0';
  ofn->lpstrFile[g_dialogAnswer.size() + 1] = L'\0';
  return 1;
}

std::wstring Wide(const std::string& text) {
  std::wstring out(text.size(), L'\0');
  out.resize(static_cast<size_t>(
      MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &out[0], static_cast<int>(out.size()))));
  return out;
}

// How rows were added before, into a list that holds its own texts: the size from a
// directory search of its own, one insert at a time (repainting held, as it was).
void AddTheOldWay(toolkit::ListView& list, const std::vector<std::string>& paths) {
  list.DeleteAllRows();
  list.SetRedraw(false);
  for (const std::string& path : paths) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(path.c_str(), &data);
    uint32_t size = 0;
    if (find != INVALID_HANDLE_VALUE) {
      size = data.nFileSizeLow;
      FindClose(find);
    }
    const int row = list.InsertRow(list.RowCount(), toolkit::ExtractFileName(path));
    list.SetText(row, 1, std::to_string(size));
    list.SetText(row, 2, toolkit::ExtractFilePath(path));
  }
  list.SetRedraw(true);
}

std::vector<std::string> FilesOf(const std::string& folder) {
  std::vector<std::string> paths;
  for (const auto& entry :
       toolkit::ListDirectory(toolkit::WithTrailingBackslash(folder), "*.dds", toolkit::kAttrNormal))
    paths.push_back(toolkit::WithTrailingBackslash(folder) + entry.name);
  return paths;
}

// Median of `count` runs of `work` from an empty list to the rows painted.
template <typename Work>
double RowsOnScreen(app::MainForm& form, toolkit::ListView& list, int count, Work work) {
  std::vector<double> runs;
  for (int i = 0; i < count; ++i) {
    form.Run(app::Command::ClearList);
    toolkit::ProcessMessages();
    const auto t0 = Clock::now();
    work();
    UpdateWindow(list.Handle());
    runs.push_back(Ms(t0, Clock::now()));
  }
  std::sort(runs.begin(), runs.end());
  return runs[runs.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::printf("usage: bench_import_rows <tree> <one folder> <folder with readdxt.exe>\n");
    return 2;
  }
  const std::string tree = argv[1], flat = argv[2];
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string dir = std::string(temp) + "texlook-bench-import\\";
  CreateDirectoryA(dir.c_str(), nullptr);
  CopyFileA((std::string(argv[3]) + "\\readdxt.exe").c_str(), (dir + "readdxt.exe").c_str(), FALSE);
  toolkit::OverrideProgramFolder(dir);

  auto form = app::CreateMainForm();
  if (!form) return 1;
  toolkit::SetMainWindow(&form->Window());
  form->Window().Show();
  toolkit::ProcessMessages();
  app::MainForm& f = *form;
  // A list of the old kind, holding its own texts, in the same place for the old way.
  toolkit::ListView::Options options;
  options.multiSelect = true;
  toolkit::ListView& old = *toolkit::Control::Create<toolkit::ListView>(f.FileList().Parent(), options);
  old.SetAlign(toolkit::Align::Client);
  for (const char* column : {"1", "2", "3"}) old.AddColumn(column, toolkit::TextAlign::Left, 80);
  old.Handle();
  texlist::ImportContext& context = f.Imports();

  // Warm the caches once.
  FixedFolder chooser;
  chooser.folder = tree;
  texlist::ImportFolder(context, chooser);
  std::vector<texlist::TextureEntry> walked;
  texlist::WalkFolderTree(context.files, tree, "*.dds", walked);
  std::vector<std::string> treePaths;
  for (const auto& e : walked) treePaths.push_back(e.fullPath);
  const std::vector<std::string> flatPaths = FilesOf(flat);
  const std::vector<std::string> chosen(flatPaths.begin(),
                                        flatPaths.begin() + std::min<size_t>(5000, flatPaths.size()));
  g_dialogAnswer = Wide(flat);
  for (const std::string& path : chosen) g_dialogAnswer += L'\0' + Wide(toolkit::ExtractFileName(path));
  toolkit::SetOpenDialogPlatformCall(&AnswerDialog);

  const double folderNew = RowsOnScreen(f, f.FileList(), 3, [&] { texlist::ImportFolder(context, chooser); });
  const double folderOld = RowsOnScreen(f, old, 3, [&] {
    std::vector<texlist::TextureEntry> found;
    texlist::WalkFolderTree(context.files, tree, "*.dds", found);
    AddTheOldWay(old, treePaths);
  });
  const double dropNew = RowsOnScreen(f, f.FileList(), 3, [&] { f.HandleDrop(flatPaths, 0); });
  const double dropOld = RowsOnScreen(f, old, 1, [&] { AddTheOldWay(old, flatPaths); });
  const double dialogNew = RowsOnScreen(f, f.FileList(), 3, [&] { f.Run(app::Command::ImportFiles); });
  const double dialogOld = RowsOnScreen(f, old, 1, [&] { AddTheOldWay(old, chosen); });
  toolkit::SetOpenDialogPlatformCall(nullptr);

  std::printf("%-44s %9s %9s\n", "rows on screen (median of 3; old one-folder runs once)", "old ms",
              "new ms");
  std::printf("%-44s %9.1f %9.1f\n",
              ("folder import, " + std::to_string(treePaths.size()) + " files").c_str(), folderOld,
              folderNew);
  std::printf("%-44s %9.1f %9.1f\n",
              ("drop of one folder's " + std::to_string(flatPaths.size()) + " files").c_str(), dropOld,
              dropNew);
  std::printf("%-44s %9.1f %9.1f\n",
              ("open dialog, " + std::to_string(chosen.size()) + " files of one folder").c_str(), dialogOld,
              dialogNew);
  std::printf("result: import_20000_rows_ms %.0f\n", folderNew);
  std::printf("result: drop_12000_one_folder_ms %.0f\n", dropNew);
  std::printf("result: open_dialog_5000_ms %.0f\n", dialogNew);

  form.reset();
  toolkit::SetMainWindow(nullptr);
  return 0;
}
