// The order of the folder scan: a depth-first, pre-order walk over a folder tree that
// visits every folder once, however many links lead to it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace texlist {

// The file system as the walk sees it; the Windows side gives the real folders, tests a
// made-up tree.
class FolderSource {
 public:
  virtual ~FolderSource() = default;
  // Names of the subfolders of `folder` (which ends in '\'), in enumeration order,
  // without "." and "..".
  virtual std::vector<std::string> Subfolders(const std::string& folder) = 0;
  // Appends `folder` + name for every non-folder entry matching `pattern`.
  virtual void AppendMatchingFiles(const std::string& folder, const std::string& pattern,
                                   std::vector<std::string>& list) = 0;
  // An identity shared by every path that leads to the same folder; false when it
  // cannot be read.
  virtual bool Identity(const std::string& folder, uint32_t& volume, uint64_t& index) = 0;
};

// Appends the matching files of `folder` (with or without a final '\'), then the
// complete results of its subfolders in listing order, recursively. A folder whose
// identity was seen before in this walk (a link back to an ancestor, or a second link
// to the same folder) is skipped with everything below it. Folders whose identity
// cannot be read are walked; the path grows with every level, so the platform's path
// limit ends any cycle among them.
void WalkFolderTree(FolderSource& source, const std::string& folder, const std::string& pattern,
                    std::vector<std::string>& list);

}  // namespace texlist
