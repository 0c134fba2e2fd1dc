// The folder chooser over SHBrowseForFolderA.
#include <windows.h>
// (needs windows.h first)
#include <objbase.h>
#include <shlobj.h>

#include "toolkit/application_win.h"
#include "toolkit/dialog_texts.h"
#include "toolkit/folder_chooser_win.h"
#include "toolkit/form_win.h"
#include "toolkit/layout.h"
#include "toolkit/path_helpers.h"

namespace toolkit {

static_assert(bif::kReturnOnlyFsDirs == BIF_RETURNONLYFSDIRS &&
                  bif::kDontGoBelowDomain == BIF_DONTGOBELOWDOMAIN &&
                  bif::kReturnFsAncestors == BIF_RETURNFSANCESTORS &&
                  bif::kBrowseForComputer == BIF_BROWSEFORCOMPUTER &&
                  bif::kBrowseForPrinter == BIF_BROWSEFORPRINTER,
              "folder chooser flags");

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

HWND DialogOwner(WindowHandle owner) {
  if (owner) return static_cast<HWND>(owner);
  Form* main = MainWindow();
  return main ? static_cast<HWND>(main->Handle()) : nullptr;
}

// A shell item's name in `folder` (flags SHGDN_...), whatever its length.
std::wstring NameOf(IShellFolder* folder, LPCITEMIDLIST item, SHGDNF flags) {
  STRRET name = {};
  if (FAILED(folder->GetDisplayNameOf(item, flags, &name))) return std::wstring();
  std::wstring path;
  if (name.uType == STRRET_WSTR) {
    path = name.pOleStr;
    CoTaskMemFree(name.pOleStr);
    return path;
  }
  const char* ansi =
      name.uType == STRRET_CSTR ? name.cStr : reinterpret_cast<const char*>(item) + name.uOffset;
  const int n = MultiByteToWideChar(CP_ACP, 0, ansi, -1, nullptr, 0);
  if (n <= 1) return path;
  path.resize(static_cast<size_t>(n));
  MultiByteToWideChar(CP_ACP, 0, ansi, -1, &path[0], n);
  path.resize(static_cast<size_t>(n - 1));
  return path;
}

bool UsableAnsiPath(const std::wstring& wide, std::string& ansi) {
  if (wide.empty()) return false;
  BOOL usedDefault = FALSE;
  const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(), static_cast<int>(wide.size()),
                                    nullptr, 0, nullptr, &usedDefault);
  if (n <= 0 || usedDefault || n >= MAX_PATH) return false;
  ansi.resize(static_cast<size_t>(n));
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(), static_cast<int>(wide.size()), &ansi[0], n,
                      nullptr, nullptr);
  return true;
}

}  // namespace

bool ChosenFolderPath(PCIDLIST_ABSOLUTE item, std::string& path) {
  IShellFolder* desktop = nullptr;
  if (FAILED(SHGetDesktopFolder(&desktop))) return false;
  const std::wstring whole = NameOf(desktop, item, SHGDN_FORPARSING);
  desktop->Release();
  // The shell may cut a longer path to its own buffer, to the name of another folder: a
  // path that reaches that length is taken for cut.
  if (whole.size() >= MAX_PATH - 1) return false;
  return UsableAnsiPath(whole, path);
}

struct FolderChooserAccess {
  static int CALLBACK BrowseCallback(HWND window, UINT msg, LPARAM param, LPARAM data) {
    auto* chooser = reinterpret_cast<FolderChooser*>(data);
    if (msg == BFFM_INITIALIZED) {
      if (chooser->CenterOnScreen) CentreWindowOnScreen(window);
      if (!chooser->initialPath_.empty()) {
        SendMessageA(window, BFFM_SETSELECTIONA, TRUE,
                     reinterpret_cast<LPARAM>(chooser->initialPath_.c_str()));
      }
    } else if (msg == BFFM_SELCHANGED && chooser->onSelectionChange) {
      chooser->onSelectionChange(window, reinterpret_cast<LPCITEMIDLIST>(param));
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

FolderChooser::FolderChooser(const std::string& title, uint8_t options) : Title(title), Options(options) {}

void FolderChooser::SetInitialPath(const std::string& path) {
  initialPath_ = WithoutTrailingBackslash(path);
  callbackInstalled_ = true;
}

std::string FolderChooser::Path() const { return path_; }

bool FolderChooser::Execute() {
  ComScope com;
  PathRefused = false;
  char displayName[MAX_PATH] = {};
  BROWSEINFOA info = {};
  info.hwndOwner = DialogOwner(OwnerWindow);
  info.pidlRoot = nullptr;
  info.pszDisplayName = displayName;
  info.lpszTitle = Title.empty() ? nullptr : Title.c_str();
  info.ulFlags = FolderChooserFlags(Options);
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
    PathRefused = true;
    return false;
  }
  path_ = path;
  return true;
}

}  // namespace toolkit
