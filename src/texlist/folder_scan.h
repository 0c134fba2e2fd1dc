// The real file system as the imports see it.
#pragma once
#include "texlist/folder_walk.h"

namespace texlist {

class DiskFolders : public FolderSource {
 public:
  int Read(const std::string& folder, const std::string& pattern, std::vector<Subfolder>& subfolders,
           std::vector<TextureEntry>& files) override;
  bool Identity(const std::string& folder, uint32_t& volume, uint64_t& index) override;
  bool IsFolder(const std::string& path) override;
  uint32_t FileSize(const std::string& path) override;
};

}  // namespace texlist
