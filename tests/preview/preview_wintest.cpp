// Two programs started from one folder (this test run once more as a second process): each
// converter run gives its own picture, never the other's. (Two converters in one process would
// share the current folder the platform sets for a start.) Painting is in the main window's test.
#include <gtest/gtest.h>

#include <thread>

#include "converter/converter_runner.h"
#include "preview/tga_image.h"
#include "support/dds_files.h"
#include "support/fakes.h"
#include "support/window_harness_win.h"

using namespace testing_support;

namespace {

int WrongPictures(const std::string& dds, int width) {
  FakeWindow quiet;
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
