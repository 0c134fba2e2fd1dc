#include "export/export_commands.h"

#include <set>

#include "export/export_plan.h"

namespace exporter {

namespace {

const char kTitleAll[] = "Экспортировать файлы в папку:";
const char kTitleSelected[] = "Экспортировать файл(ы) в папку:";

void RunExport(ExportContext& context, bool allEntries) {
  texlist::TextureList& list = context.list;
  // The rows are fixed now: the commands that could change the list wait for the export,
  // and a selection made between rows does not change what this export writes.
  std::vector<int> rows;
  if (allEntries) {
    for (int row = 0; row < list.TextureCount(); ++row) rows.push_back(row);
  } else {
    rows = list.SelectedRows();
  }
  if (rows.empty()) return;
  // A stale output would otherwise be taken for the first row's.
  context.converter.DeleteStaleOutput();
  std::string folder;
  if (!context.chooser.ChooseFolder(allEntries ? kTitleAll : kTitleSelected, context.outputPath.path, folder))
    return;
  // Remembered before the rows run: closing the window during the export saves the
  // settings there and then, and they must hold this folder.
  context.outputPath.Choose(folder);
  const ExportOutcome outcome = ExportTextures(context, rows, folder);
  if (outcome.interrupted) return;  // the window is closing; nobody is left to tell
  context.messages.Show(ExportSummaryText(outcome.failed, outcome.total, outcome.overwritten));
  context.progress.SetProgress(0);
}

}  // namespace

void ExportSelected(ExportContext& context) { RunExport(context, false); }
void ExportAll(ExportContext& context) { RunExport(context, true); }

ExportOutcome ExportTextures(ExportContext& context, const std::vector<int>& rows,
                             const std::string& folder) {
  ExportOutcome outcome;
  outcome.total = static_cast<int>(rows.size());
  int done = 0;
  int written = 0;
  std::set<std::string> targets;
  for (int row : rows) {
    const std::string ddsPath = context.list.FullPath(row);
    const std::string target = ExportTargetPath(folder, ddsPath);
    const converter::ConverterOutput output = context.converter.Run(ddsPath);
    // The converter may have written its output where the target is (test.dds exported
    // beside itself): then the output is the export and stays.
    const bool outputIsTarget = output.produced && context.files.SameFile(output.path, target);
    // Without output there is nothing to write, and an earlier export of the same name
    // stays as it is.
    if (outputIsTarget || (output.produced && context.files.Write(output.path, target))) {
      ++written;
      if (!targets.insert(context.files.ComparedName(target)).second) ++outcome.overwritten;
    }
    ++done;
    context.progress.SetProgress(ProgressPercent(done, outcome.total));
    if (!outputIsTarget) context.converter.Discard(output);
    // The window was closed (its settings are saved): it is destroyed once the message
    // loop sees the end, so write nothing more.
    if (!context.loop.ProcessMessages()) {
      outcome.interrupted = true;
      break;
    }
  }
  outcome.failed = outcome.total - written;
  return outcome;
}

}  // namespace exporter
