// Whether a converter output file was written by the run that just ended.
#pragma once
#include <cstdint>

namespace converter {

// What the file system says about one file at one moment.
struct FileStamp {
  bool exists = false;
  uint64_t size = 0;
  uint64_t writeTime = 0;
};

// True when the file exists after the run and did not exist before it, or changed size or
// write time: only then may the caller use it and delete it.
bool ConverterWroteFile(const FileStamp& before, const FileStamp& after);

}  // namespace converter
