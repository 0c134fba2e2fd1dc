// What the program's commands need of the main window, as narrow interfaces: the
// application implements them over the real controls and dialogs, tests with fakes.
#pragma once
#include <string>
#include <vector>

namespace toolkit {

// The modal message box of the main window.
class Messages {
 public:
  virtual ~Messages() = default;
  virtual void Show(const std::string& text) = 0;
};

// The panels of the status bar.
class StatusTexts {
 public:
  virtual ~StatusTexts() = default;
  virtual void SetStatusText(int panel, const std::string& text) = 0;
};

// The export progress bar, 0 to 100.
class ProgressDisplay {
 public:
  virtual ~ProgressDisplay() = default;
  virtual void SetProgress(int percent) = 0;
};

// The folder chooser: true with the chosen folder when the user confirmed one; false when
// cancelled, or when the folder's path cannot be used whole (the user has been told).
class FolderPrompt {
 public:
  virtual ~FolderPrompt() = default;
  virtual bool ChooseFolder(const std::string& title, const std::string& initialPath,
                            std::string& folder) = 0;
};

// The open dialog: true when the user confirmed. `chosen` holds what the dialog returns:
// one full path, or the folder followed by the chosen names; `leftOut` counts the chosen
// files left out of it because no name the program can hold stands for them.
class FilePrompt {
 public:
  virtual ~FilePrompt() = default;
  virtual bool ChooseFiles(const std::string& title, const std::string& filter, const std::string& initialDir,
                           std::vector<std::string>& chosen, int& leftOut) = 0;
};

// A folder remembered in the settings file, and whether this run chose it: only a chosen
// folder is written back, so that another instance's choice is not undone by one that
// made none.
struct RememberedFolder {
  std::string path;  // empty when none
  bool chosen = false;
  void Choose(const std::string& folder) { path = folder, chosen = true; }
};

// The message loop as long operations see it.
class EventLoop {
 public:
  virtual ~EventLoop() = default;
  // Handles every pending message; false once the application has been told to end.
  virtual bool ProcessMessages() = 0;
  // The wait cursor over the whole program while on; off hands the cursor back to the
  // controls.
  virtual void ShowWaitCursor(bool on) = 0;
};

}  // namespace toolkit
