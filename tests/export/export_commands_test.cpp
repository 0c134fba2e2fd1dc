// The export commands with a fake window and converter: which rows are written where and
// in which order, the progress bar, the closing message, and the remembered folder.
#include "export/export_commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "support/fakes.h"

namespace exporter {
namespace {

using testing_support::FakeConverter;
using testing_support::FakeWindow;
using Strings = std::vector<std::string>;
using Written = std::map<std::string, std::string>;  // target -> source

class ExportTest : public ::testing::Test {
 protected:
  ExportTest() : list(window) {
    for (const char* name : {"a", "b", "c", "d", "e", "f"}) {
      const std::string dds = std::string("C:\\in\\") + name + ".x.dds";
      list.Add({{dds, 1}});
      converter.outputs[dds] = std::string("C:\\prog\\") + name + ".tga";
    }
    window.folderAnswer = "D:\\out";
  }
  FakeWindow window;
  FakeConverter converter;
  texlist::TextureList list;
  texlist::RememberedFolder outputPath{"D:\\before"};
  ExportContext context{list, window, window, window, window, converter, window, outputPath};
};

TEST_F(ExportTest, SelectedRowsInListOrderWithTheBarMovingThenBackToZeroThenCancelled) {
  ExportSelected(context);  // no selection: nothing asked
  EXPECT_TRUE(window.asked.empty());
  window.selected = {0, 3};
  ExportSelected(context);
  EXPECT_EQ(window.asked, (Strings{"Экспортировать файл(ы) в папку:", "D:\\before"}));
  EXPECT_EQ(converter.staleDeleted, 1);
  // The name loses only its last extension.
  EXPECT_EQ(window.written,
            (Written{{"D:\\out\\a.x.tga", "C:\\prog\\a.tga"}, {"D:\\out\\d.x.tga", "C:\\prog\\d.tga"}}));
  EXPECT_EQ(converter.discarded, (Strings{"C:\\prog\\a.tga", "C:\\prog\\d.tga"}));
  EXPECT_EQ(window.progress, (std::vector<int>{50, 100, 0}));
  EXPECT_EQ(window.messages, (Strings{"Готово!"}));
  EXPECT_EQ(std::tuple(outputPath.path, outputPath.chosen), std::tuple("D:\\out", true));
  window.folderAnswer.clear();  // cancelled: a stale output goes all the same, nothing else happens
  ExportAll(context);
  EXPECT_EQ(converter.staleDeleted, 2);
  EXPECT_EQ(std::tuple(converter.runs.size(), window.messages.size(), outputPath.path),
            std::tuple(2u, 1u, "D:\\out"));
}

TEST_F(ExportTest, RowsWithoutOutputOrUnwritableTargetsAreCounted) {
  converter.outputs.erase("C:\\in\\b.x.dds");
  window.unwritable = "E:\\c.x.tga";
  window.folderAnswer = "E:\\";  // a drive root
  ExportAll(context);
  EXPECT_EQ(window.asked[0], "Экспортировать файлы в папку:");
  EXPECT_EQ(window.written, (Written{{"E:\\a.x.tga", "C:\\prog\\a.tga"},
                                     {"E:\\d.x.tga", "C:\\prog\\d.tga"},
                                     {"E:\\e.x.tga", "C:\\prog\\e.tga"},
                                     {"E:\\f.x.tga", "C:\\prog\\f.tga"}}));
  EXPECT_EQ(converter.discarded.size(), 5u);  // c's output is discarded though not written
  EXPECT_EQ(window.messages, (Strings{"Готово!\nНе экспортировано файлов: 2 из 6"}));
}

TEST_F(ExportTest, SameNamesAreCountedAndAnOutputThatIsTheTargetStays) {
  list.Add({{"C:\\other\\a.x.dds", 1}, {"D:\\out\\test.dds", 1}});
  window.unwritable = "D:\\out\\b.x.tga";
  converter.outputs["C:\\other\\a.x.dds"] = "C:\\prog\\other-a.tga";
  converter.outputs["D:\\out\\test.dds"] = "D:\\out\\test.tga";  // written beside the DDS file
  ExportAll(context);
  EXPECT_EQ(window.written["D:\\out\\a.x.tga"], "C:\\prog\\other-a.tga");  // the later row wins
  EXPECT_EQ(window.written.count("D:\\out\\test.tga"), 0u);                // nothing copied onto itself
  EXPECT_EQ(std::count(converter.discarded.begin(), converter.discarded.end(), "D:\\out\\test.tga"), 0);
  EXPECT_EQ(window.messages, (Strings{"Готово!\nНе экспортировано файлов: 1 из 8\nЗаменено файлами с тем же "
                                      "именем из следующих строк: 1"}));
}

TEST_F(ExportTest, ClosingTheWindowEndsTheExportAfterTheRowAndSaysNothing) {
  window.endAt = 2;
  // The settings are saved as the window closes, between two rows: they hold the new folder.
  converter.onRun = [&] { EXPECT_EQ(outputPath.path, "D:\\out"); };
  ExportAll(context);
  EXPECT_EQ(converter.runs.size(), 2u);
  EXPECT_TRUE(window.messages.empty());
  EXPECT_EQ(window.progress.back(), 33);  // not reset: nobody is left to see it
}

}  // namespace
}  // namespace exporter
