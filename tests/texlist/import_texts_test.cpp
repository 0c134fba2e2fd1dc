// The open dialog's result read into files to add and the folder to remember.
#include "texlist/import_texts.h"

#include <gtest/gtest.h>

namespace texlist {
namespace {

using Paths = std::vector<std::string>;

TEST(ParseOpenDialogResult, Table) {
  const struct {
    const char* what;
    Paths chosen;
    Paths paths;
    bool setLastPath;
    std::string lastPath;
  } cases[] = {
      {"one DDS file", {"C:\\T\\a.DDS"}, {"C:\\T\\a.DDS"}, true, "C:\\T\\"},
      {"one other file leaves the folder alone", {"C:\\T\\a.txt"}, {}, false, ""},
      {"one file in a drive root", {"C:\\a.dds"}, {"C:\\a.dds"}, true, "C:\\"},
      {"cancelled dialog", {}, {}, false, ""},
      {"several files in the dialog's order, one not DDS",
       {"C:\\T", "z.dds", "a.txt", "c.dds"},
       {"C:\\T\\z.dds", "C:\\T\\c.dds"},
       true,
       "C:\\T\\"},
      {"several files, none DDS, folder still remembered", {"C:\\T", "a.txt", "b.txt"}, {}, true, "C:\\T\\"},
      {"several files in a drive root get two backslashes",
       {"C:\\", "a.dds", "b.dds"},
       {"C:\\\\a.dds", "C:\\\\b.dds"},
       true,
       "C:\\\\"},
      {"dotted folder does not make names DDS",
       {"C:\\x.dds", "readme", "a.dds"},
       {"C:\\x.dds\\a.dds"},
       true,
       "C:\\x.dds\\"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const OpenDialogImport r = ParseOpenDialogResult(c.chosen);
    EXPECT_EQ(r.paths, c.paths);
    EXPECT_EQ(r.setLastPath, c.setLastPath);
    if (c.setLastPath) {
      EXPECT_EQ(r.lastPath, c.lastPath);
    }
  }
}

}  // namespace
}  // namespace texlist
