#include "app/export_files.h"

#include "toolkit/portable/file_copy.h"
#include "toolkit/portable/file_system.h"

namespace app {

bool ExportFiles::Write(const std::string& source, const std::string& target) {
  return toolkit::CopyThroughTemporary(source, target);
}

bool ExportFiles::SameFile(const std::string& a, const std::string& b) { return toolkit::SameFile(a, b); }

std::string ExportFiles::ComparedName(const std::string& path) { return toolkit::FileSystemUpperCase(path); }

}  // namespace app
