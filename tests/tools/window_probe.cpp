// Looks at Texlook from outside, as a user would, with messages that carry no pointers
// (another process can read no menus and no HDROPs under Wine). Verbs: boxes TITLE SECONDS
// (answers boxes titled TITLE until none comes for SECONDS; "box: <text>"), main SECONDS
// ("main: zoomed=1"), close|altf4|exit|endsession, command ID, key VK (to the list), open
// PATH SECONDS (in the open dialog), status SECONDS ("status: W x H x D BPP"), version FILE.
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

HWND Visible(HWND w) { return w && IsWindowVisible(w) ? w : nullptr; }
HWND FindMainWindow() { return Visible(FindWindowA("Form", "Texlook")); }

// Asks done() every 20 ms until it answers true (then true) or SECONDS have passed.
template <typename Fn>
bool Poll(double seconds, Fn done) {
  for (DWORD start = GetTickCount(); GetTickCount() - start < seconds * 1000; Sleep(20))
    if (done()) return true;
  return false;
}

int AnswerBoxes(const char* title, double seconds) {
  HWND box = nullptr;
  while (Poll(seconds, [&] {
    if (FindMainWindow()) std::printf("main window visible\n");
    return (box = Visible(FindWindowA("#32770", title))) != nullptr;
  })) {
    char text[1024] = {};
    GetWindowTextA(GetDlgItem(box, 0xFFFF), text, sizeof text);
    std::printf("box: %s\n", text);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    while (IsWindow(box) && IsWindowVisible(box)) Sleep(20);
  }
  return 0;
}

int WaitMain(double seconds) {
  if (!Poll(seconds, [] { return FindMainWindow() != nullptr; })) return std::printf("main: none\n"), 1;
  Sleep(200);  // let it finish opening
  return std::printf("main: zoomed=%d\n", IsZoomed(FindMainWindow()) ? 1 : 0), 0;
}

// Types PATH into the open dialog's name box (combo box cmb13) and confirms.
int OpenFile(const char* path, double seconds) {
  HWND dialog = nullptr;
  if (!Poll(seconds, [&] { return (dialog = Visible(FindWindowA("#32770", nullptr))) != nullptr; })) return 1;
  Sleep(300);  // let it finish opening
  SendMessageA(GetDlgItem(dialog, 0x47C), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path));
  PostMessageA(dialog, WM_COMMAND, IDOK, reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
  return 0;
}

int WaitStatus(double seconds) {
  char text[256] = {};
  Poll(seconds, [&] {
    // Sent: GetWindowText would not ask a window of another process.
    if (HWND main = FindMainWindow())
      SendMessageA(FindWindowExA(main, nullptr, STATUSCLASSNAMEA, nullptr), WM_GETTEXT, sizeof text,
                   reinterpret_cast<LPARAM>(text));
    return std::strstr(text, " BPP") != nullptr;
  });
  return std::printf("status: %s\n", text), 0;
}

BOOL CALLBACK FindList(HWND w, LPARAM found) {
  char name[64] = {};
  GetClassNameA(w, name, sizeof name);
  if (lstrcmpiA(name, WC_LISTVIEWA) == 0) *reinterpret_cast<HWND*>(found) = w;
  return TRUE;
}

int PrintVersion(const char* path) {
  std::string data(GetFileVersionInfoSizeA(path, nullptr), '\0');
  VS_FIXEDFILEINFO* fixed = nullptr;
  WORD* language = nullptr;
  UINT n = 0;
  if (!GetFileVersionInfoA(path, 0, data.size(), &data[0]) ||
      !VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &n) ||
      !VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&language), &n) ||
      n < 4)
    return 1;
  std::printf("file version: %lu.%lu.%lu.%lu\n", fixed->dwFileVersionMS >> 16,
              fixed->dwFileVersionMS & 0xFFFF, fixed->dwFileVersionLS >> 16, fixed->dwFileVersionLS & 0xFFFF);
  for (const char* key : {"FileVersion", "ProductVersion", "ProductName", "FileDescription"}) {
    char name[128];
    std::snprintf(name, sizeof name, "\\StringFileInfo\\%04x%04x\\%s", language[0], language[1], key);
    char* value = nullptr;
    if (VerQueryValueA(data.data(), name, reinterpret_cast<void**>(&value), &n))
      std::printf("%s: %s\n", key, value);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string cmd = argc > 1 ? argv[1] : "";
  if (cmd == "boxes" && argc == 4) return AnswerBoxes(argv[2], std::atof(argv[3]));
  if (cmd == "main" && argc == 3) return WaitMain(std::atof(argv[2]));
  if (cmd == "open" && argc == 4) return OpenFile(argv[2], std::atof(argv[3]));
  if (cmd == "status" && argc == 3) return WaitStatus(std::atof(argv[2]));
  if (cmd == "version" && argc == 3) return PrintVersion(argv[2]);
  HWND w = FindMainWindow(), list = nullptr;
  if (!w) return 1;
  const WPARAM arg = argc == 3 ? std::atoi(argv[2]) : 0;
  if (cmd == "close") return !PostMessageA(w, WM_SYSCOMMAND, SC_CLOSE, 0);
  if (cmd == "altf4") return !PostMessageA(w, WM_SYSKEYDOWN, VK_F4, 0x20000001);
  if (cmd == "exit") return !PostMessageA(w, WM_COMMAND, 4100, 0);  // "Выход"
  if (cmd == "endsession") return !PostMessageA(w, WM_ENDSESSION, TRUE, 0);
  if (cmd == "command" && argc == 3) return !PostMessageA(w, WM_COMMAND, arg, 0);
  if (cmd != "key" || argc != 3) return 2;
  EnumChildWindows(w, &FindList, reinterpret_cast<LPARAM>(&list));
  return !PostMessageA(list, WM_KEYDOWN, arg, 1);
}
