// "Импортировать DDS-файл(ы) в список..." with the real window and the real open
// dialog, answered from the watcher thread as a user would: names typed, Open pressed.
#include <windows.h>
// (needs windows.h first)
#include <commdlg.h>
#include <gtest/gtest.h>

#include <deque>
#include <mutex>

#include "support/app_harness_win.h"
#include "support/import_support_win.h"
#include "toolkit/open_dialog.h"

using namespace testing_support;

namespace {

constexpr UINT kImportFilesCommand = 4097;
const char kDialogTitle[] = "Выберите файл(ы) для импорта в список";

void Touch(const std::string& path) { WriteFileBytes(path, "DDS "); }

// What reached the platform, recorded on the window's thread before the dialog opened.
struct PlatformCall {
  DWORD structSize = 0;
  DWORD flags = 0;
  DWORD maxFile = 0;
  HWND owner = nullptr;
  HINSTANCE instance = nullptr;
  std::string filter;  // up to and including the two final NULs
  std::string initialDir, title, proposedName;
  bool initialDirNull = false, defaultExtEmptyText = false;
  int calls = 0;
};
PlatformCall g_call;

int RecordAndOpen(void* data, bool isOpen) {
  auto* ofn = static_cast<OPENFILENAMEA*>(data);
  ++g_call.calls;
  g_call.structSize = ofn->lStructSize;
  g_call.flags = ofn->Flags;
  g_call.maxFile = ofn->nMaxFile;
  g_call.owner = ofn->hwndOwner;
  g_call.instance = ofn->hInstance;
  g_call.filter.clear();
  if (const char* f = ofn->lpstrFilter) {
    size_t n = 1;
    while (f[n] != '\0' || f[n - 1] != '\0') ++n;
    g_call.filter.assign(f, n + 1);
  }
  g_call.initialDirNull = ofn->lpstrInitialDir == nullptr;
  g_call.initialDir = ofn->lpstrInitialDir ? ofn->lpstrInitialDir : "";
  g_call.title = ofn->lpstrTitle ? ofn->lpstrTitle : "";
  g_call.proposedName = ofn->lpstrFile;
  g_call.defaultExtEmptyText = ofn->lpstrDefExt != nullptr && ofn->lpstrDefExt[0] == '\0';
  return toolkit::CallOpenDialogPlatform(data, isOpen);
}

// Answers the open dialog with the next prepared names (empty: cancel).
struct DialogHands {
  std::mutex mutex;
  std::deque<std::string> answers;
  int opened = 0;
  std::string filterBox;
};

DialogWatcher::Answerer AnswerOpenDialog(DialogHands& hands) {
  return [&hands](HWND dialog, const std::string& title) {
    // The dialog's own complaints carry its title too: they have no file-type box.
    if (title != kDialogTitle || !GetDlgItem(dialog, 0x470)) return false;
    Sleep(200);
    std::lock_guard<std::mutex> lock(hands.mutex);
    ++hands.opened;
    hands.filterBox = FilterBoxText(dialog);
    std::string names;
    if (!hands.answers.empty()) {
      names = hands.answers.front();
      hands.answers.pop_front();
    }
    if (names.empty()) {
      PressCancel(dialog);
    } else {
      TypeNamesAndOpen(dialog, names);
    }
    return true;
  };
}

class ImportFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    g_call = PlatformCall();
    toolkit::SetOpenDialogPlatformCall(&RecordAndOpen);
    ASSERT_TRUE(app.Start());
  }
  void TearDown() override { toolkit::SetOpenDialogPlatformCall(nullptr); }

  // Opens the dialog through the menu and answers it with `names` (empty: cancel).
  void Choose(const std::string& names, int pumpMs = 300) {
    {
      std::lock_guard<std::mutex> lock(hands.mutex);
      hands.answers.push_back(names);
    }
    PostMessageA(static_cast<HWND>(app.Form().MainWindow->Handle()), WM_COMMAND, kImportFilesCommand, 0);
    app.Pump(pumpMs);
  }
  std::vector<std::string> Paths() { return ListedPaths(app.Form()); }
  std::string SavedLastPath() {
    app.CloseWindow();
    const std::string text = ReadFileBytes(app.ProgramDir().File("texlook.ini"));
    const size_t at = text.find("Last path=");
    if (at == std::string::npos) return "<none>";
    return text.substr(at + 10, text.find("\r\n", at) - at - 10);
  }

  AppHarness app;
  DialogHands hands;
  DialogWatcher watcher{AnswerOpenDialog(hands)};
};

TEST_F(ImportFiles, OneFileIsAddedAndItsFolderRemembered) {
  TempFolder t;
  Touch(t.File("a.DDS"));
  Touch(t.File("b.dds"));
  app.Form().LastPath = t.Path();
  Choose("a.DDS");
  EXPECT_EQ(Paths(), (std::vector<std::string>{t.File("a.DDS")}));
  ASSERT_EQ(app.Form().FileList->RowCount(), 1);
  EXPECT_EQ(app.Form().FileList->Text(0, 0), "a.DDS");
  EXPECT_EQ(app.Form().FileList->Text(0, 1), "4");
  EXPECT_EQ(app.Form().FileList->Text(0, 2), t.Path());
  EXPECT_EQ(app.Form().LastPath, t.Path());

  // What the platform got: the short structure, the flags, the filter with its NULs,
  // the owner, the folder and the title; the name box starts empty.
  EXPECT_EQ(g_call.calls, 1);
  EXPECT_EQ(g_call.structSize, 76u);
  EXPECT_EQ(g_call.flags, 0x281A07u);
  static const char kPlatformFilter[] = "Файлы DDS (Direct Draw Surface)\0*.dds\0";  // and the literal's NUL
  EXPECT_EQ(g_call.filter, std::string(kPlatformFilter, sizeof kPlatformFilter));
  EXPECT_EQ(g_call.owner, static_cast<HWND>(app.Form().MainWindow->Handle()));
  EXPECT_EQ(g_call.instance, GetModuleHandleA(nullptr));
  EXPECT_EQ(g_call.initialDir, t.Path());
  EXPECT_EQ(g_call.title, kDialogTitle);
  EXPECT_EQ(g_call.proposedName, "");
  EXPECT_TRUE(g_call.defaultExtEmptyText);
  EXPECT_EQ(g_call.maxFile, toolkit::kManyFilesBufferSize);
  {
    std::lock_guard<std::mutex> lock(hands.mutex);
    EXPECT_EQ(hands.filterBox, "Файлы DDS (Direct Draw Surface)");
  }
  EXPECT_EQ(SavedLastPath(), t.Path());
}

