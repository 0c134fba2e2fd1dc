#include "support/app_harness_win.h"

#include <shellapi.h>

#include <chrono>
#include <fstream>
#include <sstream>

#include "toolkit/application.h"
#include "toolkit/file_system.h"

namespace testing_support {

namespace {

void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((folder + "*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::string name = data.cFileName;
      if (name == "." || name == "..") continue;
      std::string path = folder + name;
      if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
          !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        RemoveTree(path + "\\");
      } else if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveDirectoryA(path.c_str());
      } else {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(find, &data));
    FindClose(find);
  }
  RemoveDirectoryA(folder.c_str());
}

std::string WindowText(HWND hwnd) {
  char buffer[1024] = {};
  GetWindowTextA(hwnd, buffer, sizeof buffer);
  return buffer;
}

}  // namespace

TempFolder::TempFolder() {
  char base[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, base);
  static int counter = 0;
  for (;;) {
    std::ostringstream name;
    name << base << "texlook-test-" << GetCurrentProcessId() << "-" << ++counter;
    if (CreateDirectoryA(name.str().c_str(), nullptr)) {
      path_ = name.str() + "\\";
      break;
    }
  }
}

TempFolder::~TempFolder() { RemoveTree(path_); }

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

bool CopyFileTo(const std::string& from, const std::string& to) { return CopyFileA(from.c_str(), to.c_str(), FALSE) != 0; }

std::string TestExeFolder() {
  char buffer[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, buffer, MAX_PATH);
  std::string path = buffer;
  return path.substr(0, path.find_last_of('\\') + 1);
}

std::string BuildFolder() {
  std::string tests = TestExeFolder();  // <build>\tests\ .
  std::string trimmed = tests.substr(0, tests.size() - 1);
  return trimmed.substr(0, trimmed.find_last_of('\\') + 1);
}

DialogWatcher::DialogWatcher(Answerer answerer)
    : answerer_(std::move(answerer)), processId_(GetCurrentProcessId()), thread_([this] { Run(); }) {}

DialogWatcher::~DialogWatcher() {
  stop_ = true;
  thread_.join();
}

std::vector<SeenBox> DialogWatcher::Boxes() {
  std::lock_guard<std::mutex> lock(mutex_);
  return boxes_;
}

void DialogWatcher::Clear() {
  std::lock_guard<std::mutex> lock(mutex_);
  boxes_.clear();
}

BOOL CALLBACK DialogWatcher::CollectDialog(HWND hwnd, LPARAM lp) {
  auto* c = reinterpret_cast<Ctx*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  char cls[64] = {};
  GetClassNameA(hwnd, cls, sizeof cls);
  if (pid == c->self->processId_ && lstrcmpA(cls, "#32770") == 0 && IsWindowVisible(hwnd)) c->dialogs.push_back(hwnd);
  return TRUE;
}

void DialogWatcher::Run() {
  while (!stop_) {
    Ctx ctx{this, {}};
    EnumWindows(&DialogWatcher::CollectDialog, reinterpret_cast<LPARAM>(&ctx));
    for (HWND dialog : ctx.dialogs) {
      {
        std::lock_guard<std::mutex> lock(mutex_);
        bool seen = false;
        for (HWND h : handled_) seen = seen || h == dialog;
        if (seen) continue;
      }
      const std::string title = WindowText(dialog);
      if (answerer_ && answerer_(dialog, title)) {
        std::lock_guard<std::mutex> lock(mutex_);
        handled_.push_back(dialog);
        continue;
      }
      // A message box: its text is the static control with identifier 0xFFFF.
      HWND staticText = GetDlgItem(dialog, 0xFFFF);
      if (!staticText) continue;
      SeenBox box{title, WindowText(staticText)};
      {
        std::lock_guard<std::mutex> lock(mutex_);
        boxes_.push_back(box);
        handled_.push_back(dialog);
      }
      PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    }
    Sleep(20);
  }
}

AppHarness::AppHarness(const std::string& converterSource) {
  const std::string source = converterSource.empty() ? BuildFolder() + "readdxt.exe" : converterSource;
  CopyFileTo(source, programDir_.File("readdxt.exe"));
  toolkit::OverrideProgramFolder(programDir_.Path());
}

AppHarness::~AppHarness() { Destroy(); }

bool AppHarness::Start() {
  form_ = CreateMainForm();
  if (!form_) return false;
  // What RunMessageLoop does before it waits for messages.
  toolkit::SetMainWindow(form_->MainWindow);
  form_->MainWindow->Show();
  Pump(100);
  return true;
}

void AppHarness::Pump(int milliseconds) {
  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  do {
    toolkit::ProcessMessages();
    Sleep(5);
  } while (std::chrono::steady_clock::now() < end);
}

void AppHarness::CloseWindow() {
  if (!form_) return;
  SendMessageA(static_cast<HWND>(form_->MainWindow->Handle()), WM_CLOSE, 0, 0);
  Pump(50);
}

void AppHarness::Destroy() {
  form_.reset();
  toolkit::SetMainWindow(nullptr);
}

}  // namespace testing_support
