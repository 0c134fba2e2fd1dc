// The command line: the single-file form as Texlook uses it, and the new options.
#include "readdxt/command_line.h"

#include <gtest/gtest.h>

namespace {

using readdxt::CommandLine;
using Mode = CommandLine::Mode;

TEST(ReaddxtCommandLine, ReadsEveryFormAndRefusesMixtures) {
  // clang-format off
  const struct { std::vector<std::string> args; const char* result; } cases[] = {  // result: mode,inputs,output,folder,outDir,png,force,jobs, or the reason
      {{"a.dds"}, "C a.dds|test.tga|||0 0 0"},
      {{"-o", "x.PNG", "a.dds"}, "C a.dds|x.PNG|||1 0 0"},
      {{"--png", "--", "-a.dds"}, "C -a.dds|test.png|||1 0 0"},
      {{"-x"}, "C -x|test.tga|||0 0 0"},
      {{"a.dds", "--help", "b"}, "H ||||0 0 0"},
      {{"--version", "-o"}, "V ||||0 0 0"},
      {{"--info", "a.dds", "b.dds"}, "I a.dds b.dds|test.tga|||0 0 0"},
      {{"-r", "in", "-d", "out", "--png", "-j", "3", "--force"}, "B ||in|out|1 1 3"},
      {{"a.dds", "b.dds"}, "exactly one DDS file expected"},
      {{}, "no DDS file given"},
      {{"a.dds", "-o"}, "-o needs a file name"},
      {{"-r", "in"}, "-r FOLDER and -d OUTDIR go together"},
      {{"-r", "in", "-d", "out", "a.dds"}, "-r converts a folder: no file or -o with it"},
      {{"-r", "in", "-d", "out", "-j", "0"}, "-j needs a number from 1 to 256"},
      {{"-j", "2", "a.dds"}, "-j and --force go with -r"},
      {{"--info", "-o", "x", "a.dds"}, "--info takes files only"},
  };
  // clang-format on
  for (const auto& c : cases) {
    CommandLine line;
    std::string why, got;
    if (readdxt::ParseCommandLine(c.args, line, why)) {
      got = std::string(1, "CIBHV"[static_cast<int>(line.mode)]) + ' ';
      for (const std::string& input : line.inputs) got += (&input == &line.inputs[0] ? "" : " ") + input;
      got += '|' + line.output + '|' + line.folder + '|' + line.outDir + '|' + std::to_string(line.png) +
             ' ' + std::to_string(line.force) + ' ' + std::to_string(line.jobs);
    }
    EXPECT_EQ(why.empty() ? got : why, c.result) << c.args.size();
  }
}

}  // namespace
