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
  // Without a console of its own: a console program started from a window otherwise gets a
  // new, hidden console, and making one (a console host process under Wine) costs more than
  // starting the program itself. A window program is still started hidden.
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  std::string commandLine = "\"" + file + "\" " + parameters;
  PROCESS_INFORMATION started = {};
  if (!CreateProcessA(file.c_str(), &commandLine[0], nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr,
                      folder.c_str(), &startup, &started))
    return StartResult::StartFailed;
  KernelHandle thread(started.hThread);
  KernelHandle process(started.hProcess);
  return WaitHandlingMessages(process.Get());
}

}  // namespace toolkit
