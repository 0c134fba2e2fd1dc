// The main window from start to close: the settings file, the splitter, the list's popup
// menu, the about box, and selected rows converted with the real converter and painted:
// centred at their size or shrunk to the pane, the status line saying what they are.
#include <gtest/gtest.h>

#include <thread>
#include <tuple>

#include "support/dds_files.h"
#include "support/window_harness_win.h"
#include "toolkit/portable/file_system.h"

using namespace testing_support;

namespace {

// Closing saves the folders this run chose, and leaves the others as the file holds them
// then; other entries and the Windows-1251 bytes of the file survive. A file another program
// holds open loses this run's folders, and the window still closes. (The end of a Windows
// session ends the process: the end-to-end script shows that it saves.)
TEST(MainWindow, FromStartWithTheSettingsFileThroughPreviewsToClose) {
  // The working folders of Texlook processes that have ended (no process 4294967292 runs)
  // go at start; others stay.
  char temp[MAX_PATH] = {};
  const std::string gone = std::string(temp, GetTempPathA(MAX_PATH, temp)) + "texlook-4294967292";
  const Names folders = {gone, gone + "-3", gone + "x",
                         temp + ("texlook-" + std::to_string(GetCurrentProcessId())) + "-9"};
  for (const std::string& folder : folders) MakeDir(folder), WriteFileBytes(folder + "\\test.tga", "x");
  App app;
  const std::string ini = app.ProgramDir().File("texlook.ini");
  const std::string outputLine = "Output path=C:\\\xC2\xFB\xF5\xEE\xE4";  // C:\Выход in 1251
  WriteFileBytes(ini, "[Other]\r\nkeep=\xCA\xEB\xFE\xF7\r\n[Folders]\r\n" + outputLine + "\r\nExtra=x\r\n");
  ASSERT_TRUE(app.Start());
  std::vector<bool> kept;
  for (const std::string& folder : folders)
    kept.push_back(DeleteFileA((folder + "\\test.tga").c_str()) && RemoveDirectoryA(folder.c_str()));
  EXPECT_EQ(kept, (std::vector<bool>{false, false, true, true}));
  MainForm& f = app.Form();
  EXPECT_EQ(f.OutputPath().path + "|" + f.LastPath().path, outputLine.substr(12) + "|");

  // The splitter follows the mouse; Escape during a drag puts back the width of its start.
  HWND splitter = f.PanelSplitter().Handle();
  const int start = f.ListPanel().Width();
  auto mouse = [&](UINT msg, int dx) {  // at the grip plus dx, in the splitter's coordinates now
    const int x = 3 + start + dx - f.PanelSplitter().Left();
    SendMessageA(splitter, msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x & 0xFFFF, 10));
  };
  mouse(WM_LBUTTONDOWN, 0);
  mouse(WM_MOUSEMOVE, 100);
  EXPECT_EQ(std::make_pair(f.ListPanel().Width(), f.PreviewPanel().Left()),
            std::make_pair(start + 100, f.PanelSplitter().Left() + f.PanelSplitter().Width()));
  mouse(WM_LBUTTONUP, 100);
  mouse(WM_LBUTTONDOWN, 100);
  mouse(WM_MOUSEMOVE, 150);
  EXPECT_EQ(f.ListPanel().Width(), start + 150);
  INPUT key = {INPUT_KEYBOARD, {}};
  key.ki.wVk = VK_ESCAPE;
  SendInput(1, &key, sizeof key);
  app.Pump(50);
  SendMessageA(splitter, WM_TIMER, 1, 0);
  key.ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(1, &key, sizeof key);
  EXPECT_EQ(f.ListPanel().Width(), start + 100);
  EXPECT_FALSE(f.PanelSplitter().Dragging());

