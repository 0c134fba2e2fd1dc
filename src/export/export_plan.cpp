// Target names, row order, progress and summary of an export.
#include "export/export_plan.h"

#include <cstddef>
#include <cstdint>

#include "toolkit/portable/path_helpers.h"

namespace exporter {

std::string ExportTargetPath(const std::string& folder, const std::string& ddsPath) {
  return toolkit::WithTrailingBackslash(folder) + toolkit::FileNameWithoutExt(ddsPath) + ".tga";
}

int ProgressPercent(int done, int total) {
  if (total <= 0 || done <= 0) return 0;
  if (done >= total) return 100;
  // The true quotient truncated, in integers: a double quotient times 100 falls just
  // short for some fractions (29 of 100 gave 28 with SSE doubles, 29 with x87), so the
  // bar would depend on the floating-point unit.
  return static_cast<int>(static_cast<int64_t>(done) * 100 / total);
}

std::string ExportSummaryText(int failed, int total, int overwritten) {
  std::string text = "Готово!";
  if (failed > 0) {
    text += "\nНе экспортировано файлов: " + toolkit::IntToDecimal(failed) + " из " +
            toolkit::IntToDecimal(total);
  }
  if (overwritten > 0) {
    text += "\nЗаменено файлами с тем же именем из следующих строк: " + toolkit::IntToDecimal(overwritten);
  }
  return text;
}

}  // namespace exporter