TEST_F(ImportFiles, OneFileThatIsNotDdsAddsNothingAndKeepsTheFolder) {
  TempFolder t;
  Touch(t.File("a.txt"));
  // Without its backslash: what the import would set differs.
  const std::string before = t.Path().substr(0, t.Path().size() - 1);
  app.Form().LastPath = before;
  Choose("a.txt");
  EXPECT_EQ(hands.opened, 1);
  EXPECT_TRUE(Paths().empty());
  EXPECT_EQ(app.Form().LastPath, before);
  for (const auto& b : watcher.Boxes()) ADD_FAILURE() << b.title << ": " << b.text;
}

TEST_F(ImportFiles, SeveralFilesInTheDialogsOrderAndTheFolderAlwaysRemembered) {
  TempFolder t;
  for (const char* n : {"b.dds", "a.txt", "c.dds"}) Touch(t.File(n));
  app.Form().LastPath = t.Path();
  Choose(QuotedNames({"b.dds", "a.txt", "c.dds"}));
  EXPECT_EQ(Paths(), (std::vector<std::string>{t.File("b.dds"), t.File("c.dds")}));
  // The dialog gives the folder without its backslash; one is added.
  EXPECT_EQ(app.Form().LastPath, t.Path());
  // Only non-DDS files chosen: nothing added, the folder still remembered.
  app.Form().LastPath = t.Path().substr(0, t.Path().size() - 1);
  Choose(QuotedNames({"a.txt", "a.txt"}));
  EXPECT_EQ(Paths().size(), 2u);
  EXPECT_EQ(app.Form().LastPath, t.Path());
  EXPECT_EQ(SavedLastPath(), t.Path());
}

TEST_F(ImportFiles, DriveRootGivesTwoBackslashesForSeveralAndOneForOne) {
  TempFolder t;
  Touch(t.File("x.dds"));
  Touch(t.File("y.dds"));
  TempDrive drive(t.Path());
  ASSERT_TRUE(drive.Ok());
  const std::string root = drive.Root();  // "Y:\"
  app.Form().LastPath = root;
  Choose(QuotedNames({"x.dds", "y.dds"}));
  EXPECT_EQ(Paths(), (std::vector<std::string>{root + "\\x.dds", root + "\\y.dds"}));
  EXPECT_EQ(app.Form().LastPath, root + "\\");
  // The paths with two backslashes name the files all the same.
  EXPECT_EQ(app.Form().FileList->Text(0, 1), "4");
  Choose("x.dds");
  ASSERT_EQ(Paths().size(), 3u);
  EXPECT_EQ(Paths()[2], root + "x.dds");
  EXPECT_EQ(app.Form().LastPath, root);
  EXPECT_EQ(SavedLastPath(), root);
}

TEST_F(ImportFiles, CancelChangesNothing) {
  app.Form().LastPath = "C:\\windows\\";
  Choose("");
  EXPECT_EQ(hands.opened, 1);
  EXPECT_TRUE(Paths().empty());
  EXPECT_EQ(app.Form().LastPath, "C:\\windows\\");
  EXPECT_TRUE(watcher.Boxes().empty());
  EXPECT_EQ(SavedLastPath(), "C:\\windows\\");
}

TEST_F(ImportFiles, EmptyLastPathLeavesTheStartFolderToThePlatform) {
  Choose("");
  EXPECT_EQ(g_call.calls, 1);
  EXPECT_TRUE(g_call.initialDirNull);
}

TEST_F(ImportFiles, FiveThousandFilesWithLongNamesAreAllImported) {
  // About 760 KB of names: far more than a 64 KiB name buffer holds.
  TempFolder t;
  std::vector<std::string> names;
  const std::string stem =
      "a-texture-with-a-long-and-descriptive-name-as-artists-like-them-" + std::string(70, 'x') + "-";
  for (int i = 0; i < 5000; ++i) {
    names.push_back(stem + std::to_string(10000 + i) + ".dds");
    Touch(t.File(names.back()));
  }
  app.Form().LastPath = t.Path();
  Choose(QuotedNames(names), 1000);
  std::vector<std::string> expected;
  for (const std::string& n : names) expected.push_back(t.File(n));
  const std::vector<std::string> got = Paths();
  ASSERT_EQ(got.size(), expected.size());
  EXPECT_EQ(got, expected);
  EXPECT_EQ(app.Form().FileList->RowCount(), 5000);
  EXPECT_EQ(app.Form().LastPath, t.Path());
}

TEST_F(ImportFiles, DoesNothingWhileAnExportRuns) {
  app.Form().exportRunning = true;
  Choose("");
  EXPECT_EQ(g_call.calls, 0);
  EXPECT_EQ(hands.opened, 0);
}

}  // namespace
