// The main window as a user meets it: start-up, layout, menus, settings at close.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "app/settings.h"
#include "support/app_harness_win.h"
#include "toolkit/application.h"
#include "toolkit/file_system.h"

using namespace testing_support;

namespace {

HWND Hwnd(toolkit::Control* c) { return static_cast<HWND>(c->Handle()); }

std::string MenuText(HMENU menu, UINT id) {
  char buffer[256] = {};
  GetMenuStringA(menu, id, buffer, sizeof buffer, MF_BYCOMMAND);
  return buffer;
}

TEST(MainWindow, MissingConverterStopsWithOneMessageAndNoSettings) {
  TempFolder empty;
  AppHarness app(empty.File("nothing.exe"));  // nothing is copied: no converter
  DeleteFileA(app.ProgramDir().File("readdxt.exe").c_str());
  // A folder of that name is not a converter either.
  CreateDirectoryA(app.ProgramDir().File("readdxt.exe").c_str(), nullptr);
  DialogWatcher watcher;
  EXPECT_FALSE(app.Start());
  auto boxes = watcher.Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].title, "Texlook");
  EXPECT_EQ(boxes[0].text, "Не найден файл readdxt.exe");
  EXPECT_FALSE(toolkit::FileExists(app.ProgramDir().File("texlook.ini")));
}

TEST(MainWindow, OpensMaximisedWithMenusColumnsAndStatusPanels) {
  AppHarness app;
  ASSERT_TRUE(app.Start());
  MainForm& f = app.Form();
  HWND main = Hwnd(f.MainWindow);
  EXPECT_TRUE(IsZoomed(main));
  char caption[64] = {};
  GetWindowTextA(main, caption, sizeof caption);
  EXPECT_STREQ(caption, "Texlook");

  // Menu bar: "Файл" with its submenu, then two commands; identifiers 4096.. in order.
  HMENU bar = GetMenu(main);
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(GetMenuItemCount(bar), 3);
  EXPECT_EQ(GetMenuItemID(bar, 1), 4101u);
  EXPECT_EQ(GetMenuItemID(bar, 2), 4102u);
  HMENU file = GetSubMenu(bar, 0);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(GetMenuItemCount(file), 4);
  const struct {
    UINT id;
    const char* text;
  } items[] = {{4097, "Импортировать DDS-файл(ы) в список..."},
               {4098, "Импортировать DDS-файлы в список из папки..."},
               {4100, "Выход"},
               {4101, "Очистить список"},
               {4102, "?"}};
  for (const auto& item : items) EXPECT_EQ(MenuText(bar, item.id), item.text) << item.id;
  MENUITEMINFOA mii = {};
  mii.cbSize = sizeof mii;
  mii.fMask = MIIM_ID | MIIM_FTYPE | MIIM_SUBMENU;
  ASSERT_TRUE(GetMenuItemInfoA(bar, 0, TRUE, &mii));
  EXPECT_EQ(mii.wID, 4096u);
  EXPECT_EQ(mii.hSubMenu, file);
  ASSERT_TRUE(GetMenuItemInfoA(file, 2, TRUE, &mii));
  EXPECT_TRUE(mii.fType & MFT_SEPARATOR);
  EXPECT_EQ(mii.wID, 4099u);
  // The popup menu comes after the menu bar in the same sequence.
  ASSERT_NE(f.ListPopupMenu, nullptr);
  EXPECT_FALSE(f.ListPopupMenu->IsMenuBar());
  HMENU popup = static_cast<HMENU>(f.ListPopupMenu->Handle());
  EXPECT_EQ(GetMenuItemID(popup, 0), 4103u);
  EXPECT_EQ(GetMenuItemID(popup, 1), 4104u);
  EXPECT_EQ(MenuText(popup, 4103), "Экспортировать выбранное в TGA ...");
  EXPECT_EQ(MenuText(popup, 4104), "Экспортировать все в TGA...");

  // Columns with their widths; no rows.
  HWND list = Hwnd(f.FileList);
  const struct {
    const char* text;
    int width;
  } columns[] = {{"Имя", 80}, {"Размер", 80}, {"Полный путь к файлу", 200}};
  for (int i = 0; i < 3; ++i) {
    char text[64] = {};
    LVCOLUMNA col = {};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    col.pszText = text;
    col.cchTextMax = sizeof text;
    ASSERT_TRUE(SendMessageA(list, LVM_GETCOLUMNA, i, reinterpret_cast<LPARAM>(&col)));
    EXPECT_STREQ(text, columns[i].text);
    EXPECT_EQ(col.cx, columns[i].width);
    EXPECT_EQ(col.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT);
  }
  EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 0);
  LONG style = GetWindowLongA(list, GWL_STYLE);
  EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_FALSE(style & LVS_SINGLESEL);
  EXPECT_TRUE(style & LVS_SHOWSELALWAYS);

  // Three empty status panels with edges fixed at start-up, also after resizing.
  EXPECT_EQ(f.MainWindow->StatusPanelRightEdges(), (std::vector<int>{196, 392, -1}));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(f.MainWindow->StatusText(i), "");
  ShowWindow(main, SW_RESTORE);
  app.Pump(50);
  RECT r;
  GetWindowRect(main, &r);
  EXPECT_EQ(r.right - r.left, 590);
  EXPECT_EQ(r.bottom - r.top, 432);
  EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 590) >> 1);
  EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - 432) >> 1);
  SetWindowPos(main, nullptr, 0, 0, 800, 500, SWP_NOZORDER | SWP_NOMOVE);
  app.Pump(50);
  EXPECT_EQ(f.MainWindow->StatusPanelRightEdges(), (std::vector<int>{196, 392, -1}));
}

