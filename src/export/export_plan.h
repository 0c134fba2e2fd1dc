// What an export writes: target names, progress, summary.
#pragma once
#include <string>
#include <vector>

namespace exporter {

// folder + '\' (unless it ends in one) + the DDS file's name without its last extension
// + ".tga".
std::string ExportTargetPath(const std::string& folder, const std::string& ddsPath);

// done / total as a whole percentage, truncated toward zero (1 of 3: 33, 2 of 3: 66),
// within 0..100; 0 for an empty total.
int ProgressPercent(int done, int total);

// Text of the closing message: "Готово!"; when some rows failed, a line with how many of
// how many were not exported; when a later row wrote over a file an earlier row of the
// same name had written, a line with how many such files there were.
std::string ExportSummaryText(int failed, int total, int overwritten);

}  // namespace exporter
