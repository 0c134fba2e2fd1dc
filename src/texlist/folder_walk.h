// The order of the folder scan: a depth-first, pre-order walk over a folder tree that
// ends however the tree's links and junctions lead back.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "texlist/texture_list.h"

namespace texlist {

// The file system as the imports see it; the Windows side gives the real folders, tests a
// made-up tree.
class FolderSource {
 public:
  struct Subfolder {
    std::string name;
    bool link = false;  // a reparse point: a link or junction to some other folder
  };
  virtual ~FolderSource() = default;
  // One reading of `folder` (which ends in '\'): its subfolders in enumeration order,
  // without "." and "..", and `folder` + name with the listed size appended to `files`
  // for every other entry whose name matches `pattern`, in enumeration order. Returns how
  // many such files and subfolders were left out because no name the program can hold
  // stands for them.
  virtual int Read(const std::string& folder, const std::string& pattern, std::vector<Subfolder>& subfolders,
                   std::vector<TextureEntry>& files) = 0;
  // An identity shared by every path that leads to the same folder (volume and file
  // index, links followed); false when it cannot be read.
  virtual bool Identity(const std::string& folder, uint32_t& volume, uint64_t& index) = 0;
  virtual bool IsFolder(const std::string& path) = 0;
  // The size the directory lists for one file, asked without searching its folder; 0
  // when it cannot be read.
  virtual uint32_t FileSize(const std::string& path) = 0;
};

// Appends the matching files of `folder` (with or without a final '\'), then the
// complete results of its subfolders in listing order, recursively.
// Only a link can lead back into the tree, so only at a link is an identity asked for:
// a link to one of the folders above it (a cycle), or to a folder that an earlier link
// already led to, is not followed. A folder reached once through a link and once by its
// own path is walked twice, which is finite. Links whose identity cannot be read are
// followed; the path grows at every level, so the platform's path limit ends them.
// Returns how many files and folders the readings left out.
int WalkFolderTree(FolderSource& source, const std::string& folder, const std::string& pattern,
                   std::vector<TextureEntry>& list);

}  // namespace texlist
