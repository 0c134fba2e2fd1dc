// Conversions between the dialogs' texts and option sets and the platform's forms.
#include "toolkit/dialog_texts.h"

namespace toolkit {

std::string FilterToPlatform(const std::string& filter) {
  if (filter.empty()) return std::string();
  std::string out = filter;
  // A '|' in the first place is kept: an empty description would end the list at once.
  for (size_t i = 1; i < out.size(); ++i) {
    if (out[i] == '|') out[i] = '\0';
  }
  out.append(2, '\0');
  return out;
}

std::string MultiSelectBufferToText(const char* buffer, size_t size) {
  if (buffer == nullptr) return std::string();
  std::string out;
  for (size_t i = 0; i < size; ++i) {
    if (buffer[i] != '\0') {
      out += buffer[i];
    } else if (i + 1 < size && buffer[i + 1] != '\0') {
      out += '\r';
    } else {
      break;  // two NULs (or the end of the buffer) end the list
    }
  }
  return out;
}

uint32_t OpenDialogFlags(uint16_t options) {
  // Indexed by option bit.
  static constexpr uint32_t kFlags[] = {
      ofn::kCreatePrompt,     ofn::kExtensionDifferent, ofn::kFileMustExist,    ofn::kHideReadOnly,
      ofn::kNoChangeDir,      ofn::kNoDereferenceLinks, ofn::kAllowMultiSelect, ofn::kNoNetworkButton,
      ofn::kNoReadOnlyReturn, ofn::kOverwritePrompt,    ofn::kPathMustExist,    ofn::kReadOnly,
  };
  uint32_t flags = ofn::kExplorer | ofn::kLongNames;
  for (unsigned bit = 0; bit < sizeof(kFlags) / sizeof(kFlags[0]); ++bit) {
    if (options & (1u << bit)) flags |= kFlags[bit];
  }
  return flags;
}

uint32_t FolderChooserFlags(uint8_t options) {
  static constexpr uint32_t kFlags[] = {
      bif::kBrowseForComputer, bif::kBrowseForPrinter, bif::kDontGoBelowDomain,
      bif::kReturnFsAncestors, bif::kReturnOnlyFsDirs,
  };
  uint32_t flags = 0;
  for (unsigned bit = 0; bit < sizeof(kFlags) / sizeof(kFlags[0]); ++bit) {
    if (options & (1u << bit)) flags |= kFlags[bit];
  }
  return flags != 0 ? flags : bif::kReturnOnlyFsDirs;
}

}  // namespace toolkit
