// Parsing of the open dialog's result.
#include "texlist/import_texts.h"

#include <utility>

#include "texlist/dds_name.h"
#include "toolkit/portable/path_helpers.h"

namespace texlist {

OpenDialogImport ParseOpenDialogResult(const std::vector<std::string>& chosen) {
  OpenDialogImport result;
  if (chosen.empty()) return result;
  if (chosen.size() == 1) {
    if (IsDdsPath(chosen[0])) {
      result.paths.push_back(chosen[0]);
      result.setLastPath = true;
      result.lastPath = toolkit::ExtractFilePath(chosen[0]);
    }
    return result;
  }
  // The dialog gives the folder without its '\' except for a drive root; the '\' is added
  // without looking, so a root gives two, which the file system accepts.
  const std::string folder = chosen[0] + '\\';
  for (size_t i = 1; i < chosen.size(); ++i) {
    std::string path = folder + chosen[i];
    if (IsDdsPath(path)) result.paths.push_back(std::move(path));
  }
  result.setLastPath = true;
  result.lastPath = folder;
  return result;
}

}  // namespace texlist