TEST(MainWindow, LayoutFollowsTheWindow) {
  AppHarness app;
  ASSERT_TRUE(app.Start());
  MainForm& f = app.Form();
  HWND main = Hwnd(f.MainWindow);
  RECT client;
  GetClientRect(main, &client);
  RECT status;
  GetWindowRect(static_cast<HWND>(f.MainWindow->StatusBarHandle()), &status);
  const int statusHeight = status.bottom - status.top;
  // Bottom strip right above the status bar, across the whole width.
  EXPECT_EQ(f.BottomPanel->Top(), client.bottom - statusHeight - 21);
  EXPECT_EQ(f.BottomPanel->Width(), client.right);
  EXPECT_EQ(f.BottomPanel->Height(), 21);
  // List side 209 wide, splitter 6, preview takes the rest.
  EXPECT_EQ(f.ListPanel->Left(), 0);
  EXPECT_EQ(f.ListPanel->Width(), 209);
  EXPECT_EQ(f.PanelSplitter->Left(), 209);
  EXPECT_EQ(f.PanelSplitter->Width(), 6);
  EXPECT_EQ(f.PreviewPanel->Left(), 215);
  EXPECT_EQ(f.PreviewPanel->Width(), client.right - 215);
  // The preview box sits 2 pixels inside the scroll box.
  EXPECT_EQ(f.PreviewBox->Left(), 2);
  EXPECT_EQ(f.PreviewBox->Top(), 2);
  // The list starts below the group box caption and reaches the splitter.
  EXPECT_EQ(f.FileList->Top(), 22);
  EXPECT_EQ(f.FileList->Left(), 2);
  EXPECT_EQ(f.FileList->Left() + f.FileList->Width(), 209);
}

TEST(MainWindow, SplitterDragAndEscape) {
  AppHarness app;
  ASSERT_TRUE(app.Start());
  MainForm& f = app.Form();
  HWND splitter = Hwnd(f.PanelSplitter);
  auto drag = [&](UINT msg, int dx) {
    // Client coordinates of the splitter where it is now, for a mouse at start + dx.
    POINT p = {3 + 209 + dx - f.PanelSplitter->Left(), 10};
    SendMessageA(splitter, msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(p.x, p.y));
  };
  drag(WM_LBUTTONDOWN, 0);
  drag(WM_MOUSEMOVE, 100);
  EXPECT_EQ(f.ListPanel->Width(), 309);
  EXPECT_EQ(f.PreviewPanel->Left(), 315);
  drag(WM_LBUTTONUP, 100);
  EXPECT_EQ(f.ListPanel->Width(), 309);
  // Escape during a drag puts the width of the drag's start back.
  drag(WM_LBUTTONDOWN, 100);
  drag(WM_MOUSEMOVE, 150);
  EXPECT_EQ(f.ListPanel->Width(), 359);
  INPUT key = {};
  key.type = INPUT_KEYBOARD;
  key.ki.wVk = VK_ESCAPE;
  SendInput(1, &key, sizeof key);
  app.Pump(50);
  SendMessageA(splitter, WM_TIMER, 1, 0);
  key.ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(1, &key, sizeof key);
  EXPECT_EQ(f.ListPanel->Width(), 309);
  EXPECT_FALSE(f.PanelSplitter->Dragging());
  // Smallest size 0: the list side can vanish.
  SendMessageA(splitter, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 10));
  SendMessageA(splitter, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-1000 & 0xFFFF, 10));
  EXPECT_EQ(f.ListPanel->Width(), 0);
  SendMessageA(splitter, WM_LBUTTONUP, 0, 0);
}

