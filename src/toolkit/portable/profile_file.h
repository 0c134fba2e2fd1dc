// A Windows profile (INI) file: one section at a time, read or write mode.
#pragma once
#include <string>

namespace toolkit {

class ProfileFile {
 public:
  enum class Mode { Read, Write };
  ProfileFile(const std::string& fileName, const std::string& section, Mode mode)
      : fileName_(fileName), section_(section), mode_(mode) {}
  // Read mode: the stored value (at most 2047 bytes), or `value` as the default.
  // Write mode: stores `value` and returns it; returns false in `ok` when the write failed.
  std::string Value(const std::string& key, const std::string& value, bool* ok = nullptr);
  // Whether the file's section has the key now, in either mode.
  bool Holds(const std::string& key) const;

 private:
  std::string fileName_;
  std::string section_;
  Mode mode_;
};

}  // namespace toolkit
