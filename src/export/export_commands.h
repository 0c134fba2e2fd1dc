// The two export commands of the list's popup menu, "Экспортировать выбранное в TGA ..."
// and "Экспортировать все в TGA...", and their worker.
#pragma once
#include <string>
#include <vector>

#include "converter/converter_runner.h"
#include "texlist/texture_list.h"
#include "texlist/window_services.h"

namespace exporter {

// The export progress bar, 0 to 100.
class ProgressDisplay {
 public:
  virtual ~ProgressDisplay() = default;
  virtual void SetProgress(int percent) = 0;
};

// Writing one converter output as an export target.
class TargetFiles {
 public:
  virtual ~TargetFiles() = default;
  // The target ends up either as it was or as a complete copy of the source; false when
  // it was not written.
  virtual bool Write(const std::string& source, const std::string& target) = 0;
  // True when both paths name one existing file.
  virtual bool SameFile(const std::string& a, const std::string& b) = 0;
  // The path as the file system compares names: equal for two spellings of one file.
  virtual std::string ComparedName(const std::string& path) = 0;
};

// What the export works with; `outputPath` is the remembered export folder.
struct ExportContext {
  texlist::TextureList& list;
  texlist::FolderPrompt& chooser;
  texlist::Messages& messages;
  ProgressDisplay& progress;
  texlist::EventLoop& loop;
  converter::ConverterRunner& converter;
  TargetFiles& files;
  texlist::RememberedFolder& outputPath;
};

void ExportSelected(ExportContext& context);
void ExportAll(ExportContext& context);

struct ExportOutcome {
  int total = 0;             // rows the export set out to write
  int failed = 0;            // rows without a written target
  int overwritten = 0;       // targets written again by a later row of the same name
  bool interrupted = false;  // the application was told to end between two rows
};

// Exports `rows` in order into `folder`. Moves the progress bar after every row and lets
// pending messages through; stops after the row in which the application was told to end.
ExportOutcome ExportTextures(ExportContext& context, const std::vector<int>& rows, const std::string& folder);

}  // namespace exporter