// The popup menu shows where the mouse is; the menu key sends (-1, -1).
TEST(MainWindow, RightClickOnTheListShowsTheExportCommands) {
  AppHarness app;
  ASSERT_TRUE(app.Start());
  HWND list = Hwnd(app.Form().FileList);
  HWND main = Hwnd(app.Form().MainWindow);
  for (POINT at : {POINT{100, 200}, POINT{-1, -1}}) {
    std::atomic<bool> stop{false};
    RECT shown = {};
    std::thread closer([&] {
      for (int i = 0; i < 200 && !stop; ++i) {
        HWND menu = FindWindowA("#32768", nullptr);
        if (menu && IsWindowVisible(menu)) {
          GetWindowRect(menu, &shown);
          PostMessageA(main, WM_CANCELMODE, 0, 0);
          return;
        }
        Sleep(10);
      }
    });
    SendMessageA(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(at.x, at.y));
    stop = true;
    closer.join();
    EXPECT_GT(shown.right - shown.left, 0) << at.x;
    if (at.x >= 0) {
      EXPECT_EQ(shown.left, at.x);
      EXPECT_EQ(shown.top, at.y);
    } else {
      EXPECT_LE(shown.left, 0);
      EXPECT_LE(shown.top, 0);
    }
  }
  // The menu bar has no export command.
  EXPECT_EQ(GetMenuState(GetMenu(main), 4103, MF_BYCOMMAND), static_cast<UINT>(-1));
}

TEST(MainWindow, QuestionMarkShowsTheAboutBoxOwnedByTheWindow) {
  AppHarness app;
  ASSERT_TRUE(app.Start());
  HWND main = Hwnd(app.Form().MainWindow);
  std::string title;
  HWND owner = nullptr;
  DialogWatcher watcher([&](HWND dialog, const std::string& t) {
    title = t;
    owner = GetWindow(dialog, GW_OWNER);
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    return true;
  });
  SendMessageA(main, WM_COMMAND, 4102, 0);  // "?": returns when the box is closed
  EXPECT_NE(title.find("Texlook v0.3"), std::string::npos) << title;
  EXPECT_EQ(owner, main);
}

TEST(MainWindow, CloseWritesBothFoldersOnceAndKeepsOtherEntries) {
  AppHarness app;
  const std::string ini = app.ProgramDir().File("texlook.ini");
  WriteFileBytes(ini, "[Other]\r\nkeep=1\r\n[Folders]\r\nOutput path=C:\\Выход\r\nExtra=x\r\n");
  ASSERT_TRUE(app.Start());
  EXPECT_EQ(app.Form().OutputPath, "C:\\Выход");
  EXPECT_EQ(app.Form().LastPath, "");
  app.Form().LastPath = "D:\\Текстуры\\";
  app.CloseWindow();
  EXPECT_TRUE(toolkit::Terminated());
  std::string text = ReadFileBytes(ini);
  EXPECT_NE(text.find("[Other]"), std::string::npos);
  EXPECT_NE(text.find("keep=1"), std::string::npos);
  EXPECT_NE(text.find("Extra=x"), std::string::npos);
  EXPECT_NE(text.find("Output path=C:\\Выход"), std::string::npos);
  EXPECT_NE(text.find("Last path=D:\\Текстуры\\"), std::string::npos);
  // A second WM_CLOSE does not save again.
  WriteFileBytes(ini, "changed");
  app.CloseWindow();
  EXPECT_EQ(ReadFileBytes(ini), "changed");
}

TEST(MainWindow, FirstCloseCreatesTheFileWithEmptyValues) {
  AppHarness app;
  ASSERT_TRUE(app.Start());
  app.CloseWindow();
  std::string text = ReadFileBytes(app.ProgramDir().File("texlook.ini"));
  size_t section = text.find("[Folders]");
  size_t output = text.find("Output path=\r\n");
  size_t last = text.find("Last path=\r\n");
  ASSERT_NE(section, std::string::npos) << text;
  ASSERT_NE(output, std::string::npos) << text;
  ASSERT_NE(last, std::string::npos) << text;
  EXPECT_LT(section, output);
  EXPECT_LT(output, last);
}

TEST(MainWindow, ExitCommandClosesLikeTheCloseButton) {
  AppHarness app;
  ASSERT_TRUE(app.Start());
  app.Form().OutputPath = "E:\\out";
  PostMessageA(Hwnd(app.Form().MainWindow), WM_COMMAND, 4100, 0);  // "Выход"
  app.Pump(100);
  EXPECT_TRUE(toolkit::Terminated());
  EXPECT_NE(ReadFileBytes(app.ProgramDir().File("texlook.ini")).find("Output path=E:\\out"), std::string::npos);
}

TEST(MainWindow, UnwritableSettingsStillClose) {
  AppHarness app;
  const std::string ini = app.ProgramDir().File("texlook.ini");
  const std::string before = "[Folders]\r\nOutput path=old\r\nLast path=older\r\n";
  WriteFileBytes(ini, before);
  ASSERT_TRUE(app.Start());
  app.Form().OutputPath = "new";
  {
    // Another program holds the file open without sharing: no write can happen.
    HANDLE held = CreateFileA(ini.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    app.CloseWindow();
    CloseHandle(held);
  }
  EXPECT_TRUE(toolkit::Terminated());
  EXPECT_EQ(ReadFileBytes(ini), before);
}

}  // namespace
