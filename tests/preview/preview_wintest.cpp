// Selecting a row converts its texture and shows it: status texts, the picture, the
// converter output deleted; the rules for which state changes convert; clearing.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "app/handlers.h"
#include "preview/tga_image.h"
#include "support/app_harness_win.h"
#include "support/dds_files.h"
#include "texlist/texture_list_ops.h"
#include "toolkit/file_system.h"

using namespace testing_support;

namespace {

HWND Hwnd(toolkit::Control* c) { return static_cast<HWND>(c->Handle()); }

int CountRuns(AppHarness& app) {
  std::string log = ReadFileBytes(app.ProgramDir().File("runs.log"));
  int n = 0;
  for (char c : log) n += c == '\n';
  return n;
}

// Renders the preview box as the screen would show it and returns the colour at (x, y)
// as 0xRRGGBB.
struct Capture {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;  // top-down
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFF; }
};

Capture CapturePreview(MainForm& f) {
  Capture c;
  HWND box = Hwnd(f.PreviewBox);
  RECT rc;
  GetClientRect(box, &rc);
  c.width = rc.right;
  c.height = rc.bottom;
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = c.width;
  bi.bmiHeader.biHeight = -c.height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC mem = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(mem, dib);
  SendMessageA(box, WM_PRINT, reinterpret_cast<WPARAM>(mem), PRF_CLIENT | PRF_ERASEBKGND);
  GdiFlush();
  c.pixels.assign(static_cast<uint32_t*>(bits), static_cast<uint32_t*>(bits) + c.width * c.height);
  SelectObject(mem, old);
  DeleteDC(mem);
  DeleteObject(dib);
  ReleaseDC(nullptr, screen);
  return c;
}

constexpr uint32_t kBackground = 0xA0A0A4;  // the pane's 0xA4A0A0 as 0xRRGGBB

