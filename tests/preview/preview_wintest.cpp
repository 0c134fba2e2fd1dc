// Selecting rows of the real list converts with the real converter and paints the
// picture: centred at its size, or shrunk to the pane; the status line says what it is.
#include <gtest/gtest.h>

#include <thread>
#include <tuple>

#include "converter/converter_runner.h"
#include "preview/tga_image.h"
#include "support/dds_files.h"
#include "support/window_harness_win.h"
#include "toolkit/application_win.h"
#include "toolkit/file_system.h"

using namespace testing_support;

namespace {

TEST(Preview, SelectedRowsArePaintedCentredOrShrunkAndDescribed) {
  TempFolder data;
  const std::string stone = data.File("синий камень.dds");  // blank and Cyrillic letters
  WriteFileBytes(stone, SolidDds(64, 32, 0xFF2040C0));
  WriteFileBytes(data.File("wide.dds"), SolidDds(4000, 40, 0xFFC08040));
  App app;
  ASSERT_TRUE(app.Start());
  MainForm& f = app.Form();
  app.Drop({Wide(stone), Wide(data.File("wide.dds")), Wide(stone)});
  auto status = [&] {
    return Names{f.MainWindow->StatusText(0), f.MainWindow->StatusText(1), f.MainWindow->StatusText(2)};
  };
  toolkit::CursorKind cursorAtBox = toolkit::CursorKind::Arrow;
  DialogWatcher watcher([&](HWND dialog) {
    if (GetDlgItem(dialog, 0xFFFF)) cursorAtBox = toolkit::ScreenCursor();
    return false;  // the watcher notes and closes it
  });

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

  // Full width, height 40 * w / 4000, centred vertically.
  app.Select({1});
  EXPECT_EQ(f.MainWindow->StatusText(0), "4000 x 40 x 32 BPP");
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
  EXPECT_EQ(std::make_tuple(boxes[0].title, boxes[0].text, boxes[0].owner, cursorAtBox),
            std::make_tuple(std::string("Texlook"), std::string("Ошибка при запуске readdxt.exe!"),
                            app.Main(), toolkit::CursorKind::Wait));
  EXPECT_FALSE(toolkit::ScreenCursorSet());
  EXPECT_EQ(status(), (Names{"0 x 0 x 0 BPP", "3 / 3", stone}));

  // Clearing the list through its menu command empties the status line.
  app.Command(Command::ClearList);
  EXPECT_EQ(status(), Names(3));
}

// Two programs started from one folder (this test run once more as a second process):
// each converter run gives its own picture, never the other's. (Two converters in one
// process would share the current folder the platform sets for a start.)
int WrongPictures(const std::string& dds, int width) {
  struct : toolkit::Messages {
    void Show(const std::string&) override {}
  } quiet;
  converter::ProgramConverter runner(quiet);
  int wrong = 0;
  for (int run = 0; run < 20; ++run) {
    const converter::ConverterOutput output = runner.Run(dds);
    preview::TgaImage image;
    if (output.produced) image.LoadFile(output.path);
    wrong += image.Width != width;
    runner.Discard(output);
  }
  return wrong;
}

TEST(Preview, TwoProgramsInOneFolderNeverSeeEachOthersPictures) {
  char second[MAX_PATH] = {};
  if (GetEnvironmentVariableA("TEXLOOK_SECOND", second, MAX_PATH)) {
    toolkit::OverrideProgramFolder(second);
    EXPECT_EQ(WrongPictures(std::string(second) + "small.dds", 13), 0);
    return;
  }
  App app;  // the program folder and its converter
  WriteFileBytes(app.ProgramDir().File("big.dds"), SolidDds(256, 256, 0xFF102030));
  WriteFileBytes(app.ProgramDir().File("small.dds"), SolidDds(13, 7, 0xFF302010));
  SetEnvironmentVariableA("TEXLOOK_SECOND", app.ProgramDir().path.c_str());
  DWORD code = 1;
  std::thread other([&] {
    code = testing_support::Run("\"" + BuildFolder() + "tests\\win_tests.exe\" --gtest_filter=Preview.Two*");
  });
  EXPECT_EQ(WrongPictures(app.ProgramDir().File("big.dds"), 256), 0);
  other.join();
  EXPECT_EQ(code, 0u);
}

}  // namespace
