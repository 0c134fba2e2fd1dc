// Rows on screen under Wine for the three imports on the real list of a real main window,
// beside a reference for each: finding the same files alone (the folder walk, or the listing of
// the one folder), without a row:
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
#include "toolkit/win/ansi_names_win.h"
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
int AnswerDialog(OPENFILENAMEW* ofn) {
  if (g_dialogAnswer.size() + 2 > ofn->nMaxFile) return 0;
  std::memcpy(ofn->lpstrFile, g_dialogAnswer.data(), g_dialogAnswer.size() * sizeof(wchar_t));
  ofn->lpstrFile[g_dialogAnswer.size()] = L'\0';
  ofn->lpstrFile[g_dialogAnswer.size() + 1] = L'\0';
  return 1;
}

// Median of `count` runs of `work`.
template <typename Work>
double Median(int count, Work work) {
  std::vector<double> runs;
  for (int i = 0; i < count; ++i) {
    const auto t0 = Clock::now();
    work();
    runs.push_back(Ms(t0, Clock::now()));
  }
  std::sort(runs.begin(), runs.end());
  return runs[runs.size() / 2];
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
  g_dialogAnswer = toolkit::ToWide(flat);
  for (const std::string& path : chosen) g_dialogAnswer += L'\0' + toolkit::ToWide(toolkit::ExtractFileName(path));
  toolkit::SetOpenDialogPlatformCall(&AnswerDialog);

  const double folderNew = RowsOnScreen(f, f.FileList(), 3, [&] { texlist::ImportFolder(context, chooser); });
  const double folderFloor = Median(3, [&] {
    std::vector<texlist::TextureEntry> found;
    texlist::WalkFolderTree(context.files, tree, "*.dds", found);
  });
  const double dropNew = RowsOnScreen(f, f.FileList(), 3, [&] { f.HandleDrop(flatPaths, 0); });
  const double dropFloor = Median(3, [&] { FilesOf(flat); });
  const double dialogNew = RowsOnScreen(f, f.FileList(), 3, [&] { f.Run(app::Command::ImportFiles); });
  const double dialogFloor = dropFloor;  // the same folder listed
  toolkit::SetOpenDialogPlatformCall(nullptr);

  std::printf("%-44s %9s %9s %7s\n", "median of 3", "find ms", "rows ms", "ratio");
  const auto line = [](const std::string& what, double floor, double rows) {
    std::printf("%-44s %9.1f %9.1f %7.2f\n", what.c_str(), floor, rows, floor > 0 ? rows / floor : 0.0);
  };
  line("folder import, " + std::to_string(treePaths.size()) + " files", folderFloor, folderNew);
  line("drop of one folder's " + std::to_string(flatPaths.size()) + " files", dropFloor, dropNew);
  line("open dialog, " + std::to_string(chosen.size()) + " files of one folder", dialogFloor, dialogNew);
  std::printf("result: import_20000_rows_ms %.0f\n", folderNew);
  std::printf("result: drop_12000_one_folder_ms %.0f\n", dropNew);
  std::printf("result: open_dialog_5000_ms %.0f\n", dialogNew);

  form.reset();
  toolkit::SetMainWindow(nullptr);
  return 0;
}
