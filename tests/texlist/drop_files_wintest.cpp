// Files and folders dropped on the real list, delivered as WM_DROPFILES with a drop
// handle made in this process, as the shell delivers them.
#include <gtest/gtest.h>
#include <windows.h>

#include "support/app_harness_win.h"
#include "support/import_support_win.h"
#include "texlist/folder_scan.h"
#include "toolkit/application.h"

using namespace testing_support;

namespace {

void MakeDir(const std::string& path) { ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr)) << path; }
void Touch(const std::string& path) { WriteFileBytes(path, "DDS "); }

class DroppedFiles : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(app.Start()); }
  void Drop(const std::vector<std::string>& paths) {
    DropFiles(static_cast<HWND>(app.Form().FileList->Handle()), paths);
    app.Pump(50);
  }
  std::vector<std::string> Paths() { return ListedPaths(app.Form()); }

  AppHarness app;
  DialogWatcher watcher;
};

TEST_F(DroppedFiles, FilesAndFoldersInDropOrderFoldersInScanOrder) {
  TempFolder t;
  Touch(t.File("one.dds"));
  Touch(t.File("X.DdS"));
  Touch(t.File("skip.txt"));
  MakeDir(t.File("tree"));
  Touch(t.File("tree\\b.dds"));
  MakeDir(t.File("tree\\sub"));
  Touch(t.File("tree\\sub\\a.dds"));
  MakeDir(t.File("tree\\maps.dds"));
  Touch(t.File("tree\\maps.dds\\m.dds"));
  MakeDir(t.File("nothing"));
  Touch(t.File("nothing\\readme.txt"));
  app.Form().LastPath = "D:\\kept\\";

  Drop({t.File("one.dds"), t.File("tree"), t.File("skip.txt"), t.File("nothing"), t.File("X.DdS")});
  toolkit::StringList tree;
  texlist::ScanFolderTree(t.File("tree"), "*.dds", tree);
  ASSERT_EQ(tree.size(), 3u);
  std::vector<std::string> expected = {t.File("one.dds")};
  expected.insert(expected.end(), tree.begin(), tree.end());
  expected.push_back(t.File("X.DdS"));
  EXPECT_EQ(Paths(), expected);
  ASSERT_EQ(app.Form().FileList->RowCount(), 5);
  EXPECT_EQ(app.Form().FileList->Text(4, 0), "X.DdS");
  // No message for the folder without DDS files; the import folder stays; the controls
  // have their own cursors back.
  EXPECT_TRUE(watcher.Boxes().empty());
  EXPECT_EQ(app.Form().LastPath, "D:\\kept\\");
  EXPECT_FALSE(toolkit::ScreenCursorSet());

  // The same file again is a second row.
  Drop({t.File("one.dds")});
  EXPECT_EQ(Paths().size(), 6u);
  EXPECT_EQ(Paths().back(), t.File("one.dds"));

  app.CloseWindow();
  EXPECT_NE(ReadFileBytes(app.ProgramDir().File("texlook.ini")).find("Last path=D:\\kept\\\r\n"),
            std::string::npos);
}

TEST_F(DroppedFiles, MissingPathsCountByTheirNameAlone) {
  TempFolder t;
  Drop({t.File("ghost.dds"), t.File("ghost-folder"), t.File("ghost.txt")});
  EXPECT_EQ(Paths(), (std::vector<std::string>{t.File("ghost.dds")}));
  EXPECT_EQ(app.Form().FileList->Text(0, 1), "0");
}

TEST_F(DroppedFiles, LinkLoopInADroppedFolderEnds) {
  TempFolder t;
  MakeDir(t.File("tree"));
  Touch(t.File("tree\\a.dds"));
  ASSERT_TRUE(MakeUnixSymlink(t.File("tree\\again"), "."));
  Drop({t.File("tree")});
  EXPECT_EQ(Paths(), (std::vector<std::string>{t.File("tree\\a.dds")}));
}

TEST_F(DroppedFiles, NothingHappensWhileAnExportRuns) {
  TempFolder t;
  Touch(t.File("one.dds"));
  app.Form().exportRunning = true;
  Drop({t.File("one.dds")});
  EXPECT_TRUE(Paths().empty());
  EXPECT_EQ(app.Form().FileList->RowCount(), 0);
}

}  // namespace
