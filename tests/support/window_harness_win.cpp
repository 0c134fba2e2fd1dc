#include "support/window_harness_win.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <fstream>
#include <sstream>

#include "toolkit/application_win.h"
#include "toolkit/file_system.h"

namespace testing_support {

namespace {

std::string UnixPathOf(const std::string& windowsPath) {
  using Fn = char*(CDECL*)(LPCWSTR);
  auto fn = reinterpret_cast<Fn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  std::wstring wide(windowsPath.size() + 1, L'\0');
  MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, &wide[0], static_cast<int>(wide.size()));
  char* unixPath = fn ? fn(wide.c_str()) : nullptr;
  if (!unixPath) return std::string();
  std::string out = unixPath;
  HeapFree(GetProcessHeap(), 0, unixPath);
  return out;
}

// Wine starts Linux programs too; arguments must not hold blanks.
void RunUnix(std::string commandLine) {
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return;
  WaitForSingleObject(pi.hProcess, 10000);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
}

}  // namespace

TempFolder::TempFolder() {
  char base[MAX_PATH] = {}, name[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, base);
  GetTempFileNameA(base, "tlk", 0, name);  // a name nobody uses, made a folder
  DeleteFileA(name);
  CreateDirectoryA(name, nullptr);
  path_ = std::string(name) + "\\";
}

TempFolder::~TempFolder() {
  // On the Linux side: Wine would walk Linux links as folders.
  RunUnix("/bin/rm -rf " + UnixPathOf(path_));
}

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

