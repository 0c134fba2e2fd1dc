// Texts and flags that the open dialog and the folder chooser hand to the platform and
// get back from it. Pure functions; the Windows side passes the results straight on.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace toolkit {

// Options of the open dialog, one bit each.
constexpr uint16_t kOpenCreatePrompt = 1u << 0;
constexpr uint16_t kOpenExtensionDifferent = 1u << 1;
constexpr uint16_t kOpenFileMustExist = 1u << 2;
constexpr uint16_t kOpenHideReadOnly = 1u << 3;
constexpr uint16_t kOpenNoChangeDir = 1u << 4;
constexpr uint16_t kOpenNoDereferenceLinks = 1u << 5;
constexpr uint16_t kOpenAllowMultiSelect = 1u << 6;
constexpr uint16_t kOpenNoNetworkButton = 1u << 7;
constexpr uint16_t kOpenNoReadOnlyReturn = 1u << 8;
constexpr uint16_t kOpenOverwritePrompt = 1u << 9;
constexpr uint16_t kOpenPathMustExist = 1u << 10;
constexpr uint16_t kOpenReadOnly = 1u << 11;

// What an open dialog created with no options gets instead.
constexpr uint16_t kDefaultOpenDialogOptions =
    kOpenFileMustExist | kOpenHideReadOnly | kOpenOverwritePrompt | kOpenPathMustExist;
// The main window's dialog: several existing files.
constexpr uint16_t kMainOpenDialogOptions = kOpenFileMustExist | kOpenHideReadOnly | kOpenAllowMultiSelect |
                                            kOpenOverwritePrompt | kOpenPathMustExist | kOpenReadOnly;

// Options of the folder chooser, one bit each.
constexpr uint8_t kChooseBrowseForComputer = 1u << 0;
constexpr uint8_t kChooseBrowseForPrinter = 1u << 1;
constexpr uint8_t kChooseDontGoBelowDomain = 1u << 2;
constexpr uint8_t kChooseReturnFsAncestors = 1u << 3;
constexpr uint8_t kChooseReturnOnlyFsDirs = 1u << 4;

// Platform flag values (commdlg.h and shlobj.h), named so that they do not collide with
// the platform's macros; the Windows side checks them against the real ones.
namespace ofn {
constexpr uint32_t kReadOnly = 0x1;
constexpr uint32_t kOverwritePrompt = 0x2;
constexpr uint32_t kHideReadOnly = 0x4;
constexpr uint32_t kNoChangeDir = 0x8;
constexpr uint32_t kAllowMultiSelect = 0x200;
constexpr uint32_t kExtensionDifferent = 0x400;
constexpr uint32_t kPathMustExist = 0x800;
constexpr uint32_t kFileMustExist = 0x1000;
constexpr uint32_t kCreatePrompt = 0x2000;
constexpr uint32_t kNoReadOnlyReturn = 0x8000;
constexpr uint32_t kNoNetworkButton = 0x20000;
constexpr uint32_t kExplorer = 0x80000;
constexpr uint32_t kNoDereferenceLinks = 0x100000;
constexpr uint32_t kLongNames = 0x200000;
}  // namespace ofn
namespace bif {
constexpr uint32_t kReturnOnlyFsDirs = 0x1;
constexpr uint32_t kDontGoBelowDomain = 0x2;
constexpr uint32_t kReturnFsAncestors = 0x8;
constexpr uint32_t kBrowseForComputer = 0x1000;
constexpr uint32_t kBrowseForPrinter = 0x2000;
}  // namespace bif

// Open-dialog size of the name buffer when one file is chosen.
constexpr size_t kSingleSelectBufferSize = 262;

// "description|pattern|..." as the platform wants it: every '|' after the first character
// becomes NUL and two NULs end the text (both are part of the returned string). An empty
// filter gives an empty string: the caller passes NULL for it.
std::string FilterToPlatform(const std::string& filter);

// The name buffer of a confirmed multi-select dialog ("folder\0name\0name\0\0") as its
// parts; a single chosen path comes back as the only part. Reads at most `size` bytes.
std::vector<std::string> MultiSelectBufferToList(const char* buffer, size_t size);
std::vector<std::wstring> MultiSelectBufferToList(const wchar_t* buffer, size_t size);

// Platform flags for a set of open-dialog options; OFN_EXPLORER and OFN_LONGNAMES always.
uint32_t OpenDialogFlags(uint16_t options);

// Platform flags for a set of folder-chooser options; the empty set means "return only
// file-system folders".
uint32_t FolderChooserFlags(uint8_t options);

}  // namespace toolkit
