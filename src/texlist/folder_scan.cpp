// The folder scan over the real file system.
#include "texlist/folder_scan.h"

#include <cstring>

#include "texlist/name_mask.h"
#include "toolkit/portable/file_search.h"
#include "toolkit/portable/file_system.h"

namespace texlist {

// One enumeration of every entry: the folders for the walk, the other entries matched
// here by name. (The platform's own search would also match 8.3 short names, so that
// "*.dds" could find "a.ddsx" on some volumes; names ending in ".dds" in any letter case
// are found either way.)
int DiskFolders::Read(const std::string& folder, const std::string& pattern,
                      std::vector<Subfolder>& subfolders, std::vector<TextureEntry>& files) {
  const SuffixMask suffix(pattern);
  int leftOut = 0;
  toolkit::ForEachEntry(
      folder, [&](const char* name, const char* longName, uint32_t attributes, uint32_t size) {
        const bool isFolder = (attributes & toolkit::kAttrDirectory) != 0;
        // Matched by the long name: a short name's ".DDS" may stand for ".ddsx".
        if (!isFolder && !(suffix.Simple() ? suffix.Matches(longName, strlen(longName))
                                           : toolkit::MatchesMask(longName, pattern)))
          return;
        if (!name) {
          ++leftOut;
        } else if (isFolder) {
          subfolders.push_back(Subfolder{name, (attributes & toolkit::kAttrReparsePoint) != 0});
        } else {
          files.push_back(TextureEntry{folder + name, size});
        }
      });
  return leftOut;
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
