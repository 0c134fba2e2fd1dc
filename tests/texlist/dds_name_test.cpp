#include "texlist/dds_name.h"

#include <gtest/gtest.h>

namespace texlist {
namespace {

// A folder's dot is not the name's, even when the folder looks like a DDS file; \xE0 is a
// Windows-1251 letter.
TEST(IsDdsPath, ByTheLastDotOfTheWholePath) {
  for (const char* path :
       {"C:\\t\\a.dds", "C:\\t\\a.DDS", "C:\\t\\X.DdS", "a.dds", ".dds", "C:\\t\\\xE0.dds"})
    EXPECT_TRUE(IsDdsPath(path)) << path;
  for (const char* path : {"C:\\t\\a.dds.bak", "C:\\t\\a.txt", "C:\\t\\a.dd", "C:\\t\\a.ddss", "C:\\t\\adds",
                           "C:\\old.set\\readme", "C:\\x.dds\\readme", "C:\\x.dds\\", "", "C:\\t\\a.dds "})
    EXPECT_FALSE(IsDdsPath(path)) << path;
}

}  // namespace
}  // namespace texlist
