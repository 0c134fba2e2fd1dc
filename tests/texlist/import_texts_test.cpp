// The open dialog's result read into files to add and the folder to remember.
#include "texlist/import_texts.h"

#include <gtest/gtest.h>

namespace texlist {
namespace {

using Paths = std::vector<std::string>;

// One file, or a folder and names: DDS names only, in order; the folder is remembered for several
// files even when none is DDS, and a drive root then gets two backslashes.
TEST(ParseOpenDialogResult, Table) {
  const std::string kept = "(kept)";
  const struct {
    Paths chosen, paths;
    std::string lastPath;
  } cases[] = {
      {{"C:\\T\\a.DDS"}, {"C:\\T\\a.DDS"}, "C:\\T\\"},
      {{"C:\\T\\a.txt"}, {}, kept},
      {{"C:\\a.dds"}, {"C:\\a.dds"}, "C:\\"},
      {{}, {}, kept},
      {{"C:\\T", "z.dds", "a.txt", "c.dds"}, {"C:\\T\\z.dds", "C:\\T\\c.dds"}, "C:\\T\\"},
      {{"C:\\T", "a.txt", "b.txt"}, {}, "C:\\T\\"},
      {{"C:\\", "a.dds", "b.dds"}, {"C:\\\\a.dds", "C:\\\\b.dds"}, "C:\\\\"},
      {{"C:\\x.dds", "readme", "a.dds"}, {"C:\\x.dds\\a.dds"}, "C:\\x.dds\\"},
  };
  for (const auto& c : cases) {
    const OpenDialogImport r = ParseOpenDialogResult(c.chosen);
    EXPECT_EQ(r.paths, c.paths) << testing::PrintToString(c.chosen);
    EXPECT_EQ(r.setLastPath ? r.lastPath : kept, c.lastPath) << testing::PrintToString(c.chosen);
  }
}

}  // namespace
}  // namespace texlist
