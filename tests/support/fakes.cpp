#include "support/fakes.h"

namespace testing_support {

std::vector<std::string> PathsOf(const std::vector<texlist::TextureEntry>& entries) {
  std::vector<std::string> paths;
  for (const texlist::TextureEntry& entry : entries) paths.push_back(entry.FullPath);
  return paths;
}

}  // namespace testing_support
