#include "export/export_textures.h"

#include <vector>

#include "app/main_form.h"
#include "converter/run_converter.h"
#include "export/export_plan.h"
#include "toolkit/application.h"
#include "toolkit/file_copy.h"
#include "toolkit/file_system.h"

namespace {

std::vector<int> SelectedRows(toolkit::ListView& list) {
  std::vector<int> rows;
  for (int row = list.FirstSelected(); row >= 0; row = list.NextSelected(row)) {
    if (!rows.empty() && row <= rows.back()) break;  // the list only ever hands them out ascending
    rows.push_back(row);
  }
  return rows;
}

}  // namespace

ExportOutcome ExportTextures(MainForm& form, bool allEntries, const std::string& folder) {
  // The rows are fixed now: the commands that could change the list wait for the export,
  // and a selection made between rows does not change what this export writes.
  const std::vector<int> rows =
      exporter::RowsToExport(allEntries, form.textures.TextureCount(),
                             allEntries ? std::vector<int>() : SelectedRows(*form.FileList));
  ExportOutcome outcome;
  outcome.total = static_cast<int>(rows.size());
  int done = 0;
  int written = 0;
  for (int row : rows) {
    if (row >= form.textures.TextureCount()) break;  // cannot happen while the commands wait
    const std::string ddsPath = form.textures.TexturePaths[static_cast<size_t>(row)].FullPath;
    const ConverterResult output = RunConverterForOutput(ddsPath);
    form.ConverterOutputPath = output.outputPath;
    // Without output there is nothing to write, and an earlier export of the same name
    // stays as it is.
    if (output.produced &&
        toolkit::CopyThroughTemporary(output.outputPath, exporter::ExportTargetPath(folder, ddsPath))) {
      ++written;
    }
    ++done;
    form.ExportProgress->SetPosition(exporter::ProgressPercent(done, outcome.total));
    if (output.produced) toolkit::DeleteFileAt(output.outputPath);
    toolkit::ProcessMessages();
    // The window was closed (its settings are saved): it is destroyed once the message
    // loop sees the end, so write nothing more.
    if (toolkit::Terminated()) {
      outcome.interrupted = true;
      break;
    }
  }
  outcome.failed = outcome.total - written;
  return outcome;
}
