#include <windows.h>

#include "toolkit/profile_file.h"

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

}  // namespace toolkit
