#include <windows.h>

#include "toolkit/portable/profile_file.h"

namespace toolkit {

std::string ProfileFile::Value(const std::string& key, const std::string& value, bool* ok) {
  if (mode_ == Mode::Read) {
    char buffer[2048] = {};
    GetPrivateProfileStringA(section_.c_str(), key.c_str(), value.c_str(), buffer, sizeof buffer, fileName_.c_str());
    if (ok) *ok = true;
    return std::string(buffer);
  }
  BOOL written = WritePrivateProfileStringA(section_.c_str(), key.c_str(), value.c_str(), fileName_.c_str());
  if (ok) *ok = written != 0;
  return value;
}

bool ProfileFile::Holds(const std::string& key) const {
  // Two different defaults both come back only for a missing key.
  char a[2] = {}, b[2] = {};
  GetPrivateProfileStringA(section_.c_str(), key.c_str(), "a", a, sizeof a, fileName_.c_str());
  GetPrivateProfileStringA(section_.c_str(), key.c_str(), "b", b, sizeof b, fileName_.c_str());
  return a[0] == b[0];
}

}  // namespace toolkit
