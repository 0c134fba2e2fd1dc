// Two programs started from one folder (this test run once more as a second process): each
// converter run gives its own picture, never the other's. (Two converters in one process would
// share the current folder the platform sets for a start.) Painting is in the main window's test.
#include <windows.h>

#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <thread>
#include <tuple>

#include "converter/converter_runner.h"
#include "preview/tga_image.h"
#include "support/dds_files.h"
#include "support/window_harness_win.h"

using namespace testing_support;

namespace {

void ExpectOwnPictures(const std::string& dds, int width) {
  std::string told;
  converter::ProgramConverter runner([&](const std::string& message) { told += message; });
  for (int run = 0; run < 20; ++run) {
    const converter::ConverterOutput output = runner.Run(dds);
    preview::TgaImage image;
    if (output.produced) image.LoadFile(output.path);
    EXPECT_EQ(image.width, width) << "run " << run << ": " << (output.produced ? output.path : "no output " + told);
    runner.Discard(output);
  }
}

TEST(Preview, TwoProgramsInOneFolderNeverSeeEachOthersPictures) {
  char second[MAX_PATH] = {};
  if (GetEnvironmentVariableA("TEXLOOK_SECOND", second, MAX_PATH)) {
    toolkit::OverrideProgramFolder(second);
    ExpectOwnPictures(std::string(second) + "small.dds", 13);
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
  ExpectOwnPictures(app.ProgramDir().File("big.dds"), 256);
  other.join();
  EXPECT_EQ(code, 0u);
}

// A converter that runs until told: meanwhile the window paints and answers under the wait
// cursor and refuses commands, drops and other rows; closing it ends the converter, and the
// settings are saved.
TEST(Preview, TheWindowStaysInUseWhileTheConverterRunsAndClosingEndsIt) {
  App app;
  CopyFileA((BuildFolder() + "tests\\fake_readdxt.exe").c_str(), app.ProgramDir().File("readdxt.exe").c_str(),
            FALSE);
  TempFolder data;
  const std::string slow = data.File("slow.dds");
  WriteFileBytes(slow, "hold\n");
  WriteFileBytes(slow + ".hold", "");
  ASSERT_TRUE(app.Start());
  MainForm& f = app.Form();
  app.Drop({ToWide(slow), ToWide(slow)});
  bool inUse = false;
  std::thread user([&] {
    // The wait cursor: the conversion is under way. Bounded, so that a preview that never
    // starts fails here instead of holding the test until its time limit.
    for (int i = 0; i < 3000 && !toolkit::ScreenCursorSet(); ++i) Sleep(10);
    HWND box = f.PreviewBox().Handle();
    inUse = InvalidateRect(box, nullptr, TRUE) &&
            SendMessageTimeoutA(app.Main(), WM_NULL, 0, 0, SMTO_NORMAL, 3000, nullptr);
    for (int i = 0; i < 100 && GetUpdateRect(box, nullptr, FALSE); ++i) Sleep(20);
    inUse =
        inUse && !GetUpdateRect(box, nullptr, FALSE) && toolkit::ScreenCursor() == toolkit::CursorKind::Wait;
    if (inUse) {  // else the window would take these only once the converter has ended
      PostMessageA(app.Main(), WM_COMMAND, f.CommandId(Command::ClearList), 0);
      app.Drop({ToWide(slow)});
      app.Select({1});
    }
    PostMessageA(app.Main(), WM_CLOSE, 0, 0);
  });
  app.Select({0});
  user.join();
  const std::string ini = app.ProgramDir().File("texlook.ini");
  HANDLE all = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);  // the converter: a child of ours
  PROCESSENTRY32 e = {sizeof e, 0, 0, 0, 0, 0, 0, 0, 0, {}};
  int running = 0;
  for (BOOL more = Process32First(all, &e); more; more = Process32Next(all, &e))
    running += e.th32ParentProcessID == GetCurrentProcessId() && !lstrcmpiA(e.szExeFile, "readdxt.exe");
  CloseHandle(all);
  EXPECT_TRUE(inUse);
  EXPECT_EQ(std::tuple(running, f.Window().StatusText(0), f.Window().StatusText(1),
                       f.Textures().TextureCount(), toolkit::Terminated(), toolkit::FileExists(ini)),
            std::tuple(0, "0 x 0 x 0 BPP", "1 / 2", 2, true, true));
}

}  // namespace
