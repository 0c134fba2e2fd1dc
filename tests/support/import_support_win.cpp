#include "support/import_support_win.h"

#include "app/main_form.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdlib>
#include <cstring>

namespace testing_support {

std::string UnixPathOf(const std::string& windowsPath) {
  using Fn = char*(CDECL*)(LPCWSTR);
  auto fn = reinterpret_cast<Fn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (!fn) return std::string();
  int n = MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, &wide[0], n);
  char* unixPath = fn(wide.c_str());
  if (!unixPath) return std::string();
  std::string out = unixPath;
  HeapFree(GetProcessHeap(), 0, unixPath);
  return out;
}

namespace {
// Wine may report a Linux program as ended before its work shows: wait until `path`
// exists (or is gone), at most two seconds.
bool AwaitPath(const std::string& path, bool exists) {
  for (int i = 0; i < 200; ++i) {
    if ((GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) == exists) return true;
    Sleep(10);
  }
  return false;
}
}  // namespace

int RunUnix(const std::string& commandLine) {
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  std::string cmd = commandLine;
  if (!CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
  WaitForSingleObject(pi.hProcess, 30000);
  DWORD code = 0;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  return static_cast<int>(code);
}

bool MakeUnixSymlink(const std::string& linkPath, const std::string& target) {
  // The link does not exist yet: map its folder and add the name.
  const size_t slash = linkPath.find_last_of('\\');
  const std::string folder = UnixPathOf(linkPath.substr(0, slash));
  if (folder.empty()) return false;
  return RunUnix("/bin/ln -s " + target + " " + folder + "/" + linkPath.substr(slash + 1)) == 0 &&
         AwaitPath(linkPath, true);
}

TempDrive::TempDrive(const std::string& folder) {
  const char* prefix = getenv("WINEPREFIX");
  const std::string target = UnixPathOf(folder);
  if (!prefix || target.empty()) return;
  const DWORD used = GetLogicalDrives();
  for (char c = 'y'; c >= 'g'; --c) {
    if (used & (1u << (c - 'a'))) continue;
    const std::string link = std::string(prefix) + "/dosdevices/" + c + ":";
    if (RunUnix("/bin/ln -s " + target + " " + link) != 0) continue;
    letter_ = static_cast<char>(c - 'a' + 'A');
    link_ = link;
    // Files are found through the link; the drive list (and so the shell's tree) comes
    // from the object manager's drive names.
    const std::string device = std::string(1, letter_) + ":";
    folder_ = folder.substr(0, folder.size() - (folder.back() == '\\' ? 1 : 0));
    defined_ = DefineDosDeviceA(0, device.c_str(), folder_.c_str()) != 0;
    if (!AwaitPath(Root(), true)) letter_ = 0;
    return;
  }
}

TempDrive::~TempDrive() {
  if (!letter_) return;
  const std::string device = std::string(1, letter_) + ":";
  // The server keeps the name for later processes: take it away again.
  if (defined_)
    DefineDosDeviceA(DDD_REMOVE_DEFINITION | DDD_EXACT_MATCH_ON_REMOVE, device.c_str(), folder_.c_str());
  RunUnix("/bin/rm -f " + link_);
  AwaitPath(Root(), false);
}

void DropFiles(HWND target, const std::vector<std::string>& paths, POINT point) {
  size_t bytes = sizeof(DROPFILES) + 1;  // the list ends in a second NUL
  for (const std::string& p : paths) bytes += p.size() + 1;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->pt = point;
  drop->fNC = FALSE;
  drop->fWide = FALSE;
  char* out = reinterpret_cast<char*>(drop) + sizeof(DROPFILES);
  for (const std::string& p : paths) {
    memcpy(out, p.c_str(), p.size() + 1);
    out += p.size() + 1;
  }
  GlobalUnlock(memory);
  // The receiver releases the drop with DragFinish.
  SendMessageA(target, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
}

std::string TextOf(HWND window) {
  const LRESULT n = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
  std::string text(static_cast<size_t>(n) + 1, '\0');
  SendMessageA(window, WM_GETTEXT, static_cast<WPARAM>(text.size()), reinterpret_cast<LPARAM>(&text[0]));
  text.resize(strlen(text.c_str()));
  return text;
}

namespace {
struct FindCtx {
  const char* className;
  const std::string* text;
  HWND found;
};
BOOL CALLBACK FindChild(HWND hwnd, LPARAM lp) {
  auto* ctx = reinterpret_cast<FindCtx*>(lp);
  char cls[64] = {};
  GetClassNameA(hwnd, cls, sizeof cls);
  if (lstrcmpiA(cls, ctx->className) == 0 && (ctx->text->empty() || TextOf(hwnd) == *ctx->text)) {
    ctx->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

// The name box: a combo box (cmb13) with its edit, or a plain edit (edt1).
HWND NameBox(HWND dialog) {
  for (HWND box = dialog; box;) {
    HWND combo = GetDlgItem(box, 0x47C);
    if (combo) {
      HWND edit = FindWindowExA(combo, nullptr, "Edit", nullptr);
      return edit ? edit : combo;
    }
    HWND edit = GetDlgItem(box, 0x480);
    if (edit) return edit;
    box = nullptr;
  }
  return FindDescendant(dialog, "Edit");
}
}  // namespace

HWND FindDescendant(HWND parent, const char* className, const std::string& text) {
  FindCtx ctx{className, &text, nullptr};
  EnumChildWindows(parent, &FindChild, reinterpret_cast<LPARAM>(&ctx));
  return ctx.found;
}

void TypeNamesAndOpen(HWND dialog, const std::string& names) {
  HWND box = NameBox(dialog);
  // WM_SETTEXT is not bound by the box's typing limit, so long selections fit.
  SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(names.c_str()));
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

std::string FilterBoxText(HWND dialog) {
  HWND combo = GetDlgItem(dialog, 0x470);  // cmb1
  if (!combo) return std::string();
  const LRESULT sel = SendMessageA(combo, CB_GETCURSEL, 0, 0);
  if (sel < 0) return std::string();
  char text[512] = {};
  SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(sel), reinterpret_cast<LPARAM>(text));
  return text;
}

void PressCancel(HWND dialog) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
}

void ChooseFolder(HWND chooser, const std::string& folder) {
  // The tree fills in while the chooser opens: select until the folder shows as
  // selected (a drive shows with its letter in its name), then confirm.
  std::string name = folder;
  if (name.size() > 3 && name.back() == '\\') name.pop_back();
  const bool root = name.size() <= 3;
  name = root ? name.substr(0, 2) : name.substr(name.find_last_of('\\') + 1);
  for (int i = 0; i < 50; ++i) {
    SendMessageA(chooser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(folder.c_str()));
    const std::string selected = SelectedTreeItem(chooser);
    if (root ? selected.find(name) != std::string::npos : lstrcmpiA(selected.c_str(), name.c_str()) == 0)
      break;
    Sleep(100);
  }
  PostMessageA(chooser, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(chooser, IDOK)));
}

std::string SelectedTreeItem(HWND chooser) {
  HWND tree = FindDescendant(chooser, WC_TREEVIEWA);
  if (!tree) return std::string();
  auto item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
  if (!item) return std::string();
  char text[MAX_PATH] = {};
  TVITEMA tv = {};
  tv.mask = TVIF_TEXT;
  tv.hItem = item;
  tv.pszText = text;
  tv.cchTextMax = sizeof text;
  SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
  return text;
}

std::string QuotedNames(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& n : names) {
    if (!text.empty()) text += ' ';
    text += '"' + n + '"';
  }
  return text;
}

std::vector<std::string> ListedPaths(MainForm& form) {
  std::vector<std::string> paths;
  for (const auto& e : form.textures.TexturePaths) paths.push_back(e.FullPath);
  return paths;
}

}  // namespace testing_support
