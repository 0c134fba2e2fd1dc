#include "converter/converter_runner.h"

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

void ProgramConverter::DeleteStaleOutput() { toolkit::DeleteFileAt(ProgramOutputPath()); }

ConverterOutput ProgramConverter::Run(const std::string& ddsPath) {
  const std::string here = ProgramOutputPath();
  const std::string beside = toolkit::ExtractFilePath(ddsPath) + kOutputName;
  const FileStamp hereBefore = Stamp(here);
  const FileStamp besideBefore = Stamp(beside);
  switch (toolkit::RunHiddenAndWait(kConverterName, "\"" + ddsPath + "\"", toolkit::ProgramFolder())) {
    case toolkit::StartResult::StartFailed:
      messages_.Show(kStartFailed);
      break;
    case toolkit::StartResult::WaitFailed:
      messages_.Show(kWaitFailed);
      break;
    case toolkit::StartResult::Finished:
      break;
  }
  // A "test.tga" that already lay beside the DDS file and was not rewritten by this run
  // is someone else's file: it is neither used nor deleted.
  ConverterOutput output;
  if (ConverterWroteFile(hereBefore, Stamp(here))) {
    output.path = here;
  } else if (beside != here && ConverterWroteFile(besideBefore, Stamp(beside))) {
    output.path = beside;
  }
  output.produced = !output.path.empty();
  return output;
}

void ProgramConverter::Discard(const ConverterOutput& output) {
  if (output.produced) toolkit::DeleteFileAt(output.path);
}

}  // namespace converter
