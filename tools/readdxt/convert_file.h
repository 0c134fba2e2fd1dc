// One DDS file to one TGA or PNG file that appears only when complete.
#pragma once
#include <string>

#include "readdxt/failure.h"

namespace readdxt {

bool ConvertFile(const std::string& input, const std::string& output, bool png, bool threaded,
                 Failure& failure);

}  // namespace readdxt
