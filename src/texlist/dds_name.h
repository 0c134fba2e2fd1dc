// The test by which a path is taken for a DDS file: its name alone.
#pragma once
#include <string>

namespace texlist {

// True when the text from the last '.' of the whole path is ".dds" in any letter case.
// A dot in a folder name gives an extension with a '\' in it, which is rejected.
bool IsDdsPath(const std::string& path);

}  // namespace texlist
