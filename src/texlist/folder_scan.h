// The folder scan of the folder import and of dropped folders.
#pragma once
#include <string>

#include "toolkit/file_system.h"

namespace texlist {

// Appends to `list` the full path of every file matching `pattern` in `folder` (with or
// without a final '\') and in all folders below it: a folder's own files in enumeration
// order, then each subfolder's complete result in listing order. Hidden and system
// folders are walked, links to folders too, but no folder twice.
void ScanFolderTree(const std::string& folder, const std::string& pattern, toolkit::StringList& list);

// Appends folder + '\' + name for every non-folder entry of `folder` that the platform's
// search for `pattern` finds ("*.*" when empty); true when the search found any entry.
bool ScanFolderFiles(const std::string& folder, const std::string& pattern, toolkit::StringList& list);

}  // namespace texlist
