// The folder chooser: a modal tree of the shell's folders; the result in Path().
#pragma once
#include <shlobj.h>

#include <string>

#include "toolkit/win/control_win.h"

namespace toolkit {

class FolderChooser : public Releasable {
 public:
  std::string title;  // shown above the tree; empty for none
  bool centerOnScreen = false;

  // Stored without one final '\'; from the first call on, the chooser selects it when it
  // opens (nothing when empty) and centres itself if centerOnScreen.
  void SetInitialPath(const std::string& path);

  // Modal, owned by the main window; true when the user confirmed a file-system folder
  // whose path the program can use.
  bool Execute();
  // After Execute: the user confirmed a folder whose path does not fit the platform's
  // path limit or the ANSI code page.
  bool pathRefused = false;
  // The chosen folder: no final '\' except for a drive root.
  std::string Path() const;

 private:
  friend struct FolderChooserAccess;  // the platform's callback

  bool callbackInstalled_ = false;
  std::string initialPath_;
  std::string path_;
};

// The ANSI path of a chosen folder, read whole from the shell; false when the program
// cannot use it whole: longer than the platform's path limit, or with characters the ANSI
// code page has no exact form for.
bool ChosenFolderPath(PCIDLIST_ABSOLUTE item, std::string& path);

// Moves a top-level window so that it is centred on the screen, keeping its size:
// ((screen - size) / 2) rounded toward minus infinity on both axes.
void CentreWindowOnScreen(WindowHandle window);

}  // namespace toolkit
