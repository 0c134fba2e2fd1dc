// "Импортировать DDS-файлы в список из папки..." with the real window and the real
// chooser, answered from the watcher thread as a user would.
#include <gtest/gtest.h>
#include <windows.h>

#include <mutex>

#include "support/app_harness_win.h"
#include "support/import_support_win.h"
#include "texlist/folder_scan.h"
#include "toolkit/application.h"
#include "toolkit/folder_chooser.h"
#include "toolkit/layout.h"
#include "toolkit/path_helpers.h"

using namespace testing_support;

namespace {

constexpr UINT kImportFolderCommand = 4098;
const char kChooserTitle[] = "Импорт DDS-файлов из папки (включая подкаталоги):";
const char kNothingFound[] = "Не найдено ни одного файла DDS!";

void MakeDir(const std::string& path) { ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr)) << path; }
void Touch(const std::string& path) { WriteFileBytes(path, "DDS "); }
std::string NoSlash(const std::string& folder) { return folder.substr(0, folder.size() - 1); }

// What the chooser looked like when it opened, and the folder to answer with (empty:
// cancel).
struct ChooserVisit {
  std::mutex mutex;
  std::string answer;
  int opened = 0;
  bool titleShown = false;
  std::string selected;
  RECT rect = {};
};

DialogWatcher::Answerer AnswerChooser(ChooserVisit& visit) {
  return [&visit](HWND dialog, const std::string&) {
    if (!FindDescendant(dialog, "SysTreeView32")) return false;  // a message box
    Sleep(300);                                                  // let the tree fill in
    std::lock_guard<std::mutex> lock(visit.mutex);
    ++visit.opened;
    visit.titleShown = FindDescendant(dialog, "Static", kChooserTitle) != nullptr;
    visit.selected = SelectedTreeItem(dialog);
    GetWindowRect(dialog, &visit.rect);
    if (visit.answer.empty()) {
      PressCancel(dialog);
    } else {
      ChooseFolder(dialog, visit.answer);
    }
    return true;
  };
}

std::vector<std::string> Paths(MainForm& f) { return ListedPaths(f); }

void RunImport(AppHarness& app) {
  PostMessageA(static_cast<HWND>(app.Form().MainWindow->Handle()), WM_COMMAND, kImportFolderCommand, 0);
  app.Pump(300);
}

TEST(ImportFolder, AddsTheTreeDepthFirstThenOpensAtTheLastFolderAndSaysWhenNothingIsFound) {
  TempFolder t, empty;
  Touch(t.File("b.dds"));
  Touch(t.File("notes.txt"));
  MakeDir(t.File("sub"));
  Touch(t.File("sub\\a.dds"));
  MakeDir(t.File("secret"));
  SetFileAttributesA(t.File("secret").c_str(), FILE_ATTRIBUTE_HIDDEN);
  Touch(t.File("secret\\x.DDS"));
  MakeDir(t.File("maps.dds"));
  Touch(t.File("maps.dds\\inner.dds"));
  MakeDir(empty.File("nothing-here"));
  Touch(empty.File("readme.txt"));

  AppHarness app;
  ASSERT_TRUE(app.Start());
  MainForm& f = app.Form();
  ChooserVisit visit;
  DialogWatcher watcher(AnswerChooser(visit));

  // First run: no remembered folder, so nothing of ours is selected.
  visit.answer = NoSlash(t.Path());
  RunImport(app);
  toolkit::StringList expected;
  texlist::ScanFolderTree(t.Path(), "*.dds", expected);
  ASSERT_EQ(expected.size(), 4u);
  EXPECT_EQ(expected[0], t.File("b.dds"));  // own files before the subfolders'
  {
    std::lock_guard<std::mutex> lock(visit.mutex);
    EXPECT_EQ(visit.opened, 1);
    EXPECT_TRUE(visit.titleShown);
  }
  EXPECT_EQ(Paths(f), expected);
  ASSERT_EQ(f.FileList->RowCount(), 4);
  for (int row = 0; row < 4; ++row) {
    EXPECT_EQ(f.FileList->Text(row, 0), toolkit::ExtractFileName(expected[static_cast<size_t>(row)]));
    EXPECT_EQ(f.FileList->Text(row, 1), "4");
    EXPECT_EQ(f.FileList->Text(row, 2), toolkit::ExtractFilePath(expected[static_cast<size_t>(row)]));
  }
  EXPECT_EQ(f.LastPath, NoSlash(t.Path()));  // as the chooser gives it
  EXPECT_TRUE(watcher.Boxes().empty());
  EXPECT_FALSE(toolkit::ScreenCursorSet());  // the controls have their own cursors back

  // Second run opens at the remembered folder; a folder without DDS files says so once,
  // after the cursor is back, and is remembered all the same.
  visit.answer = NoSlash(empty.Path());
  RunImport(app);
  {
    std::lock_guard<std::mutex> lock(visit.mutex);
    EXPECT_EQ(visit.opened, 2);
    EXPECT_EQ(visit.selected, toolkit::ExtractFileName(NoSlash(t.Path())));
  }
  auto boxes = watcher.Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].title, "Texlook");
  EXPECT_EQ(boxes[0].text, kNothingFound);
  EXPECT_EQ(f.FileList->RowCount(), 4);
  EXPECT_EQ(f.LastPath, NoSlash(empty.Path()));

  // The same folder again adds every file again.
  visit.answer = NoSlash(t.Path());
  RunImport(app);
  EXPECT_EQ(f.FileList->RowCount(), 8);
  EXPECT_EQ(watcher.Boxes().size(), 1u);

  app.CloseWindow();
  EXPECT_NE(
      ReadFileBytes(app.ProgramDir().File("texlook.ini")).find("Last path=" + NoSlash(t.Path()) + "\r\n"),
      std::string::npos);
}

