#include "converter/converter_runner.h"

#include <algorithm>
#include <vector>

#include "converter/converter_output.h"
#include "toolkit/file_system.h"
#include "toolkit/path_helpers.h"
#include "toolkit/process.h"
#include "toolkit/window_parts.h"

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

void ProgramConverter::DeleteStaleOutput() {
  if (!workFolder_.Path().empty()) toolkit::DeleteFileAt(workFolder_.Path() + kOutputName);
  toolkit::DeleteFileAt(ProgramOutputPath());
}

ConverterOutput ProgramConverter::Run(const std::string& ddsPath) {
  const std::string workFolder = workFolder_.Path().empty() ? toolkit::ProgramFolder() : workFolder_.Path();
  // Where a converter may write its output, in order of preference: our converter writes
  // into its working folder; others may write into their own folder or beside the DDS file.
  std::vector<std::string> candidates = {workFolder + kOutputName};
  for (const std::string& other : {ProgramOutputPath(), toolkit::ExtractFilePath(ddsPath) + kOutputName}) {
    if (std::find(candidates.begin(), candidates.end(), other) == candidates.end())
      candidates.push_back(other);
  }
  std::vector<FileStamp> before;
  for (const std::string& path : candidates) before.push_back(Stamp(path));
  const toolkit::StartResult result =
      toolkit::RunHiddenAndWait(toolkit::ProgramFolder() + kConverterName, "\"" + ddsPath + "\"", workFolder);
  if (result == toolkit::StartResult::StartFailed) messages_.Show(kStartFailed);
  if (result == toolkit::StartResult::WaitFailed) messages_.Show(kWaitFailed);
  // A "test.tga" that was there before the run and was not rewritten by it is someone
  // else's file: it is neither used nor deleted.
  ConverterOutput output;
  for (size_t i = 0; i < candidates.size() && !output.produced; ++i) {
    if (ConverterWroteFile(before[i], Stamp(candidates[i]))) output = {true, candidates[i]};
  }
  return output;
}

void ProgramConverter::Discard(const ConverterOutput& output) {
  if (output.produced) toolkit::DeleteFileAt(output.path);
}

}  // namespace converter