std::vector<std::string> SortedNames(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((folder + "*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    if (strcmp(data.cFileName, ".") && strcmp(data.cFileName, "..")) names.push_back(data.cFileName);
  } while (FindNextFileA(find, &data));
  FindClose(find);
  std::sort(names.begin(), names.end());
  return names;
}

std::string BuildFolder() {
  char buffer[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, buffer, MAX_PATH);
  std::string path = buffer;  // <build>\tests\win_tests.exe
  path = path.substr(0, path.find_last_of('\\'));
  return path.substr(0, path.find_last_of('\\') + 1);
}

std::string NoBackslash(const std::string& folder) { return folder.substr(0, folder.size() - 1); }

bool MakeUnixSymlink(const std::string& linkPath, const std::string& target) {
  const size_t slash = linkPath.find_last_of('\\');
  RunUnix("/bin/ln -s " + target + " " + UnixPathOf(linkPath.substr(0, slash)) + "/" +
          linkPath.substr(slash + 1));
  // Wine may report a Linux program as ended before its work shows.
  for (int i = 0; i < 200; ++i, Sleep(10))
    if (GetFileAttributesA(linkPath.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
  return false;
}

std::string TextOf(HWND window) {
  char text[1024] = {};
  SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

namespace {
BOOL CALLBACK CollectDialog(HWND hwnd, LPARAM lp) {
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  char cls[64] = {};
  GetClassNameA(hwnd, cls, sizeof cls);
  if (pid == GetCurrentProcessId() && !strcmp(cls, "#32770") && IsWindowVisible(hwnd))
    reinterpret_cast<std::vector<HWND>*>(lp)->push_back(hwnd);
  return TRUE;
}
}  // namespace

DialogWatcher::DialogWatcher(Answerer answerer)
    : answerer_(std::move(answerer)), thread_([this] { Run(); }) {}

DialogWatcher::~DialogWatcher() {
  stop_ = true;
  thread_.join();
}

std::vector<SeenBox> DialogWatcher::Boxes() {
  std::lock_guard<std::mutex> lock(mutex_);
  return boxes_;
}

std::vector<std::string> DialogWatcher::Texts() {
  std::vector<std::string> texts;
  for (const SeenBox& box : Boxes()) texts.push_back(box.text);
  return texts;
}

void DialogWatcher::Run() {
  while (!stop_) {
    std::vector<HWND> dialogs;
    EnumWindows(&CollectDialog, reinterpret_cast<LPARAM>(&dialogs));
    for (HWND dialog : dialogs) {
      {
        std::lock_guard<std::mutex> lock(mutex_);
        if (std::find(handled_.begin(), handled_.end(), dialog) != handled_.end()) continue;
      }
      const std::string title = TextOf(dialog);
      if (answerer_ && answerer_(dialog, title)) {
        std::lock_guard<std::mutex> lock(mutex_);
        handled_.push_back(dialog);
        continue;
      }
      HWND text = GetDlgItem(dialog, 0xFFFF);  // a message box's text
      if (!text) continue;
      std::lock_guard<std::mutex> lock(mutex_);
      boxes_.push_back(SeenBox{title, TextOf(text), GetWindow(dialog, GW_OWNER)});
      handled_.push_back(dialog);
      PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    }
    Sleep(20);
  }
}

void Press(HWND dialog, int button) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

void TypeNamesAndOpen(HWND dialog, const std::string& names) {
  // The name box: a combo box (cmb13) or a plain edit (edt1).
  HWND box = GetDlgItem(dialog, 0x47C);
  if (!box) box = GetDlgItem(dialog, 0x480);
  // WM_SETTEXT is not bound by the box's typing limit, so long selections fit.
  SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(names.c_str()));
  Press(dialog, IDOK);
}

std::string SelectedTreeItem(HWND chooser) {
  HWND tree = FindWindowExA(chooser, nullptr, WC_TREEVIEWA, nullptr);
  char text[MAX_PATH] = {};
  TVITEMA item = {};
  item.mask = TVIF_TEXT;
  item.hItem =
      tree ? reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0)) : nullptr;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  if (!item.hItem || !SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return "";
  return text;
}

App::App(const std::string& converter) {
  CopyFileA((converter.empty() ? BuildFolder() + "readdxt.exe" : converter).c_str(),
            programDir_.File("readdxt.exe").c_str(), FALSE);
  toolkit::OverrideProgramFolder(programDir_.Path());
}

App::~App() {
  form_.reset();
  toolkit::SetMainWindow(nullptr);
}

bool App::Start() {
  form_ = CreateMainForm();
  if (!form_) return false;
  form_->MainWindow->Show();  // as the message loop shows it
  Pump(100);
  return true;
}

void App::Pump(int milliseconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  do {
    toolkit::ProcessMessages();
    Sleep(5);
  } while (std::chrono::steady_clock::now() < end);
}

void App::Command(::Command command) { SendMessageA(Main(), WM_COMMAND, form_->CommandId(command), 0); }

void App::Close() {
  SendMessageA(Main(), WM_CLOSE, 0, 0);
  Pump(50);
}

void App::Select(std::initializer_list<int> rows) {
  form_->FileList->SetRowState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  for (int row : rows)
    form_->FileList->SetRowState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void App::Drop(const std::vector<std::string>& paths) {
  size_t bytes = sizeof(DROPFILES) + 1;  // the list ends in a second NUL
  for (const std::string& p : paths) bytes += p.size() + 1;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->pt = POINT{5, 5};
  char* out = reinterpret_cast<char*>(drop) + sizeof(DROPFILES);
  for (const std::string& p : paths) {
    memcpy(out, p.c_str(), p.size() + 1);
    out += p.size() + 1;
  }
  GlobalUnlock(memory);
  SendMessageA(Window(form_->FileList), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);  // released there
  Pump(50);
}

std::vector<std::string> App::ListedPaths() {
  std::vector<std::string> paths;
  for (int row = 0; row < form_->textures.TextureCount(); ++row)
    paths.push_back(form_->textures.FullPath(row));
  return paths;
}

std::vector<uint32_t> App::CapturePreview(int& width, int& height) {
  HWND box = Window(form_->PreviewBox);
  RECT rc;
  GetClientRect(box, &rc);
  width = rc.right;
  height = rc.bottom;
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC mem = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(mem, dib);
  SendMessageA(box, WM_PRINT, reinterpret_cast<WPARAM>(mem), PRF_CLIENT | PRF_ERASEBKGND);
  GdiFlush();
  std::vector<uint32_t> pixels(static_cast<uint32_t*>(bits), static_cast<uint32_t*>(bits) + width * height);
  for (uint32_t& p : pixels) p &= 0xFFFFFF;
  SelectObject(mem, old);
  DeleteDC(mem);
  DeleteObject(dib);
  ReleaseDC(nullptr, screen);
  return pixels;
}

}  // namespace testing_support
