// The open dialog over GetOpenFileNameW: the ANSI dialog hands back
// look-alikes for names the code page cannot hold, which name other files.
#include <windows.h>
// (needs windows.h first)
#include <commdlg.h>

#include <cstddef>
#include <string>
#include <vector>

#include "toolkit/win/ansi_names_win.h"
#include "toolkit/win/application_win.h"
#include "toolkit/portable/dialog_texts.h"
#include "toolkit/win/handles_win.h"
#include "toolkit/win/open_dialog_win.h"

namespace toolkit {

namespace {

// The structure in its first form, without the fields later versions added: every
// system since then accepts it, and it is what OPENFILENAME_SIZE_VERSION_400 names:
// 76 bytes in a 32-bit program, 136 in a 64-bit one.
constexpr DWORD kOpenFileNameSize = offsetof(OPENFILENAMEW, lpTemplateName) + sizeof(LPCWSTR);
static_assert(kOpenFileNameSize == (sizeof(void*) == 4 ? 76 : 136), "OPENFILENAMEW layout");
// Several existing files, Explorer-style. The read-only box is hidden and the overwrite
// prompt is for saving, so those two flags change nothing the user sees.
constexpr DWORD kOpenFlags = OFN_EXPLORER | OFN_LONGNAMES | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY |
                             OFN_ALLOWMULTISELECT | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_READONLY;

OpenDialogPlatformCall g_platformCall = nullptr;

// The dialog's parts (one path, or a folder followed by names) as ANSI texts that stand
// for their files; with several files, the names of those left out are dropped and
// counted, and nothing is left when none remains.
std::vector<std::string> HeldParts(const std::vector<std::wstring>& parts, int& leftOut) {
  std::vector<std::string> held(1);
  leftOut = 0;
  if (parts.size() == 1) {
    if (HeldPath(parts[0], held[0])) return held;
    leftOut = 1;
    return {};
  }
  if (parts.empty()) return {};
  const bool folderHeld = HeldPath(parts[0], held[0]);
  const std::wstring base = parts[0] + L'\\';
  for (size_t i = 1; i < parts.size(); ++i) {
    std::string name;
    if (folderHeld && !ToExactAnsi(parts[i], name)) {
      // Only then the listing, for the 8.3 name.
      WIN32_FIND_DATAW data;
      FindHandle find(FindFirstFileW((base + parts[i]).c_str(), &data));
      if (!find || !HeldFileName(parts[i], data.cAlternateFileName, name)) name.clear();
    }
    if (folderHeld && !name.empty()) {
      held.push_back(std::move(name));
    } else {
      ++leftOut;
    }
  }
  if (held.size() == 1) held.clear();
  return held;
}

}  // namespace

void SetOpenDialogPlatformCall(OpenDialogPlatformCall call) { g_platformCall = call; }

int CallOpenDialogPlatform(OPENFILENAMEW* openFileName) { return GetOpenFileNameW(openFileName); }

bool OpenDialog::Execute() {
  std::vector<wchar_t> names(kManyFilesBufferSize, L'\0');
  // The texts are ANSI; the filter's NULs convert as they are.
  const std::wstring platformFilter = ToWide(FilterToPlatform(filter));
  const std::wstring wideDir = ToWide(initialDir), wideTitle = ToWide(title);

  OPENFILENAMEW ofn = {};
  ofn.lStructSize = kOpenFileNameSize;
  ofn.hwndOwner = static_cast<HWND>(MainWindowHandle());
  ofn.hInstance = GetModuleHandleW(nullptr);
  ofn.lpstrFilter = platformFilter.empty() ? nullptr : platformFilter.c_str();
  ofn.lpstrFile = names.data();
  ofn.nMaxFile = static_cast<DWORD>(names.size());
  ofn.lpstrInitialDir = wideDir.empty() ? nullptr : wideDir.c_str();
  ofn.lpstrTitle = wideTitle.empty() ? nullptr : wideTitle.c_str();
  ofn.Flags = kOpenFlags;
  // Blank but given: a non-null default extension changes how the dialog takes a typed
  // name without one.
  ofn.lpstrDefExt = L"";
  ofn.lCustData = reinterpret_cast<LPARAM>(this);

  const int ok = g_platformCall ? g_platformCall(&ofn) : CallOpenDialogPlatform(&ofn);
  files.clear();
  leftOut = 0;
  if (!ok) return false;
  files = HeldParts(MultiSelectBufferToList(names.data(), names.size()), leftOut);
  return true;
}

}  // namespace toolkit
