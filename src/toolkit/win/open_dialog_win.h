// The open-file (or save-file) dialog: fields set before Execute, the result in FileName.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/win/control_win.h"
#include <commdlg.h>

namespace toolkit {

// Name buffer of a dialog that allows several files, in wide characters. The platform
// fails without a word when the chosen names do not fit, so it holds thousands of names
// of full length (16,131 names of 260 characters), not the 64 KiB of old.
constexpr size_t kManyFilesBufferSize = size_t{4} << 20;

class OpenDialog : public Releasable {
 public:
  // An empty option set gives the default set (existing files, no read-only box,
  // overwrite prompt, existing path).
  OpenDialog(const std::string& title, const std::string& initialDir, uint16_t options);

  std::string Filter;        // "description|pattern|...", empty for none
  int32_t FilterIndex = 0;   // from 1; 0 lets the platform take the first
  bool IsOpenDialog = true;  // false: save dialog
  std::string InitialDir;    // empty: the platform's choice
  std::string DefaultExt;
  // Before Execute: the proposed name. After: the chosen path, or with several files the
  // folder; empty on cancel or failure.
  std::string FileName;
  // After Execute: the chosen path, or with several files the folder followed by the names;
  // each long, or short where only that stands for its file in ANSI.
  std::vector<std::string> Files;
  // After Execute: how many chosen files were left out of Files for want of such a name.
  int LeftOut = 0;
  std::string Title;  // empty: the platform's caption
  uint16_t Options = 0;
  WindowHandle OwnerWindow = nullptr;  // null: the application's main window

  // Modal; true when the user confirmed.
  bool Execute();
};

// Tests watch (and may answer) the platform call: `call` gets the filled OPENFILENAMEW
// and whether it is an open dialog, and returns what GetOpenFileNameW would. Null puts
// the platform back.
using OpenDialogPlatformCall = int (*)(OPENFILENAMEW* openFileName, bool isOpenDialog);
void SetOpenDialogPlatformCall(OpenDialogPlatformCall call);
// The real platform call, for a watching test to pass on to.
int CallOpenDialogPlatform(OPENFILENAMEW* openFileName, bool isOpenDialog);

}  // namespace toolkit
