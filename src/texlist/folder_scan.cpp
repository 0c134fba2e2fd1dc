// The folder scan over the real file system.
#include "texlist/folder_scan.h"

#include "texlist/folder_walk.h"
#include "toolkit/file_search.h"
#include "toolkit/path_helpers.h"

namespace texlist {

namespace {

class PlatformFolders : public FolderSource {
 public:
  std::vector<std::string> Subfolders(const std::string& folder) override {
    std::vector<std::string> names;
    for (toolkit::DirectoryEntry& e : toolkit::ListDirectory(folder, "*.*", toolkit::kAttrDirectory)) {
      names.push_back(std::move(e.name));
    }
    return names;
  }
  void AppendMatchingFiles(const std::string& folder, const std::string& pattern,
                           std::vector<std::string>& list) override {
    ScanFolderFiles(folder, pattern, list);
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
