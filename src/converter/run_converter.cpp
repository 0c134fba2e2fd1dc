#include "converter/run_converter.h"

#include "app/main_form.h"
#include "converter/converter_output.h"
#include "toolkit/application.h"
#include "toolkit/file_system.h"
#include "toolkit/path_helpers.h"
#include "toolkit/shell.h"

namespace {

const char kOutputName[] = "test.tga";
const char kStartFailed[] = "Ошибка при запуске readdxt.exe!";
const char kWaitFailed[] = "Неизвестная ошибка!";

converter::FileStamp Stamp(const std::string& path) {
  toolkit::FileStampInfo info = toolkit::StampOf(path);
  return converter::FileStamp{info.exists, info.size, info.writeTime};
}

}  // namespace

std::string ProgramOutputPath() { return toolkit::ProgramFolder() + kOutputName; }

void RunConverter(const std::string& ddsPath) {
  switch (toolkit::RunHiddenAndWait(kConverterName, "\"" + ddsPath + "\"", toolkit::ProgramFolder())) {
    case toolkit::StartResult::StartFailed:
      toolkit::ShowMessage(kStartFailed);
      break;
    case toolkit::StartResult::WaitFailed:
      toolkit::ShowMessage(kWaitFailed);
      break;
    case toolkit::StartResult::Finished:
      break;
  }
}

ConverterResult RunConverterForOutput(const std::string& ddsPath) {
  const std::string here = ProgramOutputPath();
  const std::string beside = toolkit::ExtractFilePath(ddsPath) + kOutputName;
  const converter::FileStamp hereBefore = Stamp(here);
  const converter::FileStamp besideBefore = Stamp(beside);
  RunConverter(ddsPath);
  ConverterResult result;
  if (converter::ConverterWroteFile(hereBefore, Stamp(here))) {
    result.outputPath = here;
  } else if (beside != here && converter::ConverterWroteFile(besideBefore, Stamp(beside))) {
    result.outputPath = beside;
  }
  result.produced = !result.outputPath.empty();
  return result;
}
