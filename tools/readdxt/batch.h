// `readdxt -r FOLDER -d OUTDIR`: every DDS file below FOLDER converted into the same place
// below OUTDIR, one file per worker thread.
#pragma once
#include <string>

namespace readdxt {

struct BatchOptions {
  std::string folder, outDir;
  bool png = false;
  bool force = false;  // replace existing outputs instead of skipping them
  unsigned jobs = 0;   // 0: one per core
};

// Progress and failures on standard error; returns the exit code: 0 when every file was
// converted, else that of the first file (in name order) that was not (3 for a skipped one).
int RunBatch(const BatchOptions& options);

}  // namespace readdxt
