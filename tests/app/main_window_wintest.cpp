// The main window from start to close: the settings file, the splitter, the list's popup
// menu and the about box.
#include <gtest/gtest.h>

#include <thread>

#include "support/window_harness_win.h"
#include "toolkit/application_win.h"

using namespace testing_support;

namespace {

// Closing saves both folders; other entries and the Windows-1251 bytes of the file
// survive. (The end of the session ends the process: the
// end-to-end script shows it saves.)
TEST(MainWindow, SettingsAreReadAtStartAndWrittenWithBothFolders) {
  App app;
  const std::string ini = app.ProgramDir().File("texlook.ini");
  const std::string outputLine = "Output path=C:\\\xC2\xFB\xF5\xEE\xE4";  // C:\Выход in 1251
  WriteFileBytes(ini, "[Other]\r\nkeep=\xCA\xEB\xFE\xF7\r\n[Folders]\r\n" + outputLine + "\r\nExtra=x\r\n");
  ASSERT_TRUE(app.Start());
  EXPECT_EQ(app.Form().OutputPath, outputLine.substr(12));
  EXPECT_EQ(app.Form().LastPath, "");
  app.Form().LastPath = "D:\\\xD2\xE5\xEA\xF1\xF2\xF3\xF0\xFB\\";
  app.Close();
  EXPECT_TRUE(toolkit::Terminated());
  const std::string text = ReadFileBytes(ini);
  for (const std::string& line : {std::string("[Other]\r\nkeep=\xCA\xEB\xFE\xF7\r\n"), outputLine + "\r\n",
                                  std::string("Extra=x\r\n"), "Last path=" + app.Form().LastPath + "\r\n"})
    EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
}

// Another program holds the file open without sharing: the window closes all the same.
TEST(MainWindow, ExitClosesEvenWhenTheSettingsCannotBeWritten) {
  App app;
  const std::string ini = app.ProgramDir().File("texlook.ini");
  WriteFileBytes(ini, "[Folders]\r\nOutput path=old\r\n");
  ASSERT_TRUE(app.Start());
  app.Form().OutputPath = "new";
  HANDLE held = CreateFileA(ini.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  PostMessageA(app.Main(), WM_COMMAND, app.Form().CommandId(Command::Exit), 0);
  app.Pump(100);
  CloseHandle(held);
  EXPECT_TRUE(toolkit::Terminated());
  EXPECT_EQ(ReadFileBytes(ini), "[Folders]\r\nOutput path=old\r\n");
}

TEST(MainWindow, SplitterDragAndEscape) {
  App app;
  ASSERT_TRUE(app.Start());
  MainForm& f = app.Form();
  HWND splitter = app.Window(f.PanelSplitter);
  const int start = f.ListPanel->Width();
  // The mouse at the splitter's grip plus dx, in the splitter's client coordinates now.
  auto mouse = [&](UINT msg, int dx) {
    const int x = 3 + start + dx - f.PanelSplitter->Left();
    SendMessageA(splitter, msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x & 0xFFFF, 10));
  };
  mouse(WM_LBUTTONDOWN, 0);
  mouse(WM_MOUSEMOVE, 100);
  EXPECT_EQ(f.ListPanel->Width(), start + 100);
  EXPECT_EQ(f.PreviewPanel->Left(), f.PanelSplitter->Left() + f.PanelSplitter->Width());
  mouse(WM_LBUTTONUP, 100);
  // Escape during a drag puts back the width of the drag's start.
  mouse(WM_LBUTTONDOWN, 100);
  mouse(WM_MOUSEMOVE, 150);
  EXPECT_EQ(f.ListPanel->Width(), start + 150);
  INPUT key = {};
  key.type = INPUT_KEYBOARD;
  key.ki.wVk = VK_ESCAPE;
  SendInput(1, &key, sizeof key);
  app.Pump(50);
  SendMessageA(splitter, WM_TIMER, 1, 0);
  key.ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(1, &key, sizeof key);
  EXPECT_EQ(f.ListPanel->Width(), start + 100);
  EXPECT_FALSE(f.PanelSplitter->Dragging());
  // The list side may vanish, never go below nothing.
  mouse(WM_LBUTTONDOWN, 100);
  mouse(WM_MOUSEMOVE, -1000);
  EXPECT_EQ(f.ListPanel->Width(), 0);
  mouse(WM_LBUTTONUP, -1000);
}

// At the mouse for a click; the menu key sends (-1, -1).
TEST(MainWindow, PopupMenuOfTheListAtTheMouseOrTheListAndAboutBoxOwnedByTheWindow) {
  App app;
  ASSERT_TRUE(app.Start());
  HWND list = app.Window(app.Form().FileList);
  for (POINT at : {POINT{100, 200}, POINT{-1, -1}}) {
    RECT shown = {};
    std::thread closer([&] {
      for (int i = 0; i < 200; ++i, Sleep(10)) {
        HWND menu = FindWindowA("#32768", nullptr);
        if (menu && IsWindowVisible(menu)) {
          GetWindowRect(menu, &shown);
          PostMessageA(app.Main(), WM_CANCELMODE, 0, 0);
          return;
        }
      }
    });
    SendMessageA(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(at.x, at.y));
    closer.join();
    ASSERT_GT(shown.right - shown.left, 0) << at.x;
    if (at.x >= 0) {
      EXPECT_EQ(shown.left, at.x);
      EXPECT_EQ(shown.top, at.y);
    } else {
      EXPECT_LE(shown.left, 0);
      EXPECT_LE(shown.top, 0);
    }
  }
  std::string title;
  HWND owner = nullptr;
  DialogWatcher watcher([&](HWND dialog) {
    const std::string t = TextOf(dialog);
    title = t;
    owner = GetWindow(dialog, GW_OWNER);
    Press(dialog, IDOK);
    return true;
  });
  app.Command(Command::About);  // returns when the box is closed
  EXPECT_NE(title.find("Texlook"), std::string::npos) << title;
  EXPECT_EQ(owner, app.Main());
}

}  // namespace
