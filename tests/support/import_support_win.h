// Helpers for the import tests: Linux-side links and drives seen through Wine, dropped
// files delivered as the shell delivers them, and the hands that drive the open dialog
// and the folder chooser from the dialog watcher's thread.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

struct MainForm;

namespace testing_support {

// The full paths of the texture list, in row order.
std::vector<std::string> ListedPaths(MainForm& form);

// The Linux path of a Windows path (Wine's own mapping); empty when there is none.
std::string UnixPathOf(const std::string& windowsPath);
// Runs a Linux program (Wine starts Linux executables too); its exit code, -1 when it
// could not start. Arguments must not hold blanks.
int RunUnix(const std::string& commandLine);
// A Linux symbolic link at `linkPath` (a Windows path) with the text `target`.
bool MakeUnixSymlink(const std::string& linkPath, const std::string& target);

// A drive letter that leads to a folder for the lifetime of the object, made as Wine
// makes its drives: a link in the prefix's dosdevices folder.
class TempDrive {
 public:
  explicit TempDrive(const std::string& folder);
  ~TempDrive();
  bool Ok() const { return letter_ != 0; }
  std::string Root() const { return std::string(1, letter_) + ":\\"; }

 private:
  char letter_ = 0;
  std::string link_;
  std::string folder_;
  bool defined_ = false;
};

// Delivers WM_DROPFILES to `target` with an HDROP made here (a drop handle is only valid
// in the process that made it), the paths in order, the point in client coordinates.
void DropFiles(HWND target, const std::vector<std::string>& paths, POINT point = {5, 5});

// --- On the watcher thread ---
// Text of a window, and of its first descendant with the class (empty if none).
std::string TextOf(HWND window);
HWND FindDescendant(HWND parent, const char* className, const std::string& text = std::string());
// The open dialog: put `names` into the name box as a user types them and press Open.
void TypeNamesAndOpen(HWND dialog, const std::string& names);
// The text of the open dialog's file-type box.
std::string FilterBoxText(HWND dialog);
void PressCancel(HWND dialog);
// The folder chooser: select `folder` and press OK.
void ChooseFolder(HWND chooser, const std::string& folder);
// The text of the selected item of the chooser's folder tree.
std::string SelectedTreeItem(HWND chooser);

// Quoted names as a user types several: "a" "b" "c".
std::string QuotedNames(const std::vector<std::string>& names);

}  // namespace testing_support
