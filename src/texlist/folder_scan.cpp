// The folder scan over the real file system.
#include "texlist/folder_scan.h"

#include <cstring>

#include "texlist/folder_walk.h"
#include "texlist/name_mask.h"
#include "toolkit/file_search.h"
#include "toolkit/path_helpers.h"

namespace texlist {

namespace {

class PlatformFolders : public FolderSource {
 public:
  // One enumeration of every entry: the folders for the walk, the other entries matched
  // here by name. (The platform's own search would also match 8.3 short names, so that
  // "*.dds" could find "a.ddsx" on some volumes; names ending in ".dds" in any letter
  // case are found either way.)
  void Read(const std::string& folder, const std::string& pattern, std::vector<Subfolder>& subfolders,
            std::vector<std::string>& files) override {
    const SuffixMask suffix(pattern);
    toolkit::ForEachEntry(folder, [&](const char* name, uint32_t attributes) {
      if (attributes & toolkit::kAttrDirectory) {
        subfolders.push_back(Subfolder{name, (attributes & toolkit::kAttrReparsePoint) != 0});
      } else if (suffix.Simple() ? suffix.Matches(name, strlen(name)) : toolkit::MatchesMask(name, pattern)) {
        files.push_back(folder + name);
      }
    });
  }
  bool Identity(const std::string& folder, uint32_t& volume, uint64_t& index) override {
    toolkit::FolderIdentity id;
    if (!toolkit::FolderIdentityOf(folder, id)) return false;
    volume = id.volume;
    index = id.index;
    return true;
  }
};

}  // namespace

void ScanFolderTree(const std::string& folder, const std::string& pattern, toolkit::StringList& list) {
  PlatformFolders folders;
  WalkFolderTree(folders, folder, pattern, list);
}

bool ScanFolderFiles(const std::string& folder, const std::string& pattern, toolkit::StringList& list) {
  const std::string base = toolkit::WithTrailingBackslash(folder);
  return toolkit::ForEachMatchingFile(base, pattern.empty() ? "*.*" : pattern,
                                      [&](const std::string& name) { list.push_back(base + name); });
}

}  // namespace texlist
