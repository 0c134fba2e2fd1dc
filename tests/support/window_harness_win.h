// The one fixture of the Windows-side tests: the real main window in a private program folder,
// its messages handled, commands run by name, and a thread answering dialogs as a user would.
#pragma once
#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/main_form_win.h"
#include "toolkit/win/ansi_names_win.h"
#include "toolkit/win/application_win.h"

namespace testing_support {

using app::Command;
using app::MainForm;
using Names = std::vector<std::string>;

// A fresh temporary folder, removed with everything in it at the end of the test.
struct TempFolder {
  TempFolder();
  ~TempFolder();
  std::string File(const std::string& name) const { return path + name; }
  std::string path;  // with a trailing backslash
};

using toolkit::ToWide;
void WriteFileBytes(const std::wstring& path, const std::string& bytes);  // any length
inline void WriteFileBytes(const std::string& path, const std::string& bytes) {
  WriteFileBytes(ToWide(path), bytes);
}
// A file holding its own name in UTF-8, which it returns: which file a path opens.
std::string Touch(const std::wstring& path);
bool MakeDir(const std::string& path);  // any length
std::string ReadFileBytes(const std::string& path);
Names SortedNames(const std::string& folder);  // files and folders, any length
std::string BuildFolder();                     // where texlook.exe and readdxt.exe are
inline std::string NoBackslash(const std::string& folder) { return folder.substr(0, folder.size() - 1); }
// A Linux symbolic link at `linkPath` (a Windows path) with the text `target`.
bool MakeUnixSymlink(const std::string& linkPath, const std::string& target);
inline std::string TextOf(HWND window) {
  char text[1024] = {};
  SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}
// Runs a program, Linux ones too (then with no blanks in arguments); its exit code.
DWORD Run(std::string commandLine);

struct SeenBox {
  std::string title, text;
  HWND owner;
  toolkit::CursorKind cursor;  // over the program while it was up
};

// Answers every dialog box of this process from a second thread: message boxes are noted
// and pressed OK; others go to the answerer (true: it closed the dialog).
class DialogWatcher {
 public:
  using Answerer = std::function<bool(HWND dialog)>;
  explicit DialogWatcher(Answerer answerer = nullptr);
  ~DialogWatcher() {
    stop_ = true;
    thread_.join();
  }
  std::vector<SeenBox> Boxes() {
    std::lock_guard<std::mutex> lock(mutex_);
    return boxes_;
  }

 private:
  Answerer answerer_;
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::vector<SeenBox> boxes_;
  std::thread thread_;
};

inline void Press(HWND dialog, int button) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}
// The folder chooser: waits for it to select `folder` (the tree fills in late) and presses
// OK; false (and cancelled) when not a chooser or it opened elsewhere.
bool ConfirmChooser(HWND dialog, const std::string& folder);

// The program as a user meets it: a program folder with the real converter, the main
// window built, shown and its messages handled.
class App {
 public:
  App();
  bool Start();  // false when start-up stopped
  MainForm& Form() { return *form_; }
  TempFolder& ProgramDir() { return programDir_; }
  HWND Main() { return form_->Window().Handle(); }
  void Pump(int milliseconds = 50);
  void Command(app::Command command) {  // as the menu delivers it; returns when it has run
    SendMessageA(Main(), WM_COMMAND, form_->CommandId(command), 0);
  }
  void Select(std::vector<int> rows);
  // WM_DROPFILES with a wide HDROP made in this process, as the shell delivers it.
  void Drop(const std::vector<std::wstring>& paths);
  Names ListedContents();  // each row's file, read through its path
  // The preview box as the screen shows it, 0xRRGGBB top-down.
  std::vector<uint32_t> CapturePreview(int& width, int& height);

 private:
  TempFolder programDir_;
  std::unique_ptr<MainForm> form_;
};

}  // namespace testing_support
