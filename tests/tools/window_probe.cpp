// Looks at Texlook from outside, as a user would, and acts on it with messages that carry
// no pointers (another process can read no menus and no HDROPs under Wine).
//   window_probe boxes TITLE SECONDS     answers message boxes titled TITLE until none
//                                        comes for SECONDS; prints "box: <text>" for each
//   window_probe main SECONDS            waits for the visible main window; prints its state
//   window_probe close|altf4|exit|endsession   asks the main window to end that way
//   window_probe command ID              posts menu command ID to the main window
//   window_probe open PATH SECONDS       types PATH into the open dialog and confirms
//   window_probe key VK                  posts key VK to the main window's list
//   window_probe status SECONDS          waits for the picture line "W x H x D BPP"
//   window_probe version FILE            prints FILE's version resource as Explorer reads it
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

HWND FindMainWindow() {
  HWND w = FindWindowA("Form", "Texlook");
  return w && IsWindowVisible(w) ? w : nullptr;
}

std::string Text(HWND w) {
  char buffer[1024] = {};
  GetWindowTextA(w, buffer, sizeof buffer);
  return buffer;
}

int AnswerBoxes(const char* title, double seconds) {
  DWORD quietSince = GetTickCount();
  int count = 0;
  while (GetTickCount() - quietSince < seconds * 1000) {
    HWND box = FindWindowA("#32770", title);
    if (box && IsWindowVisible(box)) {
      std::printf("box: %s\n", Text(GetDlgItem(box, 0xFFFF)).c_str());
      std::fflush(stdout);
      ++count;
      PostMessageA(box, WM_COMMAND, IDOK, 0);
      while (IsWindow(box) && IsWindowVisible(box)) Sleep(20);
      quietSince = GetTickCount();
    }
    if (FindMainWindow()) std::printf("main window visible\n");
    Sleep(20);
  }
  std::printf("boxes: %d\n", count);
  return 0;
}

int WaitMain(double seconds) {
  DWORD start = GetTickCount();
  while (GetTickCount() - start < seconds * 1000) {
    if (HWND w = FindMainWindow()) {
      Sleep(200);  // let it finish opening
      std::printf("main: zoomed=%d\n", IsZoomed(w) ? 1 : 0);
      return 0;
    }
    Sleep(50);
  }
  std::printf("main: none\n");
  return 1;
}

BOOL CALLBACK FindList(HWND w, LPARAM found) {
  char name[64] = {};
  GetClassNameA(w, name, sizeof name);
  if (lstrcmpiA(name, WC_LISTVIEWA) != 0) return TRUE;
  *reinterpret_cast<HWND*>(found) = w;
  return FALSE;
}

// Types PATH into the open dialog's name box (combo box cmb13) and confirms.
int OpenFile(const char* path, double seconds) {
  for (DWORD start = GetTickCount(); GetTickCount() - start < seconds * 1000; Sleep(50)) {
    HWND dialog = FindWindowA("#32770", nullptr);
    if (!dialog || !IsWindowVisible(dialog)) continue;
    Sleep(300);  // let it finish opening
    SendMessageA(GetDlgItem(dialog, 0x47C), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path));
    PostMessageA(dialog, WM_COMMAND, IDOK, reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    return 0;
  }
  return 1;
}

int WaitStatus(double seconds) {
  std::string text;
  for (DWORD start = GetTickCount(); GetTickCount() - start < seconds * 1000; Sleep(50)) {
    HWND main = FindMainWindow();
    // Sent: GetWindowText would not ask a window of another process.
    char buffer[256] = {};
    if (main)
      SendMessageA(FindWindowExA(main, nullptr, STATUSCLASSNAMEA, nullptr), WM_GETTEXT, sizeof buffer,
                   reinterpret_cast<LPARAM>(buffer));
    text = buffer;
    if (text.size() > 3 && text.compare(text.size() - 3, 3, "BPP") == 0) break;
  }
  std::printf("status: %s\n", text.c_str());
  return 0;
}

// version.dll is loaded only here, so the probe's imports stay as they were.
template <typename Fn>
Fn VersionApi(const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(LoadLibraryA("version.dll"), name)));
}

int PrintVersion(const char* path) {
  auto size = VersionApi<DWORD(WINAPI*)(LPCSTR, LPDWORD)>("GetFileVersionInfoSizeA");
  auto info = VersionApi<BOOL(WINAPI*)(LPCSTR, DWORD, DWORD, LPVOID)>("GetFileVersionInfoA");
  auto query = VersionApi<BOOL(WINAPI*)(LPCVOID, LPCSTR, LPVOID*, PUINT)>("VerQueryValueA");
  DWORD ignored = 0;
  std::string data(size ? size(path, &ignored) : 0, '\0');
  VS_FIXEDFILEINFO* fixed = nullptr;
  WORD* language = nullptr;
  UINT n = 0;
  if (data.empty() || !info(path, 0, data.size(), &data[0]) ||
      !query(data.data(), "\\", reinterpret_cast<void**>(&fixed), &n) ||
      !query(data.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&language), &n) || n < 4)
    return 1;
  std::printf("file version: %lu.%lu.%lu.%lu\n", fixed->dwFileVersionMS >> 16,
              fixed->dwFileVersionMS & 0xFFFF, fixed->dwFileVersionLS >> 16, fixed->dwFileVersionLS & 0xFFFF);
  for (const char* key : {"FileVersion", "ProductVersion", "ProductName", "FileDescription"}) {
    char name[128];
    std::snprintf(name, sizeof name, "\\StringFileInfo\\%04x%04x\\%s", language[0], language[1], key);
    char* value = nullptr;
    if (query(data.data(), name, reinterpret_cast<void**>(&value), &n)) std::printf("%s: %s\n", key, value);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string cmd = argv[1];
  if (cmd == "boxes" && argc == 4) return AnswerBoxes(argv[2], std::atof(argv[3]));
  if (cmd == "main" && argc == 3) return WaitMain(std::atof(argv[2]));
  if (cmd == "open" && argc == 4) return OpenFile(argv[2], std::atof(argv[3]));
  if (cmd == "status" && argc == 3) return WaitStatus(std::atof(argv[2]));
  if (cmd == "version" && argc == 3) return PrintVersion(argv[2]);
  HWND w = FindMainWindow();
  if (!w) return 1;
  if (cmd == "close")
    PostMessageA(w, WM_SYSCOMMAND, SC_CLOSE, 0);
  else if (cmd == "altf4")
    PostMessageA(w, WM_SYSKEYDOWN, VK_F4, 0x20000001);
  else if (cmd == "exit")
    PostMessageA(w, WM_COMMAND, 4100, 0);  // "Выход"
  else if (cmd == "endsession")
    PostMessageA(w, WM_ENDSESSION, TRUE, 0);
  else if (cmd == "command" && argc == 3)
    PostMessageA(w, WM_COMMAND, std::atoi(argv[2]), 0);
  else if (cmd == "key" && argc == 3) {
    HWND list = nullptr;
    EnumChildWindows(w, &FindList, reinterpret_cast<LPARAM>(&list));
    PostMessageA(list, WM_KEYDOWN, std::atoi(argv[2]), 1);
  } else
    return 2;
  return 0;
}
