#include "converter/converter_runner.h"

#include <vector>

#include "converter/converter_output.h"
#include "toolkit/portable/file_system.h"
#include "toolkit/portable/process.h"

namespace converter {

const char kConverterName[] = "readdxt.exe";

namespace {

const char kOutputName[] = "test.tga";
const char kStartFailed[] = "Ошибка при запуске readdxt.exe!";
const char kWaitFailed[] = "Неизвестная ошибка!";

FileStamp Stamp(const std::string& path) {
  toolkit::FileStampInfo info = toolkit::StampOf(path);
  return FileStamp{info.exists, info.size, info.writeTime};
}

std::string ProgramOutputPath() { return toolkit::ProgramFolder() + kOutputName; }

}  // namespace

// Only in the folder of our own: a "test.tga" in the program folder is the user's (an
// export of test.dds, say) unless a run has just written it.
void ProgramConverter::DeleteStaleOutput() {
  if (!workFolder_.Path().empty()) toolkit::DeleteFileAt(workFolder_.Path() + kOutputName);
}

ConverterOutput ProgramConverter::Run(const std::string& ddsPath) {
  const std::string workFolder = workFolder_.Path().empty() ? toolkit::ProgramFolder() : workFolder_.Path();
  // The places the converter's contract names, in order of preference: its working folder
  // (ours alone), then the program folder. A "test.tga" beside the DDS file may be anyone's
  // (another program exporting test.dds there): it is never taken.
  std::vector<std::string> candidates = {workFolder + kOutputName};
  if (ProgramOutputPath() != candidates[0]) candidates.push_back(ProgramOutputPath());
  std::vector<FileStamp> before;
  for (const std::string& path : candidates) before.push_back(Stamp(path));
  const toolkit::StartResult result =
      toolkit::RunHiddenAndWait(toolkit::ProgramFolder() + kConverterName, "\"" + ddsPath + "\"", workFolder);
  if (result == toolkit::StartResult::StartFailed) showMessage_(kStartFailed);
  if (result == toolkit::StartResult::WaitFailed) showMessage_(kWaitFailed);
  ConverterOutput output;
  if (result == toolkit::StartResult::Abandoned) return output;  // nobody is left to see it
  // A "test.tga" that was there before the run and was not rewritten by it is someone
  // else's file: it is neither used nor deleted.
  for (size_t i = 0; i < candidates.size() && !output.produced; ++i) {
    if (ConverterWroteFile(before[i], Stamp(candidates[i]))) output = {true, candidates[i]};
  }
  return output;
}

void ProgramConverter::Discard(const ConverterOutput& output) {
  if (output.produced) toolkit::DeleteFileAt(output.path);
}

}  // namespace converter
