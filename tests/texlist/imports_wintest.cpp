// The three imports through the real window: the open dialog, the folder chooser over the
// real file system, and a drop; with names outside the ANSI code page each row stands for
// its own file (Wine gives such files 8.3 names).
#include <gtest/gtest.h>

#include <algorithm>

#include "support/window_harness_win.h"
#include "toolkit/application_win.h"
#include "toolkit/layout.h"
#include "toolkit/open_dialog_win.h"

using namespace testing_support;

namespace {

const std::wstring kOdd[] = {L"\u00D8tex.dds", L"Otex.dds", L"\u30C6\u30AF\u30B9\u30C1\u30E3.dds"};

std::vector<std::string> Sorted(std::vector<std::string> v) {
  std::sort(v.begin(), v.end());
  return v;
}

// What reached the platform, recorded on the window's thread before the dialog opened.
OPENFILENAMEW g_call;
std::wstring g_filter;
int RecordAndOpen(OPENFILENAMEW* ofn, bool isOpen) {
  g_call = *ofn;
  g_filter.assign(ofn->lpstrFilter, 39);
  return toolkit::CallOpenDialogPlatform(ofn, isOpen);
}

// Far more long names than a 64 KiB name buffer holds: all arrive, in the dialog's order.
TEST(Imports, ManyLongNamesThroughTheOpenDialog) {
  TempFolder t;
  std::vector<std::wstring> names;
  for (int i = 0; i < 600; ++i)
    names.push_back(Wide("a-long-and-descriptive-name-" + std::string(100, 'x') + std::to_string(i) +
                         (i % 2 ? ".dds" : ".DDS")));
  names.insert(names.end(), std::begin(kOdd), std::end(kOdd));
  std::vector<std::string> expected;
  std::wstring typed;
  for (const std::wstring& name : names) {
    expected.push_back(Touch(Wide(t.Path()) + name));
    typed += L"\"" + name + L"\" ";
  }
  Touch(t.File("skip.txt"));
  App app;
  ASSERT_TRUE(app.Start());
  app.Form().LastPath = t.Path();
  toolkit::SetOpenDialogPlatformCall(&RecordAndOpen);
  DialogWatcher watcher([&](HWND dialog) {
    if (!GetDlgItem(dialog, 0x470)) return false;  // the file-type box: the open dialog
    Sleep(200);
    // The name box (cmb13 or edt1); WM_SETTEXT is not bound by its typing limit.
    HWND box = GetDlgItem(dialog, 0x47C) ? GetDlgItem(dialog, 0x47C) : GetDlgItem(dialog, 0x480);
    SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>((typed + L"\"skip.txt\"").c_str()));
    Press(dialog, IDOK);
    return true;
  });
  app.Command(Command::ImportFiles);
  toolkit::SetOpenDialogPlatformCall(nullptr);
  EXPECT_EQ(g_call.lStructSize, 76u);
  EXPECT_EQ(g_call.Flags, 0x281A07u);
  EXPECT_EQ(g_filter, std::wstring(L"\u0424\u0430\u0439\u043B\u044B DDS (Direct Draw Surface)\0*.dds\0", 39));
  EXPECT_EQ(g_call.hwndOwner, app.Main());
  EXPECT_TRUE(app.ListedContents() == expected) << app.ListedPaths().size();
  EXPECT_EQ(app.Form().LastPath, t.Path());
  EXPECT_TRUE(watcher.Boxes().empty());
}

// The real file system through Wine: Linux link loops end, hidden folders are walked, a
// folder named like a DDS file is no file, any letter case matches. The chooser opens
// centred on the screen with the remembered folder selected.
TEST(Imports, FolderThroughTheChooserOverTheRealFileSystem) {
  TempFolder t;
  const std::wstring sub = L"\u30D5\u30A9\u30EB\u30C0";
  for (const char* dir : {"sub", "secret", ".dotted", "maps.dds"}) MakeDir(t.File(dir));
  CreateDirectoryW((Wide(t.Path()) + sub).c_str(), nullptr);
  std::vector<std::string> expected;
  for (const char* file :
       {"a.dds", "B.DDS", "sub\\c.Dds", "secret\\x.dds", ".dotted\\y.dds", "maps.dds\\inner.dds"})
    expected.push_back(Touch(t.File(file)));
  for (const std::wstring& name : {kOdd[0], kOdd[1], kOdd[2], sub + L"\\in.dds"})
    expected.push_back(Touch(Wide(t.Path()) + name));
  Touch(t.File("notes.txt"));
  Touch(t.File("e.dds.bak"));
  ASSERT_TRUE(SetFileAttributesA(t.File("secret").c_str(), FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(MakeUnixSymlink(t.File("sub\\up"), ".."));
  ASSERT_TRUE(MakeUnixSymlink(t.File("self"), "."));
  App app;
  ASSERT_TRUE(app.Start());
  app.Form().LastPath = t.Path();
  std::string opened;
  RECT rect = {};
  DialogWatcher watcher([&](HWND dialog) {
    GetWindowRect(dialog, &rect);
    return !(opened = ConfirmChooser(dialog, t.Name())).empty();
  });
  app.Command(Command::ImportFolder);
  EXPECT_EQ(opened, t.Name());
  EXPECT_EQ(rect.left, toolkit::CentredOffset(GetSystemMetrics(SM_CXSCREEN), rect.right - rect.left));
  EXPECT_EQ(rect.top, toolkit::CentredOffset(GetSystemMetrics(SM_CYSCREEN), rect.bottom - rect.top));
  EXPECT_EQ(Sorted(app.ListedContents()), Sorted(expected));
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
  std::vector<std::wstring> dropped = {Wide(t.File("one.dds")), Wide(t.File("tree")),
                                       Wide(t.File("skip.txt"))};
  std::vector<std::string> expected = {Touch(dropped[0]), Touch(t.File("tree\\a.dds")), ""};
  Touch(dropped[2]);
  ASSERT_TRUE(MakeUnixSymlink(t.File("tree\\again"), "."));
  dropped.push_back(Wide(t.File("ghost.dds")));
  for (const std::wstring& name : kOdd) {
    dropped.push_back(Wide(t.Path()) + name);
    expected.push_back(Touch(dropped.back()));
  }
  App app;
  ASSERT_TRUE(app.Start());
  HWND noter = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  SetWindowLongPtrA(noter, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NoteCursor));
  PostMessageA(noter, WM_APP, 0, 0);
  DialogWatcher watcher;
  app.Drop(dropped);
  EXPECT_EQ(app.ListedContents(), expected);
  EXPECT_EQ(app.ListedPaths()[2], t.File("ghost.dds"));
  EXPECT_EQ(app.Form().FileList->Text(1, 0), "a.dds");
  // The sizes as the directory lists them: asked for a dropped file, from the scan in a folder.
  EXPECT_EQ(app.Form().FileList->Text(0, 1), "7");
  EXPECT_EQ(app.Form().FileList->Text(1, 1), "5");
  EXPECT_EQ(g_cursorSeen, toolkit::CursorKind::Wait);
  EXPECT_FALSE(toolkit::ScreenCursorSet());
  EXPECT_TRUE(watcher.Boxes().empty());
  DestroyWindow(noter);
}

}  // namespace
