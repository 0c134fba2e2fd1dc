#include "support/window_harness_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>

#include "toolkit/portable/file_system.h"

namespace testing_support {

namespace {

std::wstring Long(const std::string& path) { return L"\\\\?\\" + ToWide(path); }

std::string UnixPathOf(const std::string& windowsPath) {
  using Fn = char*(CDECL*)(LPCWSTR);
  auto fn = reinterpret_cast<Fn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  char* unixPath = fn ? fn(ToWide(windowsPath).c_str()) : nullptr;
  const std::string out = unixPath ? unixPath : "";
  HeapFree(GetProcessHeap(), 0, unixPath);
  return out;
}

}  // namespace

DWORD Run(std::string commandLine) {
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  DWORD code = 1;
  if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return code;
  WaitForSingleObject(pi.hProcess, 60000);
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  return code;
}

// Numbered inside one folder of the process's own, made once, away from Temp: Wine's folder
// chooser loses its way to a folder when any folder on the way changes meanwhile, and every
// process (the tests' parallel ones, the program's working folders) keeps changing Temp.
TempFolder::TempFolder() {
  static const struct ProcessFolder {
    ProcessFolder() {
      CreateDirectoryA("C:\\texlook-tests", nullptr);  // kept: it changes only as processes come and go
      path = "C:\\texlook-tests\\tlk" + std::to_string(GetCurrentProcessId()) + "\\";
      CreateDirectoryA(path.c_str(), nullptr);
    }
    ~ProcessFolder() { Run("/bin/rm -rf " + UnixPathOf(path)); }
    std::string path;
  } process;
  static int count = 0;
  std::string name;
  do {
    name = process.path + std::to_string(++count);
  } while (!CreateDirectoryA(name.c_str(), nullptr));
  path = name + "\\";
}

// On the Linux side: Wine would walk Linux links as folders.
TempFolder::~TempFolder() { Run("/bin/rm -rf " + UnixPathOf(path)); }

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE file =
      CreateFileW((L"\\\\?\\" + path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

std::string Touch(const std::wstring& path) {
  char utf8[MAX_PATH * 3] = {};  // the name only
  WideCharToMultiByte(CP_UTF8, 0, &path[path.find_last_of(L'\\') + 1], -1, utf8, sizeof utf8, nullptr,
                      nullptr);
  WriteFileBytes(path, utf8);
  return utf8;
}

bool MakeDir(const std::string& path) { return CreateDirectoryW(Long(path).c_str(), nullptr); }

std::string ReadFileBytes(const std::string& path) {
  HANDLE file =
      CreateFileW(Long(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  std::string bytes(1 << 20, '\0');
  DWORD read = 0;  // stays 0 when the file is missing
  ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(file);
  return bytes.substr(0, read);
}

Names SortedNames(const std::string& folder) {
  Names names;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((Long(folder) + L"*").c_str(), &data);
  for (bool more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileW(find, &data)) {
    char name[MAX_PATH * 3] = {};
    WideCharToMultiByte(CP_ACP, 0, data.cFileName, -1, name, sizeof name, nullptr, nullptr);
    if (strcmp(name, ".") && strcmp(name, "..")) names.push_back(name);
  }
  FindClose(find);
  std::sort(names.begin(), names.end());
  return names;
}

std::string BuildFolder() {
  char buffer[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, buffer, MAX_PATH);
  const std::string path = buffer;  // <build>\tests\win_tests.exe
  return path.substr(0, path.find_last_of('\\', path.find_last_of('\\') - 1) + 1);
}

bool MakeUnixSymlink(const std::string& linkPath, const std::string& target) {
  Run("/bin/ln -s " + target + " " + UnixPathOf(linkPath));
  // Wine may report a Linux program as ended before its work shows.
  for (int i = 0; i < 200; ++i, Sleep(10))
    if (GetFileAttributesA(linkPath.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
  return false;
}

DialogWatcher::DialogWatcher(Answerer answerer)
    : answerer_(std::move(answerer)), thread_([this] {
        std::vector<HWND> handled;
        for (; !stop_; Sleep(20)) {
          for (HWND dialog = nullptr; (dialog = FindWindowExA(nullptr, dialog, "#32770", nullptr));) {
            DWORD pid = 0;
            GetWindowThreadProcessId(dialog, &pid);
            if (pid != GetCurrentProcessId() || !IsWindowVisible(dialog) ||
                std::find(handled.begin(), handled.end(), dialog) != handled.end())
              continue;
            HWND text = GetDlgItem(dialog, 0xFFFF);  // a message box's text
            const bool answered = answerer_ && answerer_(dialog);
            if (answered) handled.push_back(dialog);
            if (answered || !text) continue;
            std::lock_guard<std::mutex> lock(mutex_);
            boxes_.push_back(
                SeenBox{TextOf(dialog), TextOf(text), GetWindow(dialog, GW_OWNER),
                        toolkit::ScreenCursorSet() ? toolkit::ScreenCursor() : toolkit::CursorKind::Arrow});
            handled.push_back(dialog);
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
          }
        }
      }) {}

bool ConfirmChooser(HWND dialog, const std::string& folder) {
  std::string label = folder.substr(0, folder.find_last_not_of('\\') + 1);
  label = label.substr(label.find_last_of('\\') + 1);
  HWND tree = FindWindowExA(dialog, nullptr, WC_TREEVIEWA, nullptr);
  if (!tree) return false;
  auto caret = [&]() -> std::string {
    char text[MAX_PATH] = {};
    TVITEMA item = {TVIF_TEXT, TreeView_GetSelection(tree), 0, 0, text, sizeof text, 0, 0, 0, 0};
    return item.hItem && TreeView_GetItem(tree, &item) ? text : "";
  };
  // A loaded machine can take many seconds to fill the tree; a chooser that never gets
  // there is cancelled, so nothing lands in another folder.
  for (int i = 0; i < 600 && caret() != label; ++i) Sleep(50);
  const std::string opened = caret();
  const bool there = opened == label;
  if (!there) fprintf(stderr, "The chooser opened on \"%s\", not \"%s\"\n", opened.c_str(), label.c_str());
  Press(dialog, there ? IDOK : IDCANCEL);
  return there;
}

App::App() {
  CopyFileA((BuildFolder() + "readdxt.exe").c_str(), programDir_.File("readdxt.exe").c_str(), FALSE);
  toolkit::OverrideProgramFolder(programDir_.path);
}

bool App::Start() {
  form_ = app::CreateMainForm();
  if (!form_) return false;
  form_->Window().Show();  // as the message loop shows it
  Pump(100);
  return true;
}

void App::Pump(int milliseconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  for (; std::chrono::steady_clock::now() < end; Sleep(5)) {
    toolkit::ProcessMessages();
    toolkit::RunIdleWork();  // as the program's loop does once the messages are handled
  }
}

void App::Select(std::vector<int> rows) {
  form_->FileList().SetRowState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  for (int row : rows)
    form_->FileList().SetRowState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void App::Drop(const std::vector<std::wstring>& paths) {
  std::wstring list;
  for (const std::wstring& p : paths) list += p + L'\0';
  HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + (list.size() + 1) * sizeof(wchar_t));
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->pt = POINT{5, 5};
  drop->fWide = TRUE;
  list.copy(reinterpret_cast<wchar_t*>(drop + 1), list.size());
  GlobalUnlock(memory);
  SendMessageA(form_->FileList().Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(memory),
               0);  // released there
  Pump(50);
}

Names App::ListedContents() {
  Names contents;
  for (int row = 0; row < form_->Textures().TextureCount(); ++row)
    contents.push_back(ReadFileBytes(form_->Textures().FullPath(row)));
  return contents;
}

std::vector<uint32_t> App::CapturePreview(int& width, int& height) {
  HWND box = form_->PreviewBox().Handle();
  RECT rc;
  GetClientRect(box, &rc);
  width = rc.right;
  height = rc.bottom;
  BITMAPINFO bi = {{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
  void* bits = nullptr;
  HDC mem = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(mem, CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  SendMessageA(box, WM_PRINT, reinterpret_cast<WPARAM>(mem), PRF_CLIENT | PRF_ERASEBKGND);
  GdiFlush();
  std::vector<uint32_t> pixels(static_cast<uint32_t*>(bits), static_cast<uint32_t*>(bits) + width * height);
  for (uint32_t& p : pixels) p &= 0xFFFFFF;
  DeleteObject(SelectObject(mem, old));
  DeleteDC(mem);
  return pixels;
}

}  // namespace testing_support
