// readdxt's command line, read into what to do; platform-free.
#pragma once
#include <string>
#include <vector>

namespace readdxt {

struct CommandLine {
  enum class Mode { kConvert, kInfo, kBatch, kHelp, kVersion };
  Mode mode = Mode::kConvert;
  std::vector<std::string> inputs;  // kConvert: one file; kInfo: one or more
  std::string output;               // kConvert: -o, else test.tga or test.png
  std::string folder, outDir;       // kBatch: -r FOLDER -d OUTDIR
  bool png = false;                 // --png, or -o NAME.png
  bool force = false;               // kBatch: replace existing outputs
  unsigned jobs = 0;                // kBatch: -j N; 0 = one per core
};

// False with the reason when the arguments make no valid command.
bool ParseCommandLine(const std::vector<std::string>& args, CommandLine& command, std::string& why);

}  // namespace readdxt
