#include "converter/converter_output.h"

#include <gtest/gtest.h>

#include <tuple>

namespace converter {
namespace {

TEST(ConverterWroteFile, Table) {
  const FileStamp none{false, 0, 0}, old{true, 100, 5000}, big{true, 0x100000000ull, 7};
  // New, new and empty, nothing, untouched, rewritten at the same size or time, deleted, and
  // sizes above 4 GiB compared in full.
  const std::tuple<FileStamp, FileStamp, bool> cases[] = {
      {none, old, true},  {none, {true, 0, 0}, true},       {none, none, false},
      {old, old, false},  {old, {true, 100, 5001}, true},   {old, {true, 101, 5000}, true},
      {old, none, false}, {big, {true, 0x200000000ull, 7}, true}};
  int i = 0;
  for (const auto& [before, after, wrote] : cases) EXPECT_EQ(ConverterWroteFile(before, after), wrote) << i++;
}

}  // namespace
}  // namespace converter