void Select(MainForm& f, int row) {
  f.FileList->SetRowState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  f.FileList->SetRowState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

TEST(Preview, SelectingARowShowsTheTextureAndItsInformation) {
  AppHarness app;  // the real converter
  ASSERT_TRUE(app.Start());
  MainForm& f = app.Form();
  TempFolder data;
  const std::string dds = data.File("синий камень.dds");  // blank and Cyrillic letters
  WriteFileBytes(dds, SolidDds(64, 32, 0xFF2040C0));
  WriteFileBytes(data.File("other.dds"), SolidDds(8, 8, 0xFF00FF00));
  AddTextureFile(f, data.File("other.dds"));
  AddTextureFile(f, dds);
  DialogWatcher watcher;
  Select(f, 1);
  app.Pump(50);
  EXPECT_TRUE(watcher.Boxes().empty());
  EXPECT_EQ(f.textures.CurrentIndex, 1);
  EXPECT_EQ(f.MainWindow->StatusText(0), "64 x 32 x 32 BPP");
  EXPECT_EQ(f.MainWindow->StatusText(1), "2 / 2");
  EXPECT_EQ(f.MainWindow->StatusText(2), dds);
  EXPECT_FALSE(toolkit::FileExists(app.ProgramDir().File("test.tga")));
  EXPECT_FALSE(toolkit::FileExists(data.File("test.tga")));
  // Centred at its own size on the pane's background.
  Capture c = CapturePreview(f);
  ASSERT_GT(c.width, 64);
  ASSERT_GT(c.height, 32);
  const int x = (c.width - 64) / 2, y = (c.height - 32) / 2;
  EXPECT_EQ(c.At(x, y), 0x2040C0u);
  EXPECT_EQ(c.At(x + 63, y + 31), 0x2040C0u);
  EXPECT_EQ(c.At(x - 1, y), kBackground);
  EXPECT_EQ(c.At(x, y - 1), kBackground);
  EXPECT_EQ(c.At(x + 64, y + 31), kBackground);
  EXPECT_EQ(c.At(0, 0), kBackground);
}

TEST(Preview, LargeTexturesAreShrunkToThePane) {
  AppHarness app;
  ASSERT_TRUE(app.Start());
  MainForm& f = app.Form();
  TempFolder data;
  WriteFileBytes(data.File("wide.dds"), SolidDds(4000, 40, 0xFFC08040));
  AddTextureFile(f, data.File("wide.dds"));
  Select(f, 0);
  app.Pump(50);
  EXPECT_EQ(f.MainWindow->StatusText(0), "4000 x 40 x 32 BPP");
  Capture c = CapturePreview(f);
  ASSERT_LT(c.width, 4000);
  // Full width, height 40 * W / 4000, centred vertically.
  const int h = static_cast<int>(40LL * c.width / 4000);
  const int y = (c.height - h) / 2;
  EXPECT_EQ(c.At(0, y + h / 2), 0xC08040u);
  EXPECT_EQ(c.At(c.width - 1, y + h / 2), 0xC08040u);
  EXPECT_EQ(c.At(c.width / 2, y - 2), kBackground);
  EXPECT_EQ(c.At(c.width / 2, y + h + 1), kBackground);
}

TEST(Preview, OnlyAChangeToFocusedAndSelectedConverts) {
  AppHarness app(BuildFolder() + "tests\\fake_readdxt.exe");
  ASSERT_TRUE(app.Start());
  MainForm& f = app.Form();
  TempFolder data;
  for (int i = 0; i < 4; ++i) {
    std::string path = data.File("t" + std::to_string(i) + ".dds");
    WriteFileBytes(path, "write-here\n");
    AddTextureFile(f, path);
  }
  toolkit::ListView& list = *f.FileList;
  list.SetRowState(0, LVIS_SELECTED, LVIS_SELECTED);  // selected only
  list.SetRowState(1, LVIS_FOCUSED, LVIS_FOCUSED);    // focused only
  EXPECT_EQ(CountRuns(app), 0);
  list.SetRowState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  list.SetRowState(2, LVIS_SELECTED | LVIS_FOCUSED | LVIS_CUT, LVIS_SELECTED | LVIS_FOCUSED | LVIS_CUT);
  EXPECT_EQ(CountRuns(app), 0);  // a further bit besides the two
  list.SetRowState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED | LVIS_CUT);
  EXPECT_EQ(CountRuns(app), 0);  // rows losing their selection

  // A multiple selection previews its first selected row.
  list.SetRowState(1, LVIS_SELECTED, LVIS_SELECTED);
  list.SetRowState(3, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  EXPECT_EQ(CountRuns(app), 1);
  EXPECT_EQ(f.textures.CurrentIndex, 1);
  EXPECT_EQ(f.MainWindow->StatusText(1), "2 / 4");
  EXPECT_EQ(f.MainWindow->StatusText(2), data.File("t1.dds"));
  EXPECT_EQ(f.MainWindow->StatusText(0), "4 x 2 x 24 BPP");
  // Selecting the focused and selected row again changes no state.
  list.SetRowState(3, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  EXPECT_EQ(CountRuns(app), 1);
}

TEST(Preview, ConverterThatCannotStartShowsItsMessageOnceAndAnEmptyImage) {
  AppHarness app;
  ASSERT_TRUE(app.Start());
  MainForm& f = app.Form();
  TempFolder data;
  WriteFileBytes(data.File("a.dds"), SolidDds(4, 4, 0xFFFFFFFF));
  AddTextureFile(f, data.File("a.dds"));
  AddTextureFile(f, data.File("a.dds"));
  Select(f, 0);
  EXPECT_EQ(f.MainWindow->StatusText(0), "4 x 4 x 32 BPP");
  DeleteFileA(app.ProgramDir().File("readdxt.exe").c_str());
  DialogWatcher watcher;
  Select(f, 1);
  app.Pump(50);
  auto boxes = watcher.Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].title, "Texlook");
  EXPECT_EQ(boxes[0].text, "Ошибка при запуске readdxt.exe!");
  EXPECT_EQ(f.MainWindow->StatusText(0), "0 x 0 x 0 BPP");
  EXPECT_EQ(f.MainWindow->StatusText(1), "2 / 2");
  EXPECT_TRUE(f.PreviewImage->ColorBitmap.IsEmpty());
}

