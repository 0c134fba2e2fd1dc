// Copying one file so that the target is either the old file or the complete new one.
#pragma once
#include <string>

namespace toolkit {

// Reads the whole source with one read, writes it with one write into a new temporary
// file in the target's folder and renames that over the target. On any failure the
// temporary file is deleted and the target is left as it was. False on failure.
bool CopyThroughTemporary(const std::string& source, const std::string& target);

}  // namespace toolkit
