// The open-file dialog for several existing files: fields set before Execute, the chosen
// files in `files`.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "toolkit/win/control_win.h"
#include <commdlg.h>

namespace toolkit {

// Name buffer of the dialog, in wide characters. The platform fails without a word when
// the chosen names do not fit, so it holds thousands of names of full length (16,131
// names of 260 characters).
constexpr size_t kManyFilesBufferSize = size_t{4} << 20;

class OpenDialog : public Releasable {
 public:
  std::string filter;      // "description|pattern|...", empty for none
  std::string initialDir;  // empty: the platform's choice
  std::string title;       // empty: the platform's caption
  // After Execute: the chosen path, or with several files the folder followed by the names;
  // each long, or short where only that stands for its file in ANSI.
  std::vector<std::string> files;
  // After Execute: how many chosen files were left out of `files` for want of such a name.
  int leftOut = 0;

  // Modal, owned by the main window; true when the user confirmed.
  bool Execute();
};

// Tests watch (and may answer) the platform call: `call` gets the filled OPENFILENAMEW and
// returns what GetOpenFileNameW would. Null puts the platform back.
using OpenDialogPlatformCall = int (*)(OPENFILENAMEW* openFileName);
void SetOpenDialogPlatformCall(OpenDialogPlatformCall call);
// The real platform call, for a watching test to pass on to.
int CallOpenDialogPlatform(OPENFILENAMEW* openFileName);

}  // namespace toolkit
