// File and path helpers on ANSI byte strings.
#include "toolkit/portable/path_helpers.h"

#include <cstddef>

namespace toolkit {
namespace {

// Position of the last '\' or ':' in `path`, or npos.
size_t LastSeparator(const std::string& path) { return path.find_last_of("\\:"); }

}  // namespace

std::string ExtractFileName(const std::string& path) {
  const size_t sep = LastSeparator(path);
  return sep == std::string::npos ? path : path.substr(sep + 1);
}

std::string ExtractFilePath(const std::string& path) {
  const size_t sep = LastSeparator(path);
  return sep == std::string::npos ? std::string() : path.substr(0, sep + 1);
}

std::string ExtractFileExt(const std::string& path) {
  const size_t dot = path.rfind('.');
  return dot == std::string::npos ? std::string() : path.substr(dot);
}

std::string FileNameWithoutExt(const std::string& path) {
  std::string name = ExtractFileName(path);
  name.resize(name.size() - ExtractFileExt(name).size());
  return name;
}

std::string WithTrailingBackslash(const std::string& text) {
  if (!text.empty() && text.back() == '\\') return text;
  return text + '\\';
}

std::string WithoutTrailingBackslash(const std::string& text) {
  if (!text.empty() && text.back() == '\\') return text.substr(0, text.size() - 1);
  return text;
}

std::string AsciiUpperCase(const std::string& text) {
  std::string out = text;
  for (char& c : out) {
    // Plain byte comparison: toupper() would consult the locale and could touch
    // Windows-1251 letters.
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

std::string ScratchFolderName(uint32_t processId, int attempt) {
  return "texlook-" + std::to_string(processId) + (attempt ? "-" + std::to_string(attempt) : std::string());
}

bool ScratchFolderProcess(const std::string& name, uint32_t& processId) {
  const size_t start = sizeof "texlook-" - 1;
  uint64_t pid = 0;
  int attempt = 0;
  size_t i = start;
  const auto digit = [&name](size_t at) { return at < name.size() && name[at] >= '0' && name[at] <= '9'; };
  for (; digit(i) && i < start + 10; ++i) pid = pid * 10 + static_cast<uint64_t>(name[i] - '0');
  if (i < name.size() && name[i] == '-')
    for (++i; digit(i) && attempt < 100; ++i) attempt = attempt * 10 + (name[i] - '0');
  // Built again from what was read, it must give the name back: no leading zeros, nothing
  // more, no process 0, no attempt 0 or past 99, no number past 32 bits.
  if (pid == 0 || pid > UINT32_MAX || attempt > 99 ||
      ScratchFolderName(static_cast<uint32_t>(pid), attempt) != name)
    return false;
  processId = static_cast<uint32_t>(pid);
  return true;
}

std::string IntToDecimal(int32_t n) {
  // Work on the magnitude in 32-bit unsigned arithmetic, where -INT32_MIN is defined.
  uint32_t magnitude = n < 0 ? 0u - static_cast<uint32_t>(n) : static_cast<uint32_t>(n);
  char digits[12];
  size_t pos = sizeof(digits);
  do {
    digits[--pos] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (n < 0) digits[--pos] = '-';
  return std::string(digits + pos, sizeof(digits) - pos);
}

// Greedy matcher with one backtrack point (the last '*'): a later '*' makes any earlier
// choice final, so the run time is O(name * mask) at worst instead of exponential.
bool MatchesLoweredMask(const std::string& name, const std::string& mask) {
  size_t n = 0, m = 0;
  size_t starMask = std::string::npos, starName = 0;
  while (n < name.size()) {
    if (m < mask.size() && mask[m] == '*') {
      starMask = m++;
      starName = n;
    } else if (m < mask.size() && (mask[m] == '?' || mask[m] == name[n])) {
      ++m;
      ++n;
    } else if (starMask != std::string::npos) {
      m = starMask + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == '*') ++m;
  return m == mask.size();
}

}  // namespace toolkit
