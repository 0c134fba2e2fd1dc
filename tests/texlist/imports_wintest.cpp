// The three imports through the real window: the open dialog, the folder chooser over the
// real file system, and a drop.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/window_harness_win.h"
#include "toolkit/application_win.h"
#include "toolkit/layout.h"
#include "toolkit/open_dialog_win.h"

using namespace testing_support;

namespace {

void Touch(const std::string& path) { WriteFileBytes(path, "DDS "); }
void MakeDir(const std::string& path) { ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr)) << path; }

// What reached the platform, recorded on the window's thread before the dialog opened.
struct PlatformCall {
  DWORD structSize = 0, flags = 0;
  HWND owner = nullptr;
  std::string filter, initialDir;
} g_call;

std::string Ansi(const wchar_t* text, int length) {
  std::string out(static_cast<size_t>(length) * 2, '\0');
  out.resize(static_cast<size_t>(WideCharToMultiByte(CP_ACP, 0, text, length, &out[0], length * 2, nullptr, nullptr)));
  return out;
}

int RecordAndOpen(OPENFILENAMEW* ofn, bool isOpen) {
  g_call.structSize = ofn->lStructSize;
  g_call.flags = ofn->Flags;
  g_call.owner = ofn->hwndOwner;
  int n = 1;
  while (ofn->lpstrFilter[n] || ofn->lpstrFilter[n - 1]) ++n;
  g_call.filter = Ansi(ofn->lpstrFilter, n + 1);
  g_call.initialDir = ofn->lpstrInitialDir ? Ansi(ofn->lpstrInitialDir, lstrlenW(ofn->lpstrInitialDir)) : "";
  return toolkit::CallOpenDialogPlatform(ofn, isOpen);
}

// Far more long names than a 64 KiB name buffer holds: all arrive, in the dialog's order.
constexpr int kNames = 600;
TEST(Imports, ManyLongNamesThroughTheOpenDialog) {
  TempFolder t;
  std::vector<std::string> names, expected;
  std::string typed;
  const std::string stem = "a-texture-with-a-long-and-descriptive-name-" + std::string(80, 'x') + "-";
  for (int i = 0; i < kNames; ++i) {
    names.push_back(stem + std::to_string(10000 + i) + (i % 2 ? ".dds" : ".DDS"));
    Touch(t.File(names.back()));
    expected.push_back(t.File(names.back()));
    typed += (i ? " \"" : "\"") + names.back() + '"';
  }
  Touch(t.File("skip.txt"));
  typed += " \"skip.txt\"";
  App app;
  ASSERT_TRUE(app.Start());
  app.Form().LastPath = t.Path();
  toolkit::SetOpenDialogPlatformCall(&RecordAndOpen);
  DialogWatcher watcher([&](HWND dialog, const std::string&) {
    if (!GetDlgItem(dialog, 0x470)) return false;  // the file-type box: the open dialog
    Sleep(200);
    TypeNamesAndOpen(dialog, typed);
    return true;
  });
  app.Command(Command::ImportFiles);
  toolkit::SetOpenDialogPlatformCall(nullptr);
  EXPECT_EQ(g_call.structSize, 76u);
  EXPECT_EQ(g_call.flags, 0x281A07u);
  static const char kFilter[] = "Файлы DDS (Direct Draw Surface)\0*.dds\0";  // and the literal's NUL
  EXPECT_EQ(g_call.filter, std::string(kFilter, sizeof kFilter));
  EXPECT_EQ(g_call.owner, app.Main());
  EXPECT_EQ(g_call.initialDir, t.Path());
  EXPECT_TRUE(app.ListedPaths() == expected) << app.ListedPaths().size();
  EXPECT_EQ(app.Form().FileList->RowCount(), kNames);
  EXPECT_EQ(app.Form().FileList->Text(kNames - 1, 1), "4");
  EXPECT_EQ(app.Form().LastPath, t.Path());
  EXPECT_TRUE(watcher.Boxes().empty());
}

