// Parsing of the open dialog's and the drop's result texts.
#include "texlist/import_texts.h"

#include <cstddef>
#include <utility>

#include "texlist/dds_name.h"
#include "toolkit/path_helpers.h"

namespace texlist {

std::vector<std::string> SplitOnCarriageReturn(const std::string& text) {
  std::vector<std::string> items;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\r', start);
    if (end == std::string::npos) end = text.size();
    if (end > start) items.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return items;
}

OpenDialogImport ParseOpenDialogResult(const std::string& fileName) {
  OpenDialogImport result;
  const size_t firstCr = fileName.find('\r');
  if (firstCr == std::string::npos) {
    if (IsDdsPath(fileName)) {
      result.paths.push_back(fileName);
      result.setLastPath = true;
      result.lastPath = toolkit::ExtractFilePath(fileName);
    }
    return result;
  }
  // The dialog gives the folder without its '\' except for a drive root; the '\' is added
  // without looking, so a root gives two, which the file system accepts.
  const std::string folder = fileName.substr(0, firstCr) + '\\';
  for (const std::string& name : SplitOnCarriageReturn(fileName.substr(firstCr + 1))) {
    std::string path = folder + name;
    if (IsDdsPath(path)) result.paths.push_back(std::move(path));
  }
  result.setLastPath = true;
  result.lastPath = folder;
  return result;
}

}  // namespace texlist
