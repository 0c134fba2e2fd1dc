// Conversions between the open dialog's texts and the platform's forms.
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

std::vector<std::wstring> MultiSelectBufferToList(const wchar_t* buffer, size_t size) {
  std::vector<std::wstring> out;
  size_t start = 0;
  for (size_t i = 0; i <= size; ++i) {
    if (i < size && buffer[i] != L'\0') continue;
    if (i == start) break;  // two NULs (or the end of the buffer) end the list
    out.emplace_back(buffer + start, i - start);
    start = i + 1;
  }
  return out;
}

}  // namespace toolkit
