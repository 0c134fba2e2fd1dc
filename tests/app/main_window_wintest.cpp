// The main window from start to close: the settings file, the splitter, the list's popup
// menu and the about box.
#include <gtest/gtest.h>

#include <thread>

#include "support/window_harness_win.h"
#include "toolkit/application_win.h"

using namespace testing_support;

namespace {

// Closing saves both folders; other entries and the Windows-1251 bytes of the file
// survive. A file another program holds open loses this run's folders, and the window
// still closes. (The end of a Windows session ends the process: the end-to-end script
// shows that it saves.)
TEST(MainWindow, FromStartWithTheSettingsFileToClose) {
  App app;
  const std::string ini = app.ProgramDir().File("texlook.ini");
  const std::string outputLine = "Output path=C:\\\xC2\xFB\xF5\xEE\xE4";  // C:\Выход in 1251
  WriteFileBytes(ini, "[Other]\r\nkeep=\xCA\xEB\xFE\xF7\r\n[Folders]\r\n" + outputLine + "\r\nExtra=x\r\n");
  ASSERT_TRUE(app.Start());
  MainForm& f = app.Form();
  EXPECT_EQ(f.OutputPath + "|" + f.LastPath, outputLine.substr(12) + "|");

  // The splitter follows the mouse; Escape during a drag puts back the width of its start.
  HWND splitter = f.PanelSplitter->Handle();
  const int start = f.ListPanel->Width();
  auto mouse = [&](UINT msg, int dx) {  // at the grip plus dx, in the splitter's coordinates now
    const int x = 3 + start + dx - f.PanelSplitter->Left();
    SendMessageA(splitter, msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x & 0xFFFF, 10));
  };
  mouse(WM_LBUTTONDOWN, 0);
  mouse(WM_MOUSEMOVE, 100);
  EXPECT_EQ(std::make_pair(f.ListPanel->Width(), f.PreviewPanel->Left()),
            std::make_pair(start + 100, f.PanelSplitter->Left() + f.PanelSplitter->Width()));
  mouse(WM_LBUTTONUP, 100);
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

  // The list's popup menu at the mouse; the about box owned by the window.
  HWND list = f.FileList->Handle();
  RECT shown = {};
  std::thread closer([&] {
    for (HWND menu = nullptr; !menu || !IsWindowVisible(menu); Sleep(10))
      menu = FindWindowA("#32768", nullptr);
    GetWindowRect(FindWindowA("#32768", nullptr), &shown);
    PostMessageA(app.Main(), WM_CANCELMODE, 0, 0);
  });
  SendMessageA(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(100, 200));
  closer.join();
  EXPECT_EQ(std::make_pair(shown.left, shown.top), std::make_pair(100L, 200L));
  SeenBox about = {};
  {
    DialogWatcher watcher([&](HWND dialog) {
      about = SeenBox{TextOf(dialog), "", GetWindow(dialog, GW_OWNER)};
      Press(dialog, IDOK);
      return true;
    });
    app.Command(Command::About);  // returns when the box is closed
  }
  EXPECT_NE(about.title.find("Texlook"), std::string::npos) << about.title;
  EXPECT_EQ(about.owner, app.Main());

  f.LastPath = "D:\\\xD2\xE5\xEA\xF1\xF2\xF3\xF0\xFB\\";
  SendMessageA(app.Main(), WM_CLOSE, 0, 0);  // as the close button sends it
  app.Pump(50);
  EXPECT_TRUE(toolkit::Terminated());
  const std::string text = ReadFileBytes(ini);
  for (const std::string& line : {std::string("[Other]\r\nkeep=\xCA\xEB\xFE\xF7\r\n"), outputLine + "\r\n",
                                  std::string("Extra=x\r\n"), "Last path=" + f.LastPath + "\r\n"})
    EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;

  App held;
  const std::string heldIni = held.ProgramDir().File("texlook.ini");
  WriteFileBytes(heldIni, "[Folders]\r\nOutput path=old\r\n");
  ASSERT_TRUE(held.Start());
  held.Form().OutputPath = "new";
  HANDLE file = CreateFileA(heldIni.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  PostMessageA(held.Main(), WM_COMMAND, held.Form().CommandId(Command::Exit), 0);
  held.Pump(100);
  CloseHandle(file);
  EXPECT_EQ(ReadFileBytes(heldIni), "[Folders]\r\nOutput path=old\r\n");
}

}  // namespace
