// Test harness for the real main window inside the test process: a private program
// folder, the window shown as the message loop would show it, message pumping, and a
// watcher that answers message boxes and records what they said.
#pragma once
#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/main_form.h"

namespace testing_support {

// A fresh temporary folder, removed with everything in it at the end of the test.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  const std::string& Path() const { return path_; }  // with a trailing backslash
  std::string File(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};

void WriteFileBytes(const std::string& path, const std::string& bytes);
std::string ReadFileBytes(const std::string& path);
bool CopyFileTo(const std::string& from, const std::string& to);
// Folder of the running test executable (the build's tests folder), with a backslash.
std::string TestExeFolder();
// The build's top folder, where texlook.exe and readdxt.exe are, with a backslash.
std::string BuildFolder();

struct SeenBox {
  std::string title;
  std::string text;
};

// Answers every message box (and any other dialog box of this process, if an answerer
// is set) from a second thread. Boxes are pressed with their default button.
class DialogWatcher {
 public:
  // Called on the watcher thread with the dialog window; return true when it handled
  // (closed) the dialog itself.
  using Answerer = std::function<bool(HWND dialog, const std::string& title)>;
  explicit DialogWatcher(Answerer answerer = nullptr);
  ~DialogWatcher();
  std::vector<SeenBox> Boxes();
  void Clear();

 private:
  struct Ctx {
    DialogWatcher* self;
    std::vector<HWND> dialogs;
  };
  static BOOL CALLBACK CollectDialog(HWND hwnd, LPARAM lp);
  void Run();
  Answerer answerer_;
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::vector<SeenBox> boxes_;
  std::vector<HWND> handled_;
  DWORD processId_;
  std::thread thread_;
};

// The program as a user meets it: program folder with a converter, the main window
// built, shown (opening maximised) and its messages handled.
class AppHarness {
 public:
  // converterSource: the file placed as readdxt.exe (empty: the real converter).
  explicit AppHarness(const std::string& converterSource = std::string());
  ~AppHarness();
  bool Start();  // CreateMainForm and show; false when start-up stopped
  MainForm& Form() { return *form_; }
  TempFolder& ProgramDir() { return programDir_; }
  void Pump(int milliseconds = 50);  // handle messages for a while
  // Sends WM_CLOSE as the close button does and handles messages until the loop would end.
  void CloseWindow();
  void Destroy();  // releases the main window

 private:
  TempFolder programDir_;
  std::unique_ptr<MainForm> form_;
};

}  // namespace testing_support
