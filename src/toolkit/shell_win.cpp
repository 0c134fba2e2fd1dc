#include <windows.h>
#include <shellapi.h>

#include "toolkit/form_win.h"
#include "toolkit/handles_win.h"
#include "toolkit/process.h"
#include "toolkit/shell_win.h"

namespace toolkit {

void ShowAboutBox(Form& owner, const std::string& appText, const std::string& otherText) {
  ShellAboutA(owner.Handle(), appText.c_str(), otherText.c_str(), nullptr);
}

StartResult RunHiddenAndWait(const std::string& file, const std::string& parameters, const std::string& folder) {
  SHELLEXECUTEINFOA info = {};
  info.cbSize = sizeof info;  // 60 in the 32-bit program
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_DDEWAIT | SEE_MASK_FLAG_NO_UI;
  info.hwnd = nullptr;
  info.lpVerb = "Open";
  info.lpFile = file.c_str();
  info.lpParameters = parameters.c_str();
  info.lpDirectory = folder.c_str();
  info.nShow = SW_HIDE;
  if (!ShellExecuteExA(&info)) return StartResult::StartFailed;
  KernelHandle process(info.hProcess);
  if (WaitForSingleObject(process.Get(), INFINITE) == WAIT_FAILED) return StartResult::WaitFailed;
  return StartResult::Finished;
}

}  // namespace toolkit
