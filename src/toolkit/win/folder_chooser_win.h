// The folder chooser: a modal tree of the shell's folders; the result in Path().
#pragma once
#include <shlobj.h>

#include <cstdint>
#include <functional>
#include <string>

#include "toolkit/win/control_win.h"

namespace toolkit {

class FolderChooser : public Releasable {
 public:
  // An empty option set gives "return only file-system folders".
  FolderChooser(const std::string& title, uint8_t options);

  std::string Title;  // shown above the tree; empty for none
  uint8_t Options = 0;
  bool CenterOnScreen = false;
  WindowHandle OwnerWindow = nullptr;  // null: the application's main window
  // Called with the chooser window and the selected item list when the selection
  // changes (only once InitialPath has been set); none by default.
  std::function<void(WindowHandle chooser, LPCITEMIDLIST itemList)> onSelectionChange;

  // Stored without one final '\'; from the first call on, the chooser selects it when it
  // opens (nothing when empty) and centres itself if CenterOnScreen.
  void SetInitialPath(const std::string& path);
  const std::string& InitialPath() const { return initialPath_; }

  // Modal; true when the user confirmed a folder whose path the program can use.
  bool Execute();
  // After Execute: the user confirmed a folder whose path does not fit the platform's
  // path limit or the ANSI code page.
  bool PathRefused = false;
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
