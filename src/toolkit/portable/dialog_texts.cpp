// Conversions between the dialogs' texts and option sets and the platform's forms.
#include "toolkit/portable/dialog_texts.h"

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

namespace {

template <typename Char>
std::vector<std::basic_string<Char>> BufferToList(const Char* buffer, size_t size) {
  std::vector<std::basic_string<Char>> out;
  if (buffer == nullptr) return out;
  size_t start = 0;
  for (size_t i = 0; i <= size; ++i) {
    if (i < size && buffer[i] != Char{}) continue;
    if (i == start) break;  // two NULs (or the end of the buffer) end the list
    out.emplace_back(buffer + start, i - start);
    start = i + 1;
  }
  return out;
}

}  // namespace

std::vector<std::string> MultiSelectBufferToList(const char* buffer, size_t size) {
  return BufferToList(buffer, size);
}

std::vector<std::wstring> MultiSelectBufferToList(const wchar_t* buffer, size_t size) {
  return BufferToList(buffer, size);
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
