// The folder chooser over SHBrowseForFolderA.
#include <windows.h>
// (needs windows.h first)
#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>

#include "toolkit/win/ansi_names_win.h"
#include "toolkit/win/application_win.h"
#include "toolkit/win/folder_chooser_win.h"
#include "toolkit/portable/layout.h"
#include "toolkit/portable/path_helpers.h"

namespace toolkit {

namespace {

// The shell's tree needs COM on this thread; a thread that already has it keeps it.
class ComScope {
 public:
  ComScope() : initialised_(SUCCEEDED(CoInitialize(nullptr))) {}
  ~ComScope() {
    if (initialised_) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  bool initialised_;
};

// The chosen folder's full path as the shell gives it, whatever its length.
std::wstring ParsingName(PCIDLIST_ABSOLUTE item) {
  IShellFolder* desktop = nullptr;
  if (FAILED(SHGetDesktopFolder(&desktop))) return std::wstring();
  STRRET name = {};
  const HRESULT got = desktop->GetDisplayNameOf(item, SHGDN_FORPARSING, &name);
  desktop->Release();
  if (FAILED(got)) return std::wstring();
  if (name.uType == STRRET_WSTR) {
    const std::wstring path = name.pOleStr;
    CoTaskMemFree(name.pOleStr);
    return path;
  }
  return ToWide(name.uType == STRRET_CSTR ? name.cStr : reinterpret_cast<const char*>(item) + name.uOffset);
}

}  // namespace

bool ChosenFolderPath(PCIDLIST_ABSOLUTE item, std::string& path) {
  const std::wstring whole = ParsingName(item);
  // The shell may cut a longer path to its own buffer, to the name of another folder: a
  // path that reaches that length is taken for cut.
  if (whole.empty() || whole.size() >= MAX_PATH - 1) return false;
  std::string ansi;
  if (!ToExactAnsi(whole, ansi) || ansi.size() >= MAX_PATH - 1) return false;
  path = ansi;
  return true;
}

// The tree finds the folder by parsing its path, then walking down from the desktop, filling
// each level. Wine's shell tells folders apart by their times too: a folder on the way that
// changes in between (another program makes a file beside ours) ends the walk with nothing
// selected. Another walk, at once and then a few times a little later while the tree still
// has no selection (the user has chosen nothing yet), gets there.
constexpr UINT_PTR kWalkAgainTimer = 0x7E1;
constexpr int kLaterWalks = 20;  // 100 ms apart
// One chooser at a time: it is modal on the one user-interface thread.
const std::string* g_walkPath = nullptr;
int g_laterWalks = 0;

bool Selected(HWND window) {
  const HWND tree = FindWindowExA(window, nullptr, WC_TREEVIEWA, nullptr);
  return !tree || TreeView_GetSelection(tree);
}

bool WalkTo(HWND window, const std::string& path) {
  SendMessageA(window, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(path.c_str()));
  return Selected(window);
}

// Stops once anything is selected: the folder, or what the user chose meanwhile.
void CALLBACK WalkAgain(HWND window, UINT, UINT_PTR timer, DWORD) {
  if (!g_walkPath || Selected(window) || WalkTo(window, *g_walkPath) || ++g_laterWalks >= kLaterWalks) {
    KillTimer(window, timer);
    g_walkPath = nullptr;
  }
}

struct FolderChooserAccess {
  static int CALLBACK BrowseCallback(HWND window, UINT msg, LPARAM, LPARAM data) {
    auto* chooser = reinterpret_cast<FolderChooser*>(data);
    if (msg == BFFM_INITIALIZED) {
      if (chooser->centerOnScreen) CentreWindowOnScreen(window);
      const std::string& path = chooser->initialPath_;
      if (!path.empty() && !WalkTo(window, path) && !WalkTo(window, path)) {
        g_walkPath = &path;
        g_laterWalks = 0;
        SetTimer(window, kWalkAgainTimer, 100, &WalkAgain);
      }
    }
    return 0;
  }
};

void CentreWindowOnScreen(WindowHandle window) {
  HWND hwnd = static_cast<HWND>(window);
  RECT r;
  if (!GetWindowRect(hwnd, &r)) return;
  const int w = r.right - r.left, h = r.bottom - r.top;
  MoveWindow(hwnd, CentredOffset(GetSystemMetrics(SM_CXSCREEN), w),
             CentredOffset(GetSystemMetrics(SM_CYSCREEN), h), w, h, TRUE);
}

void FolderChooser::SetInitialPath(const std::string& path) {
  initialPath_ = WithoutTrailingBackslash(path);
  callbackInstalled_ = true;
}

std::string FolderChooser::Path() const { return path_; }

bool FolderChooser::Execute() {
  ComScope com;
  pathRefused = false;
  char displayName[MAX_PATH] = {};
  BROWSEINFOA info = {};
  info.hwndOwner = static_cast<HWND>(MainWindowHandle());
  info.pidlRoot = nullptr;
  info.pszDisplayName = displayName;
  info.lpszTitle = title.empty() ? nullptr : title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  info.lpfn = callbackInstalled_ ? &FolderChooserAccess::BrowseCallback : nullptr;
  info.lParam = reinterpret_cast<LPARAM>(this);
  info.iImage = 0;
  PIDLIST_ABSOLUTE item = SHBrowseForFolderA(&info);
  if (!item) return false;
  // With file-system folders only the user cannot confirm anything without a path. A
  // path cut to a fixed buffer would name another folder, so it is read whole and refused
  // when the program cannot hold it.
  std::string path;
  const bool usable = ChosenFolderPath(item, path);
  CoTaskMemFree(item);
  if (!usable) {
    pathRefused = true;
    return false;
  }
  path_ = path;
  return true;
}

}  // namespace toolkit
