#include "export/export_plan.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace exporter {
namespace {

// A drive root gets one backslash; a folder's dot is not the name's.
TEST(ExportTargetPath, Table) {
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"D:\\out", "C:\\tex\\stone.dds", "D:\\out\\stone.tga"},
      {"D:\\", "C:\\tex\\stone.dds", "D:\\stone.tga"},
      {"D:\\out\\", "C:\\tex\\stone.DDS", "D:\\out\\stone.tga"},
      {"D:\\out", "C:\\tex\\a.b.dds", "D:\\out\\a.b.tga"},
      {"D:\\out", "C:\\tex\\noext", "D:\\out\\noext.tga"},
      {"D:\\out", "C:\\t.x\\noext", "D:\\out\\noext.tga"},
      {"D:\\out", "C:x.dds", "D:\\out\\x.tga"}};
  for (const auto& [folder, dds, target] : cases) EXPECT_EQ(ExportTargetPath(folder, dds), target) << dds;
}

// Truncated, never above the bar's range; 29/100 as a double quotient times 100 is 28.999...
TEST(ProgressPercent, TruncatedPercentages) {
  const std::tuple<int, int, int> cases[] = {{2, 3, 66},        {3, 3, 100}, {0, 5, 0},
                                             {1, 0, 0},         {1, -4, 0},  {999, 1000, 99},
                                             {29, 100, 29},     {7, 5, 100}, {2147483647, 2147483647, 100},
                                             {1, 2147483647, 0}};
  for (const auto& [done, total, percent] : cases)
    EXPECT_EQ(ProgressPercent(done, total), percent) << done << "/" << total;
}

}  // namespace
}  // namespace exporter
