#include "texlist/dds_name.h"

#include <gtest/gtest.h>

namespace texlist {
namespace {

TEST(IsDdsPath, ByTheLastDotOfTheWholePath) {
  const struct {
    const char* path;
    bool dds;
  } cases[] = {
      {"C:\\t\\a.dds", true},
      {"C:\\t\\a.DDS", true},
      {"C:\\t\\X.DdS", true},
      {"a.dds", true},
      {".dds", true},
      {"C:\\t\\a.dds.bak", false},
      {"C:\\t\\a.txt", false},
      {"C:\\t\\a.dd", false},
      {"C:\\t\\a.ddss", false},
      {"C:\\t\\adds", false},
      {"C:\\old.set\\readme", false},  // the dot of a folder: extension ".set\readme"
      {"C:\\x.dds\\readme", false},    // even when the folder looks like a DDS file
      {"C:\\x.dds\\", false},
      {"", false},
      {"C:\\t\\a.dds ", false},
      {"C:\\t\\\xE0.dds", true},  // a Windows-1251 name
  };
  for (const auto& c : cases) EXPECT_EQ(IsDdsPath(c.path), c.dds) << c.path;
}

}  // namespace
}  // namespace texlist