  // The list's popup menu at the mouse; the about box owned by the window.
  HWND list = f.FileList().Handle();
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
      about = SeenBox{TextOf(dialog), "", GetWindow(dialog, GW_OWNER), toolkit::CursorKind::Arrow};
      Press(dialog, IDOK);
      return true;
    });
    app.Command(Command::About);  // returns when the box is closed
  }
  EXPECT_NE(about.title.find("Texlook"), std::string::npos) << about.title;
  EXPECT_EQ(about.owner, app.Main());

  TempFolder data;
  const std::string stone = data.File("синий камень.dds");  // blank and Cyrillic letters
  WriteFileBytes(stone, SolidDds(64, 32, 0xFF2040C0));
  WriteFileBytes(data.File("wide.dds"), SolidDds(4000, 40, 0xFFC08040));
  app.Drop({ToWide(stone), ToWide(data.File("wide.dds")), ToWide(stone)});
  auto status = [&] {
    return Names{f.Window().StatusText(0), f.Window().StatusText(1), f.Window().StatusText(2)};
  };
  DialogWatcher watcher;
  app.Select({0});
  EXPECT_EQ(status(), (Names{"64 x 32 x 32 BPP", "1 / 3", stone}));
  EXPECT_FALSE(toolkit::FileExists(app.ProgramDir().File("test.tga")) ||
               toolkit::FileExists(data.File("test.tga")));
  int w = 0, h = 0;
  std::vector<uint32_t> px = app.CapturePreview(w, h);
  auto at = [&](int x, int y) { return px[static_cast<size_t>(y) * w + x]; };
  ASSERT_TRUE(w > 64 && h > 32);
  const uint32_t background = at(0, 0);
  const int x = (w - 64) / 2, y = (h - 32) / 2;
  EXPECT_EQ((std::vector<uint32_t>{at(x, y), at(x + 63, y + 31), at(x - 1, y), at(x + 64, y + 31)}),
            (std::vector<uint32_t>{0x2040C0u, 0x2040C0u, background, background}));
  app.Pump();  // the converter's file goes once the loop is idle
  EXPECT_FALSE(toolkit::FileExists(temp + ("texlook-" + std::to_string(GetCurrentProcessId())) + "\\test.tga"));

  // Full width, height 40 * w / 4000, centred vertically.
  app.Select({1});
  EXPECT_EQ(f.Window().StatusText(0), "4000 x 40 x 32 BPP");
  px = app.CapturePreview(w, h);
  const int shrunk = static_cast<int>(40LL * w / 4000), top = (h - shrunk) / 2;
  EXPECT_EQ((std::vector<uint32_t>{at(0, top + shrunk / 2), at(w - 1, top + shrunk / 2), at(w / 2, top - 2),
                                   at(w / 2, top + shrunk + 1)}),
            (std::vector<uint32_t>{0xC08040u, 0xC08040u, background, background}));

  // A converter that cannot start: its message once, under the wait cursor; no picture.
  DeleteFileA(app.ProgramDir().File("readdxt.exe").c_str());
  app.Select({2});
  app.Pump(50);
  const std::vector<SeenBox> boxes = watcher.Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(std::make_tuple(boxes[0].title, boxes[0].text, boxes[0].owner, boxes[0].cursor),
            std::make_tuple(std::string("Texlook"), std::string("Ошибка при запуске readdxt.exe!"),
                            app.Main(), toolkit::CursorKind::Wait));
  EXPECT_FALSE(toolkit::ScreenCursorSet());
  EXPECT_EQ(status(), (Names{"0 x 0 x 0 BPP", "3 / 3", stone}));
  app.Command(Command::ClearList);  // through its menu command: the status line is emptied
  EXPECT_EQ(status(), Names(3));

  // Another instance has saved its export folder since: this run chose none, so it stays.
  const std::string saved = "[Other]\r\nkeep=\xCA\xEB\xFE\xF7\r\n[Folders]\r\nOutput path=B\r\nExtra=x\r\n";
  WriteFileBytes(ini, saved);
  f.LastPath().Choose("D:\\\xD2\xE5\xEA\xF1\xF2\xF3\xF0\xFB\\");
  SendMessageA(app.Main(), WM_CLOSE, 0, 0);  // as the close button sends it
  app.Pump(50);
  EXPECT_TRUE(toolkit::Terminated());
  EXPECT_EQ(ReadFileBytes(ini), saved + "Last path=" + f.LastPath().path + "\r\n");

  App held;
  const std::string heldIni = held.ProgramDir().File("texlook.ini");
  WriteFileBytes(heldIni, "[Folders]\r\nOutput path=old\r\n");
  ASSERT_TRUE(held.Start());
  held.Form().OutputPath().Choose("new");
  HANDLE file = CreateFileA(heldIni.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  PostMessageA(held.Main(), WM_COMMAND, held.Form().CommandId(Command::Exit), 0);
  held.Pump(100);
  CloseHandle(file);
  EXPECT_EQ(ReadFileBytes(heldIni), "[Folders]\r\nOutput path=old\r\n");
}

}  // namespace
