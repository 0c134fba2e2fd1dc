// The three imports through the real window over the real file system: the open dialog,
// the folder chooser and a drop. With names outside the ANSI code page each row stands
// for its own file (Wine gives such files 8.3 names).
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "support/window_harness_win.h"
#include "toolkit/win/application_win.h"
#include "toolkit/portable/layout.h"
#include "toolkit/win/open_dialog_win.h"

using namespace testing_support;

namespace {

const std::wstring kOdd[] = {L"\u00D8tex.dds", L"Otex.dds", L"\u30C6\u30AF\u30B9\u30C1\u30E3.dds"};
OPENFILENAMEW g_call;  // what reached the platform, on the window's thread
std::wstring g_filter;

// Messages that wait while a drop is handled see the cursor the user sees.
toolkit::CursorKind g_cursorSeen = toolkit::CursorKind::Arrow;
LRESULT CALLBACK NoteCursor(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_APP)
    g_cursorSeen = toolkit::ScreenCursorSet() ? toolkit::ScreenCursor() : toolkit::CursorKind::Arrow;
  return DefWindowProcA(hwnd, msg, wp, lp);
}

TEST(Imports, OpenDialogFolderChooserAndDrop) {
  TempFolder files, tree, dropped;
  App app;
  ASSERT_TRUE(app.Start());
  MainForm& f = app.Form();
  std::wstring typed;
  RECT chooser = {};
  DialogWatcher watcher([&](HWND dialog) {
    if (!GetDlgItem(dialog, 0x470)) {  // no file-type box: the chooser or a message box
      RECT at = {};
      GetWindowRect(dialog, &at);
      const bool chosen = ConfirmChooser(dialog, tree.path);
      if (chosen) chooser = at;
      return chosen;
    }
    Sleep(200);
    // The name box (cmb13 or edt1); WM_SETTEXT is not bound by its typing limit.
    HWND box = GetDlgItem(dialog, 0x47C) ? GetDlgItem(dialog, 0x47C) : GetDlgItem(dialog, 0x480);
    SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>((typed + L"\"skip.txt\"").c_str()));
    Press(dialog, IDOK);
    return true;
  });

  // Far more long names than a 64 KiB name buffer holds: all arrive, in the dialog's order.
  Names expected;
  for (int i = 0; i < 603; ++i) {
    const std::wstring name = i >= 600 ? kOdd[i - 600]
                                       : ToWide("a-long-and-descriptive-name-" + std::string(100, 'x') +
                                              std::to_string(i) + (i % 2 ? ".dds" : ".DDS"));
    expected.push_back(Touch(ToWide(files.path) + name));
    typed += L"\"" + name + L"\" ";
  }
  Touch(ToWide(files.File("skip.txt")));
  f.LastPath().path = files.path;
  toolkit::SetOpenDialogPlatformCall([](OPENFILENAMEW* ofn) {
    g_call = *ofn;
    g_filter.assign(ofn->lpstrFilter, 39);
    return toolkit::CallOpenDialogPlatform(ofn);
  });
  app.Command(Command::ImportFiles);
  toolkit::SetOpenDialogPlatformCall(nullptr);
  EXPECT_EQ(std::make_tuple(g_call.lStructSize, g_call.Flags, g_call.hwndOwner, g_filter),
            std::make_tuple(
                DWORD{sizeof(void*) == 4 ? 76 : 136}, DWORD{0x281A07}, app.Main(),
                std::wstring(L"\u0424\u0430\u0439\u043B\u044B DDS (Direct Draw Surface)\0*.dds\0", 39)));
  EXPECT_TRUE(app.ListedContents() == expected) << f.Textures().TextureCount();

  // Linux link loops end, hidden folders are walked, a folder named like a DDS file is no
  // file, any letter case matches. The chooser opens centred on the remembered folder.
  app.Command(Command::ClearList);
  const std::wstring sub = L"\u30D5\u30A9\u30EB\u30C0";
  for (const char* dir : {"sub", "secret", ".dotted", "maps.dds"}) MakeDir(tree.File(dir));
  CreateDirectoryW((ToWide(tree.path) + sub).c_str(), nullptr);
  expected.clear();
  for (const char* file :
       {"a.dds", "B.DDS", "sub\\c.Dds", "secret\\x.dds", ".dotted\\y.dds", "maps.dds\\inner.dds"})
    expected.push_back(Touch(ToWide(tree.File(file))));
  for (const std::wstring& name : {kOdd[0], kOdd[1], kOdd[2], sub + L"\\in.dds"})
    expected.push_back(Touch(ToWide(tree.path) + name));
  for (const char* other : {"notes.txt", "e.dds.bak"}) Touch(ToWide(tree.File(other)));
  ASSERT_TRUE(SetFileAttributesA(tree.File("secret").c_str(), FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(MakeUnixSymlink(tree.File("sub\\up"), "..") && MakeUnixSymlink(tree.File("self"), "."));
  f.LastPath().path = tree.path;
  app.Command(Command::ImportFolder);
  EXPECT_EQ(
      std::make_pair(int{chooser.left}, int{chooser.top}),
      std::make_pair(toolkit::CentredOffset(GetSystemMetrics(SM_CXSCREEN), chooser.right - chooser.left),
                     toolkit::CentredOffset(GetSystemMetrics(SM_CYSCREEN), chooser.bottom - chooser.top)));
  Names listed = app.ListedContents();
  std::sort(listed.begin(), listed.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(listed, expected);

  // A drop of files and folders from the shell, handled under the wait cursor.
  app.Command(Command::ClearList);
  MakeDir(dropped.File("tree"));
  std::vector<std::wstring> paths = {ToWide(dropped.File("one.dds")), ToWide(dropped.File("tree")),
                                     ToWide(dropped.File("skip.txt")), ToWide(dropped.File("ghost.dds"))};
  expected = {Touch(paths[0]), Touch(ToWide(dropped.File("tree\\a.dds"))), ""};
  Touch(paths[2]);
  ASSERT_TRUE(MakeUnixSymlink(dropped.File("tree\\again"), "."));
  for (const std::wstring& name : kOdd) {
    paths.push_back(ToWide(dropped.path) + name);
    expected.push_back(Touch(paths.back()));
  }
  HWND noter = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  SetWindowLongPtrA(noter, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NoteCursor));
  PostMessageA(noter, WM_APP, 0, 0);
  app.Drop(paths);
  EXPECT_EQ(app.ListedContents(), expected);
  // The name of a folder's file; the sizes as the directory lists them: asked for a
  // dropped file, from the scan in a folder.
  EXPECT_EQ((Names{f.FileList().Text(1, 0), f.FileList().Text(0, 1), f.FileList().Text(1, 1)}),
            (Names{"a.dds", "7", "5"}));
  EXPECT_EQ(g_cursorSeen, toolkit::CursorKind::Wait);
  EXPECT_FALSE(toolkit::ScreenCursorSet());  // the controls have their own cursors back
  EXPECT_TRUE(watcher.Boxes().empty());
  DestroyWindow(noter);
}

}  // namespace
