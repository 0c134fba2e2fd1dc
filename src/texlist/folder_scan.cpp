// The folder scan over the real file system.
#include "texlist/folder_scan.h"

#include <cstring>

#include "texlist/name_mask.h"
#include "toolkit/file_search.h"
#include "toolkit/file_system.h"

namespace texlist {

// One enumeration of every entry: the folders for the walk, the other entries matched
// here by name. (The platform's own search would also match 8.3 short names, so that
// "*.dds" could find "a.ddsx" on some volumes; names ending in ".dds" in any letter case
// are found either way.)
void DiskFolders::Read(const std::string& folder, const std::string& pattern,
                       std::vector<Subfolder>& subfolders, std::vector<TextureEntry>& files) {
  const SuffixMask suffix(pattern);
  toolkit::ForEachEntry(folder, [&](const char* name, uint32_t attributes, uint32_t size) {
    if (attributes & toolkit::kAttrDirectory) {
      subfolders.push_back(Subfolder{name, (attributes & toolkit::kAttrReparsePoint) != 0});
    } else if (suffix.Simple() ? suffix.Matches(name, strlen(name)) : toolkit::MatchesMask(name, pattern)) {
      files.push_back(TextureEntry{folder + name, size});
    }
  });
}

bool DiskFolders::Identity(const std::string& folder, uint32_t& volume, uint64_t& index) {
  toolkit::FolderIdentity id;
  if (!toolkit::FolderIdentityOf(folder, id)) return false;
  volume = id.volume;
  index = id.index;
  return true;
}

bool DiskFolders::IsFolder(const std::string& path) { return toolkit::DirectoryExists(path); }

uint32_t DiskFolders::FileSize(const std::string& path) { return toolkit::FileSizeOf(path); }

}  // namespace texlist
