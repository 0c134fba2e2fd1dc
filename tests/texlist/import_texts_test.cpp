#include "texlist/import_texts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace texlist {
namespace {

using Paths = std::vector<std::string>;

TEST(SplitOnCarriageReturn, Pieces) {
  const struct {
    std::string text;
    Paths items;
  } cases[] = {
      {"", {}},
      {"C:\\a.dds", {"C:\\a.dds"}},
      {"C:\\a.dds\rC:\\b\rD:\\c.DDS", {"C:\\a.dds", "C:\\b", "D:\\c.DDS"}},
      {"\r", {}},
      {"a\r\rb\r", {"a", "b"}},  // empty pieces are no items
      {"a\nb", {"a\nb"}},        // only CR separates
  };
  for (const auto& c : cases) EXPECT_EQ(SplitOnCarriageReturn(c.text), c.items) << c.text;
}

TEST(ParseOpenDialogResult, Table) {
  const struct {
    const char* what;
    std::string fileName;
    Paths paths;
    bool setLastPath;
    std::string lastPath;
  } cases[] = {
      {"one DDS file", "C:\\T\\a.DDS", {"C:\\T\\a.DDS"}, true, "C:\\T\\"},
      {"one other file leaves the folder alone", "C:\\T\\a.txt", {}, false, ""},
      {"one file in a drive root", "C:\\a.dds", {"C:\\a.dds"}, true, "C:\\"},
      {"cancelled dialog", "", {}, false, ""},
      {"several files, one not DDS",
       "C:\\T\rb.dds\ra.txt\rc.dds",
       {"C:\\T\\b.dds", "C:\\T\\c.dds"},
       true,
       "C:\\T\\"},
      {"several files, none DDS, folder still remembered", "C:\\T\ra.txt\rb.txt", {}, true, "C:\\T\\"},
      {"several files in a drive root get two backslashes",
       "C:\\\ra.dds\rb.dds",
       {"C:\\\\a.dds", "C:\\\\b.dds"},
       true,
       "C:\\\\"},
      {"dotted folder does not make names DDS",
       "C:\\x.dds\rreadme\ra.dds",
       {"C:\\x.dds\\a.dds"},
       true,
       "C:\\x.dds\\"},
      {"order of the dialog is kept",
       "D:\\t\rz.dds\ra.dds\rm.dds",
       {"D:\\t\\z.dds", "D:\\t\\a.dds", "D:\\t\\m.dds"},
       true,
       "D:\\t\\"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const OpenDialogImport r = ParseOpenDialogResult(c.fileName);
    EXPECT_EQ(r.paths, c.paths);
    EXPECT_EQ(r.setLastPath, c.setLastPath);
    if (c.setLastPath) {
      EXPECT_EQ(r.lastPath, c.lastPath);
    }
  }
}

}  // namespace
}  // namespace texlist