TEST(Preview, OutputBesideTheDdsIsUsedOnlyWhenThisRunWroteIt) {
  AppHarness app(BuildFolder() + "tests\\fake_readdxt.exe");
  ASSERT_TRUE(app.Start());
  MainForm& f = app.Form();
  TempFolder data;
  // A user's own test.tga beside a DDS whose converter run writes nothing.
  const std::string users = data.File("test.tga");
  const std::string usersBytes = ReadFileBytes(BuildFolder() + "tests\\fake_readdxt.exe").substr(0, 100);
  WriteFileBytes(users, usersBytes);
  WriteFileBytes(data.File("nothing.dds"), "write-nothing\n");
  AddTextureFile(f, data.File("nothing.dds"));
  Select(f, 0);
  EXPECT_EQ(f.MainWindow->StatusText(0), "0 x 0 x 0 BPP");
  EXPECT_EQ(ReadFileBytes(users), usersBytes);  // neither shown nor deleted

  // A converter that writes beside the DDS: that output is shown and deleted.
  TempFolder other;
  WriteFileBytes(other.File("beside.dds"), "write-beside\n");
  AddTextureFile(f, other.File("beside.dds"));
  Select(f, 1);
  EXPECT_EQ(f.MainWindow->StatusText(0), "4 x 2 x 24 BPP");
  EXPECT_FALSE(toolkit::FileExists(other.File("test.tga")));
  // Rewriting the user's file counts as this run's output.
  WriteFileBytes(data.File("rewrite.dds"), "write-beside\n");
  AddTextureFile(f, data.File("rewrite.dds"));
  Select(f, 2);
  EXPECT_EQ(f.MainWindow->StatusText(0), "4 x 2 x 24 BPP");
  EXPECT_FALSE(toolkit::FileExists(users));
}

TEST(Preview, ExitCodeDoesNotMatterWhenThereIsOutput) {
  AppHarness app(BuildFolder() + "tests\\fake_readdxt.exe");
  ASSERT_TRUE(app.Start());
  MainForm& f = app.Form();
  TempFolder data;
  WriteFileBytes(data.File("x.dds"), "fail-with-output\n");
  AddTextureFile(f, data.File("x.dds"));
  Select(f, 0);
  EXPECT_EQ(f.MainWindow->StatusText(0), "4 x 2 x 24 BPP");
  EXPECT_FALSE(toolkit::FileExists(app.ProgramDir().File("test.tga")));
}

TEST(Preview, RowsShowNameSizeAndFolderAndClearingEmptiesEverything) {
  AppHarness app(BuildFolder() + "tests\\fake_readdxt.exe");
  ASSERT_TRUE(app.Start());
  MainForm& f = app.Form();
  TempFolder data;
  WriteFileBytes(data.File("stone.dds"), std::string(1048576, 'x'));
  WriteFileBytes(data.File("empty.dds"), "");
  AddTextureFile(f, data.File("stone.dds"));
  AddTextureFile(f, data.File("empty.dds"));
  AddTextureFile(f, data.File("vanished.dds"));
  AddTextureFile(f, "C:stone.dds");
  AddTextureFile(f, data.File("stone.dds"));  // duplicates are kept
  toolkit::ListView& list = *f.FileList;
  ASSERT_EQ(list.RowCount(), 5);
  EXPECT_EQ(f.textures.TextureCount(), 5);
  const struct {
    const char* name;
    const char* size;
    std::string folder;
  } rows[] = {{"stone.dds", "1048576", data.Path()},
              {"empty.dds", "0", data.Path()},
              {"vanished.dds", "0", data.Path()},
              {"stone.dds", "0", "C:"},
              {"stone.dds", "1048576", data.Path()}};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(list.Text(i, 0), rows[i].name) << i;
    EXPECT_EQ(list.Text(i, 1), rows[i].size) << i;
    EXPECT_EQ(list.Text(i, 2), rows[i].folder) << i;
  }
  WriteFileBytes(data.File("stone.dds"), "write-here\n");
  Select(f, 4);
  EXPECT_EQ(f.MainWindow->StatusText(1), "5 / 5");
  // Adding rows leaves the preview and the status bar alone.
  AddTextureFile(f, data.File("empty.dds"));
  EXPECT_EQ(f.MainWindow->StatusText(1), "5 / 5");
  EXPECT_EQ(f.textures.CurrentIndex, 4);

  PostMessageA(Hwnd(f.MainWindow), WM_COMMAND, 4101, 0);  // "Очистить список"
  app.Pump(50);
  EXPECT_EQ(list.RowCount(), 0);
  EXPECT_EQ(f.textures.TextureCount(), 0);
  EXPECT_EQ(f.textures.CurrentIndex, -1);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(f.MainWindow->StatusText(i), "");
  EXPECT_TRUE(f.PreviewImage->ColorBitmap.IsEmpty());
  Capture c = CapturePreview(f);
  EXPECT_EQ(c.At(c.width / 2, c.height / 2), kBackground);
  // The next file becomes row 0 again.
  AddTextureFile(f, data.File("stone.dds"));
  Select(f, 0);
  EXPECT_EQ(f.MainWindow->StatusText(1), "1 / 1");
}

}  // namespace
