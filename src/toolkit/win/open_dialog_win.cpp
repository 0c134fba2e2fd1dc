// The open dialog over GetOpenFileNameW / GetSaveFileNameW: the ANSI dialog hands back
// look-alikes for names the code page cannot hold, which name other files.
#include <windows.h>
// (needs windows.h first)
#include <commdlg.h>

#include <cstddef>
#include <cwchar>
#include <string>
#include <vector>

#include "toolkit/win/ansi_names_win.h"
#include "toolkit/win/application_win.h"
#include "toolkit/portable/dialog_texts.h"
#include "toolkit/win/form_win.h"
#include "toolkit/win/handles_win.h"
#include "toolkit/win/open_dialog_win.h"

namespace toolkit {

namespace {

// The structure in its first form, without the fields later versions added: every
// system since then accepts it, and it is what OPENFILENAME_SIZE_VERSION_400 names:
// 76 bytes in a 32-bit program, 136 in a 64-bit one.
constexpr DWORD kOpenFileNameSize = offsetof(OPENFILENAMEW, lpTemplateName) + sizeof(LPCWSTR);
static_assert(kOpenFileNameSize == (sizeof(void*) == 4 ? 76 : 136), "OPENFILENAMEW layout");
static_assert(ofn::kReadOnly == OFN_READONLY && ofn::kOverwritePrompt == OFN_OVERWRITEPROMPT &&
                  ofn::kHideReadOnly == OFN_HIDEREADONLY && ofn::kNoChangeDir == OFN_NOCHANGEDIR &&
                  ofn::kAllowMultiSelect == OFN_ALLOWMULTISELECT &&
                  ofn::kExtensionDifferent == OFN_EXTENSIONDIFFERENT &&
                  ofn::kPathMustExist == OFN_PATHMUSTEXIST && ofn::kFileMustExist == OFN_FILEMUSTEXIST &&
                  ofn::kCreatePrompt == OFN_CREATEPROMPT && ofn::kNoReadOnlyReturn == OFN_NOREADONLYRETURN &&
                  ofn::kNoNetworkButton == OFN_NONETWORKBUTTON && ofn::kExplorer == OFN_EXPLORER &&
                  ofn::kNoDereferenceLinks == OFN_NODEREFERENCELINKS && ofn::kLongNames == OFN_LONGNAMES,
              "open dialog flags");

OpenDialogPlatformCall g_platformCall = nullptr;

HWND DialogOwner(WindowHandle owner) {
  if (owner) return static_cast<HWND>(owner);
  Form* main = MainWindow();
  return main ? static_cast<HWND>(main->Handle()) : nullptr;
}

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

int CallOpenDialogPlatform(OPENFILENAMEW* openFileName, bool isOpenDialog) {
  return isOpenDialog ? GetOpenFileNameW(openFileName) : GetSaveFileNameW(openFileName);
}

OpenDialog::OpenDialog(const std::string& title, const std::string& initialDir, uint16_t options)
    : InitialDir(initialDir), Title(title), Options(options != 0 ? options : kDefaultOpenDialogOptions) {}

bool OpenDialog::Execute() {
  const bool manyFiles = (Options & kOpenAllowMultiSelect) != 0;
  std::vector<wchar_t> names(manyFiles ? kManyFilesBufferSize : kSingleSelectBufferSize, L'\0');
  const std::wstring proposedName = ToWide(FileName);
  const size_t proposed = proposedName.size() < names.size() ? proposedName.size() : names.size() - 1;
  proposedName.copy(names.data(), proposed);
  // The texts are ANSI; the filter's NULs convert as they are.
  const std::wstring filter = ToWide(FilterToPlatform(Filter));
  const std::wstring initialDir = ToWide(InitialDir), title = ToWide(Title), defaultExt = ToWide(DefaultExt);

  OPENFILENAMEW ofn = {};
  ofn.lStructSize = kOpenFileNameSize;
  ofn.hwndOwner = DialogOwner(OwnerWindow);
  ofn.hInstance = GetModuleHandleW(nullptr);
  ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(FilterIndex);
  ofn.lpstrFile = names.data();
  ofn.nMaxFile = static_cast<DWORD>(names.size());
  ofn.lpstrInitialDir = initialDir.empty() ? nullptr : initialDir.c_str();
  ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
  ofn.Flags = OpenDialogFlags(Options);
  ofn.lpstrDefExt = defaultExt.c_str();
  ofn.lCustData = reinterpret_cast<LPARAM>(this);

  const int ok =
      g_platformCall ? g_platformCall(&ofn, IsOpenDialog) : CallOpenDialogPlatform(&ofn, IsOpenDialog);
  Files.clear();
  LeftOut = 0;
  if (!ok) {
    FileName.clear();
    return false;
  }
  FilterIndex = static_cast<int32_t>(ofn.nFilterIndex);
  const std::wstring chosen(names.data(), wcsnlen(names.data(), names.size()));
  Files = HeldParts(
      manyFiles ? MultiSelectBufferToList(names.data(), names.size()) : std::vector<std::wstring>{chosen},
      LeftOut);
  FileName = Files.empty() ? std::string() : Files[0];
  return true;
}

}  // namespace toolkit