TEST(ImportFolder, CancelChangesNothing) {
  AppHarness app;
  ASSERT_TRUE(app.Start());
  MainForm& f = app.Form();
  f.LastPath = "C:\\windows\\";
  ChooserVisit visit;  // no answer: cancel
  DialogWatcher watcher(AnswerChooser(visit));
  RunImport(app);
  {
    std::lock_guard<std::mutex> lock(visit.mutex);
    EXPECT_EQ(visit.opened, 1);
    // The remembered folder is selected without its final backslash.
    EXPECT_EQ(visit.selected, "windows");
  }
  EXPECT_EQ(f.FileList->RowCount(), 0);
  EXPECT_EQ(f.LastPath, "C:\\windows\\");
  EXPECT_TRUE(watcher.Boxes().empty());
  app.CloseWindow();
  EXPECT_NE(ReadFileBytes(app.ProgramDir().File("texlook.ini")).find("Last path=C:\\windows\\\r\n"),
            std::string::npos);
}

TEST(ImportFolder, ChooserOpensCentredOnTheScreen) {
  AppHarness app;
  ASSERT_TRUE(app.Start());
  ChooserVisit visit;
  DialogWatcher watcher(AnswerChooser(visit));
  RunImport(app);
  std::lock_guard<std::mutex> lock(visit.mutex);
  ASSERT_EQ(visit.opened, 1);
  const int w = visit.rect.right - visit.rect.left, h = visit.rect.bottom - visit.rect.top;
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
  EXPECT_EQ(visit.rect.left, toolkit::CentredOffset(1024, w)) << w << "x" << h;
  EXPECT_EQ(visit.rect.top, toolkit::CentredOffset(768, h)) << w << "x" << h;
}

TEST(ImportFolder, CentringPutsA300By400WindowAt362And184) {
  HWND window =
      CreateWindowExA(0, "STATIC", "", WS_POPUP, 5, 7, 300, 400, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  toolkit::CentreWindowOnScreen(window);
  RECT r;
  GetWindowRect(window, &r);
  EXPECT_EQ(r.left, 362);
  EXPECT_EQ(r.top, 184);
  EXPECT_EQ(r.right - r.left, 300);
  EXPECT_EQ(r.bottom - r.top, 400);
  DestroyWindow(window);
}

TEST(ImportFolder, DriveRootGivesOneBackslash) {
  TempFolder t;
  Touch(t.File("x.dds"));
  TempDrive drive(t.Path());
  ASSERT_TRUE(drive.Ok());
  AppHarness app;
  ASSERT_TRUE(app.Start());
  ChooserVisit visit;
  visit.answer = drive.Root();
  DialogWatcher watcher(AnswerChooser(visit));
  RunImport(app);
  EXPECT_EQ(Paths(app.Form()), (std::vector<std::string>{drive.Root() + "x.dds"}));
  EXPECT_EQ(app.Form().LastPath, drive.Root());
}

TEST(ImportFolder, DoesNothingWhileAnExportRuns) {
  TempFolder t;
  Touch(t.File("x.dds"));
  AppHarness app;
  ASSERT_TRUE(app.Start());
  ChooserVisit visit;
  visit.answer = NoSlash(t.Path());
  DialogWatcher watcher(AnswerChooser(visit));
  app.Form().exportRunning = true;
  RunImport(app);
  std::lock_guard<std::mutex> lock(visit.mutex);
  EXPECT_EQ(visit.opened, 0);
  EXPECT_EQ(app.Form().FileList->RowCount(), 0);
}

}  // namespace
