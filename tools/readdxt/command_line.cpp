// Options are read left to right; --help and --version answer at once, as does a missing
// option value.
#include "readdxt/command_line.h"

#include <cstdlib>

namespace readdxt {
namespace {

bool EndsWithPng(const std::string& name) {
  if (name.size() < 4) return false;
  std::string tail = name.substr(name.size() - 4);
  for (char& c : tail) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  return tail == ".png";
}

bool Fail(std::string& why, const char* text) {
  why = text;
  return false;
}

}  // namespace

bool ParseCommandLine(const std::vector<std::string>& args, CommandLine& command, std::string& why) {
  CommandLine c;
  bool optionsDone = false, info = false, haveOutput = false, jobsGiven = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    const bool option = !optionsDone && !arg.empty() && (arg[0] == '-' || arg == "/?");
    if (option && (arg == "--help" || arg == "-h" || arg == "/?" || arg == "--version")) {
      command = CommandLine();
      command.mode = arg == "--version" ? CommandLine::Mode::kVersion : CommandLine::Mode::kHelp;
      return true;
    } else if (option && arg == "-o") {
      if (!hasValue) return Fail(why, "-o needs a file name");
      c.output = args[++i];
      haveOutput = true;
    } else if (option && (arg == "-r" || arg == "-d")) {
      if (!hasValue) return Fail(why, arg == "-r" ? "-r needs a folder" : "-d needs a folder");
      (arg == "-r" ? c.folder : c.outDir) = args[++i];
    } else if (option && arg == "-j") {
      char* end = nullptr;
      const long n = hasValue ? std::strtol(args[i + 1].c_str(), &end, 10) : 0;
      if (!hasValue || *end || n < 1 || n > 256) return Fail(why, "-j needs a number from 1 to 256");
      c.jobs = static_cast<unsigned>(n);
      jobsGiven = true;
      ++i;
    } else if (option && (arg == "--info" || arg == "--png" || arg == "--force" || arg == "--")) {
      bool& flag = arg == "--info" ? info : arg == "--png" ? c.png : arg == "--force" ? c.force : optionsDone;
      flag = true;
    } else {
      c.inputs.push_back(arg);  // a lone "-" and unknown dashes among them, as always
    }
  }
  const bool batch = !c.folder.empty() || !c.outDir.empty();
  if (info && (batch || haveOutput || c.png)) return Fail(why, "--info takes files only");
  if (batch) {
    if (c.folder.empty() || c.outDir.empty()) return Fail(why, "-r FOLDER and -d OUTDIR go together");
    if (!c.inputs.empty() || haveOutput) return Fail(why, "-r converts a folder: no file or -o with it");
    c.mode = CommandLine::Mode::kBatch;
  } else if (jobsGiven || c.force) {
    return Fail(why, "-j and --force go with -r");
  } else if (c.inputs.empty()) {
    return Fail(why, "no DDS file given");
  } else if (c.inputs.size() > 1 && !info) {
    return Fail(why, "exactly one DDS file expected");
  } else {
    c.mode = info ? CommandLine::Mode::kInfo : CommandLine::Mode::kConvert;
    if (!haveOutput) c.output = c.png ? "test.png" : "test.tga";
    c.png = c.png || EndsWithPng(c.output);
  }
  command = c;
  return true;
}

}  // namespace readdxt
