// DDS test by file name.
#include "texlist/dds_name.h"

#include "toolkit/portable/path_helpers.h"

namespace texlist {

bool IsDdsPath(const std::string& path) {
  return toolkit::AsciiUpperCase(toolkit::ExtractFileExt(path)) == ".DDS";
}

}  // namespace texlist