// The real file system through Wine: Linux link loops end, hidden folders are walked, a
// folder named like a DDS file is no file, any letter case matches. The chooser opens
// centred on the screen with the remembered folder selected.
TEST(Imports, FolderThroughTheChooserOverTheRealFileSystem) {
  TempFolder t;
  for (const char* dir : {"sub", "secret", ".dotted", "maps.dds"}) MakeDir(t.File(dir));
  for (const char* file : {"a.dds", "B.DDS", "notes.txt", "e.dds.bak", "sub\\c.Dds", "secret\\x.dds",
                           ".dotted\\y.dds", "maps.dds\\inner.dds"})
    Touch(t.File(file));
  ASSERT_TRUE(SetFileAttributesA(t.File("secret").c_str(), FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(MakeUnixSymlink(t.File("sub\\up"), ".."));
  ASSERT_TRUE(MakeUnixSymlink(t.File("self"), "."));
  App app;
  ASSERT_TRUE(app.Start());
  app.Form().LastPath = t.Path();
  std::string selected;
  RECT rect = {};
  DialogWatcher watcher([&](HWND dialog, const std::string&) {
    if (!FindWindowExA(dialog, nullptr, "SysTreeView32", nullptr)) return false;
    const std::string want = NoBackslash(t.Path()).substr(NoBackslash(t.Path()).find_last_of('\\') + 1);
    for (int i = 0; i < 100 && SelectedTreeItem(dialog) != want; ++i) Sleep(50);  // the tree fills in
    selected = SelectedTreeItem(dialog);
    GetWindowRect(dialog, &rect);
    Press(dialog, IDOK);
    return true;
  });
  app.Command(Command::ImportFolder);
  EXPECT_EQ(selected, NoBackslash(t.Path()).substr(NoBackslash(t.Path()).find_last_of('\\') + 1));
  EXPECT_EQ(rect.left, toolkit::CentredOffset(GetSystemMetrics(SM_CXSCREEN), rect.right - rect.left));
  EXPECT_EQ(rect.top, toolkit::CentredOffset(GetSystemMetrics(SM_CYSCREEN), rect.bottom - rect.top));
  std::vector<std::string> found = app.ListedPaths();
  ASSERT_FALSE(found.empty());
  std::sort(found.begin(), found.end());
  std::vector<std::string> expected;
  for (const char* file :
       {".dotted\\y.dds", "B.DDS", "a.dds", "maps.dds\\inner.dds", "secret\\x.dds", "sub\\c.Dds"})
    expected.push_back(t.File(file));
  EXPECT_EQ(found, expected);
  EXPECT_EQ(app.Form().LastPath, NoBackslash(t.Path()));
  EXPECT_TRUE(watcher.Boxes().empty());
  EXPECT_FALSE(toolkit::ScreenCursorSet());  // the controls have their own cursors back
}

// Messages that wait while a drop is handled see the cursor the user sees.
toolkit::CursorKind g_cursorSeen = toolkit::CursorKind::Arrow;
LRESULT CALLBACK NoteCursor(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_APP)
    g_cursorSeen = toolkit::ScreenCursorSet() ? toolkit::ScreenCursor() : toolkit::CursorKind::Arrow;
  return DefWindowProcA(hwnd, msg, wp, lp);
}

TEST(Imports, DropOfFilesAndFoldersFromTheShellUnderTheWaitCursor) {
  TempFolder t;
  MakeDir(t.File("tree"));
  Touch(t.File("one.dds"));
  Touch(t.File("skip.txt"));
  Touch(t.File("tree\\a.dds"));
  ASSERT_TRUE(MakeUnixSymlink(t.File("tree\\again"), "."));
  App app;
  ASSERT_TRUE(app.Start());
  HWND noter = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  SetWindowLongPtrA(noter, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NoteCursor));
  PostMessageA(noter, WM_APP, 0, 0);
  DialogWatcher watcher;
  app.Drop({t.File("one.dds"), t.File("tree"), t.File("skip.txt"), t.File("ghost.dds")});
  EXPECT_EQ(app.ListedPaths(),
            (std::vector<std::string>{t.File("one.dds"), t.File("tree\\a.dds"), t.File("ghost.dds")}));
  EXPECT_EQ(app.Form().FileList->Text(1, 0), "a.dds");
  EXPECT_EQ(g_cursorSeen, toolkit::CursorKind::Wait);
  EXPECT_FALSE(toolkit::ScreenCursorSet());
  EXPECT_TRUE(watcher.Boxes().empty());
  DestroyWindow(noter);
}

}  // namespace
