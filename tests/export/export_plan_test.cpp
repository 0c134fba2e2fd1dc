#include "export/export_plan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace exporter {
namespace {

TEST(ExportTargetPath, Table) {
  const struct {
    const char* folder;
    const char* dds;
    const char* target;
  } cases[] = {
      {"D:\\out", "C:\\tex\\stone.dds", "D:\\out\\stone.tga"},
      {"D:\\", "C:\\tex\\stone.dds", "D:\\stone.tga"},  // drive root: one backslash
      {"D:\\out\\", "C:\\tex\\stone.DDS", "D:\\out\\stone.tga"},
      {"D:\\out", "C:\\tex\\a.b.dds", "D:\\out\\a.b.tga"},
      {"D:\\out", "C:\\tex\\noext", "D:\\out\\noext.tga"},
      {"D:\\out", "C:\\t.x\\noext", "D:\\out\\noext.tga"},  // the folder's dot is not the name's
      {"D:\\out", "C:x.dds", "D:\\out\\x.tga"},
  };
  for (const auto& c : cases) EXPECT_EQ(ExportTargetPath(c.folder, c.dds), c.target) << c.dds;
}

TEST(ProgressPercent, TruncatedPercentages) {
  const struct {
    int done, total, percent;
  } cases[] = {
      {1, 3, 33},
      {2, 3, 66},
      {3, 3, 100},
      {0, 5, 0},
      {1, 0, 0},
      {1, -4, 0},
      {999, 1000, 99},
      {29, 100, 29},  // a double quotient times 100 gives 28.999...
      {7, 5, 100},    // never above the bar's range
      {2147483647, 2147483647, 100},
      {1, 2147483647, 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ProgressPercent(c.done, c.total), c.percent) << c.done << "/" << c.total;
}

TEST(ExportSummaryText, MentionsFailuresAndOverwrittenFilesOnly) {
  EXPECT_EQ(ExportSummaryText(0, 5, 0), "Готово!");
  EXPECT_EQ(ExportSummaryText(0, 0, 0), "Готово!");
  EXPECT_EQ(ExportSummaryText(12, 12, 0), "Готово!\nНе экспортировано файлов: 12 из 12");
  EXPECT_EQ(
      ExportSummaryText(2, 5, 1),
      "Готово!\nНе экспортировано файлов: 2 из 5\nЗаменено файлами с тем же именем из следующих строк: 1");
}

}  // namespace
}  // namespace exporter
