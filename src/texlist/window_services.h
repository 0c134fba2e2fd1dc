// The parts of the main window that the imports and the features built on the texture list
// (preview, export) all talk to, as narrow interfaces: the application implements them over
// the real window, tests with fakes.
#pragma once
#include <functional>
#include <string>

namespace texlist {

// The modal message box of the main window.
class Messages {
 public:
  virtual ~Messages() = default;
  virtual void Show(const std::string& text) = 0;
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
  // Runs `work` once the messages waiting now, paints included, are handled: for what need
  // not hold up a picture on its way to the screen. Replaces work not yet run; empty work
  // just cancels it.
  virtual void WhenIdle(std::function<void()> work) = 0;
};

// The folder chooser: true with the chosen folder when the user confirmed one; false when
// cancelled, or when the folder's path cannot be used whole (the user has been told).
class FolderPrompt {
 public:
  virtual ~FolderPrompt() = default;
  virtual bool ChooseFolder(const std::string& title, const std::string& initialPath,
                            std::string& folder) = 0;
};

// A folder remembered in the settings file, and whether this run chose it: only a chosen
// folder is written back, so that another instance's choice is not undone by one that
// made none.
struct RememberedFolder {
  std::string path;  // empty when none
  bool chosen = false;
  void Choose(const std::string& folder) { path = folder, chosen = true; }
};

}  // namespace texlist
