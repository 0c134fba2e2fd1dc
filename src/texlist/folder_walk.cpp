// Depth-first walk of a folder tree with a guard against cycles through links.
#include "texlist/folder_walk.h"

#include <set>
#include <utility>

#include "toolkit/path_helpers.h"

namespace texlist {

namespace {

class Walk {
 public:
  Walk(FolderSource& source, const std::string& pattern, std::vector<std::string>& list)
      : source_(source), pattern_(pattern), list_(list) {}

  void Folder(const std::string& folder) {
    const std::string base = toolkit::WithTrailingBackslash(folder);
    uint32_t volume = 0;
    uint64_t index = 0;
    if (source_.Identity(base, volume, index) && !seen_.insert({volume, index}).second) return;
    // The listing is read before the files: both searches are closed before descending.
    const std::vector<std::string> subfolders = source_.Subfolders(base);
    source_.AppendMatchingFiles(base, pattern_, list_);
    for (const std::string& name : subfolders) Folder(base + name);
  }

 private:
  FolderSource& source_;
  const std::string& pattern_;
  std::vector<std::string>& list_;
  std::set<std::pair<uint32_t, uint64_t>> seen_;
};

}  // namespace

void WalkFolderTree(FolderSource& source, const std::string& folder, const std::string& pattern,
                    std::vector<std::string>& list) {
  // An empty text names no folder (as a base it would stand for the current drive's root).
  if (folder.empty()) return;
  Walk(source, pattern, list).Folder(folder);
}

}  // namespace texlist
