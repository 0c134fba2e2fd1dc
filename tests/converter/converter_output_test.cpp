#include "converter/converter_output.h"

#include <gtest/gtest.h>

namespace converter {
namespace {

TEST(ConverterWroteFile, Table) {
  const FileStamp none{false, 0, 0}, old{true, 100, 5000};
  const struct {
    const char* what;
    FileStamp before, after;
    bool wrote;
  } cases[] = {
      {"new file", none, {true, 100, 5000}, true},
      {"new empty file", none, {true, 0, 0}, true},
      {"nothing written", none, none, false},
      {"untouched old file", old, old, false},
      {"old file rewritten, same size", old, {true, 100, 5001}, true},
      {"old file rewritten, same time", old, {true, 101, 5000}, true},
      {"old file deleted", old, none, false},
      {"sizes above 4 GiB compared in full", {true, 0x100000000ull, 7}, {true, 0x200000000ull, 7}, true},
  };
  for (const auto& c : cases) EXPECT_EQ(ConverterWroteFile(c.before, c.after), c.wrote) << c.what;
}

}  // namespace
}  // namespace converter
