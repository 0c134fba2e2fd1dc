// Case-insensitive suffix matching for the folder scan.
#include "texlist/name_mask.h"

namespace texlist {

namespace {
char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
}  // namespace

SuffixMask::SuffixMask(const std::string& pattern) {
  if (pattern.empty() || pattern == "*" || pattern == "*.*") {
    simple_ = true;
    return;
  }
  if (pattern[0] != '*') return;
  for (size_t i = 1; i < pattern.size(); ++i) {
    const char c = AsciiLower(pattern[i]);
    if (static_cast<unsigned char>(c) >= 0x80 || c == '*' || c == '?' || c == 'i' || c == '\0') return;
    suffix_ += c;
  }
  simple_ = true;
}

bool SuffixMask::Matches(const char* name, size_t length) const {
  if (length < suffix_.size()) return false;
  const char* tail = name + (length - suffix_.size());
  for (size_t i = 0; i < suffix_.size(); ++i) {
    if (AsciiLower(tail[i]) != suffix_[i]) return false;
  }
  return true;
}

}  // namespace texlist
