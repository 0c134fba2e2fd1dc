#include <windows.h>
#include <shellapi.h>

#include "toolkit/win/message_loop_win.h"
#include "toolkit/win/form_win.h"
#include "toolkit/win/handles_win.h"
#include "toolkit/portable/process.h"
#include "toolkit/win/shell_win.h"

namespace toolkit {

namespace {

// Waits for the process's end or the thread's next messages, whichever comes first, and
// handles the messages. Once the application is told to end (its window closed), nobody
// waits for the program any more: it is ended, and given a moment to let go of its files.
StartResult WaitHandlingMessages(HANDLE process) {
  for (;;) {
    if (Terminated()) {
      TerminateProcess(process, 1);
      WaitForSingleObject(process, 5000);
      return StartResult::Abandoned;
    }
    switch (MsgWaitForMultipleObjectsEx(1, &process, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE)) {
      case WAIT_OBJECT_0:
        return StartResult::Finished;
      case WAIT_OBJECT_0 + 1:
        ProcessMessages();
        break;
      default:
        return StartResult::WaitFailed;
    }
  }
}

}  // namespace

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
  return WaitHandlingMessages(process.Get());
}

}  // namespace toolkit
