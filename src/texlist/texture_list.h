// The texture list of the run: one entry per row of the file list, in row order.
#pragma once
#include <string>
#include <vector>

struct TextureEntry {
  std::string FullPath;  // exactly as the import produced it
};

struct TextureList {
  std::vector<TextureEntry> TexturePaths;
  int CurrentIndex = -1;  // the row being previewed; -1 for none
  int TextureCount() const { return static_cast<int>(TexturePaths.size()); }
};
