// Decision about a converter output file.
#include "converter/converter_output.h"

namespace converter {

// A file that was there before the run and is unchanged is someone else's: it is neither
// shown nor exported nor deleted.
bool ConverterWroteFile(const FileStamp& before, const FileStamp& after) {
  if (!after.exists) return false;
  return !before.exists || before.size != after.size || before.writeTime != after.writeTime;
}

}  // namespace converter
