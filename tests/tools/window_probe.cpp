// Looks at Texlook from outside, as a user would, and acts on it with messages that carry
// no pointers (another process can read no menus and no HDROPs under Wine).
//   window_probe boxes TITLE SECONDS     answers message boxes titled TITLE until none
//                                        comes for SECONDS; prints "box: <text>" for each
//   window_probe main SECONDS            waits for the visible main window; prints its state
//   window_probe close|altf4|exit|endsession   asks the main window to end that way
#include <windows.h>

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

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string cmd = argv[1];
  if (cmd == "boxes" && argc == 4) return AnswerBoxes(argv[2], std::atof(argv[3]));
  if (cmd == "main" && argc == 3) return WaitMain(std::atof(argv[2]));
  HWND w = FindMainWindow();
  if (!w) return 1;
  if (cmd == "close") PostMessageA(w, WM_SYSCOMMAND, SC_CLOSE, 0);
  else if (cmd == "altf4") PostMessageA(w, WM_SYSKEYDOWN, VK_F4, 0x20000001);
  else if (cmd == "exit") PostMessageA(w, WM_COMMAND, 4100, 0);  // "Выход"
  else if (cmd == "endsession") PostMessageA(w, WM_ENDSESSION, TRUE, 0);
  else return 2;
  return 0;
}
