// The open dialog over GetOpenFileNameA / GetSaveFileNameA.
#include <windows.h>
// (needs windows.h first)
#include <commdlg.h>

#include <cstddef>
#include <vector>

#include "toolkit/application_win.h"
#include "toolkit/dialog_texts.h"
#include "toolkit/form_win.h"
#include "toolkit/open_dialog_win.h"

namespace toolkit {

namespace {

// The structure in its first form, without the fields later versions added: every
// system since then accepts it, and it is what OPENFILENAME_SIZE_VERSION_400A names.
constexpr DWORD kOpenFileNameSize = 76;
static_assert(offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR) == kOpenFileNameSize,
              "OPENFILENAMEA layout");
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

}  // namespace

void SetOpenDialogPlatformCall(OpenDialogPlatformCall call) { g_platformCall = call; }

int CallOpenDialogPlatform(OPENFILENAMEA* openFileName, bool isOpenDialog) {
  auto* ofn = static_cast<OPENFILENAMEA*>(openFileName);
  return isOpenDialog ? GetOpenFileNameA(ofn) : GetSaveFileNameA(ofn);
}

OpenDialog::OpenDialog(const std::string& title, const std::string& initialDir, uint16_t options)
    : InitialDir(initialDir), Title(title), Options(options != 0 ? options : kDefaultOpenDialogOptions) {}

bool OpenDialog::Execute() {
  const bool manyFiles = (Options & kOpenAllowMultiSelect) != 0;
  std::vector<char> names(manyFiles ? kManyFilesBufferSize : kSingleSelectBufferSize, '\0');
  const size_t proposed = FileName.size() < names.size() ? FileName.size() : names.size() - 1;
  FileName.copy(names.data(), proposed);
  const std::string filter = FilterToPlatform(Filter);

  OPENFILENAMEA ofn = {};
  ofn.lStructSize = kOpenFileNameSize;
  ofn.hwndOwner = DialogOwner(OwnerWindow);
  ofn.hInstance = GetModuleHandleA(nullptr);
  ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(FilterIndex);
  ofn.lpstrFile = names.data();
  ofn.nMaxFile = static_cast<DWORD>(names.size());
  ofn.lpstrInitialDir = InitialDir.empty() ? nullptr : InitialDir.c_str();
  ofn.lpstrTitle = Title.empty() ? nullptr : Title.c_str();
  ofn.Flags = OpenDialogFlags(Options);
  ofn.lpstrDefExt = DefaultExt.c_str();
  ofn.lCustData = reinterpret_cast<LPARAM>(this);

  const int ok =
      g_platformCall ? g_platformCall(&ofn, IsOpenDialog) : CallOpenDialogPlatform(&ofn, IsOpenDialog);
  Files.clear();
  if (!ok) {
    FileName.clear();
    return false;
  }
  FilterIndex = static_cast<int32_t>(ofn.nFilterIndex);
  FileName = std::string(names.data(), strnlen(names.data(), names.size()));
  Files = manyFiles ? MultiSelectBufferToList(names.data(), names.size()) : std::vector<std::string>{FileName};
  return true;
}

}  // namespace toolkit
