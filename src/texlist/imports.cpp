#include "texlist/imports.h"

#include <string>

#include "texlist/dds_name.h"
#include "texlist/import_texts.h"

namespace texlist {

namespace {

const char kOpenDialogTitle[] = "Выберите файл(ы) для импорта в список";
const char kOpenDialogFilter[] = "Файлы DDS (Direct Draw Surface)|*.dds";
const char kChooserTitle[] = "Импорт DDS-файлов из папки (включая подкаталоги):";
const char kNothingFound[] = "Не найдено ни одного файла DDS!";
const char kDdsPattern[] = "*.dds";
const char kLeftOut[] = "Пропущено файлов и папок: ";
const char kLeftOutWhy[] =
    ".\nИх имена содержат символы, которых нет в кодировке системы, а коротких имён (8.3) у них нет.";

// The wait cursor from before the work (pending repaints are handled first: nothing is
// processed while the work runs) to its end.
class WaitingWork {
 public:
  explicit WaitingWork(EventLoop& loop) : loop_(loop) {
    loop_.ShowWaitCursor(true);
    loop_.ProcessMessages();
  }
  ~WaitingWork() { loop_.ShowWaitCursor(false); }
  WaitingWork(const WaitingWork&) = delete;
  WaitingWork& operator=(const WaitingWork&) = delete;

 private:
  EventLoop& loop_;
};

void ReportLeftOut(Messages& messages, int leftOut) {
  if (leftOut > 0) messages.Show(kLeftOut + std::to_string(leftOut) + kLeftOutWhy);
}

}  // namespace

void ImportFiles(ImportContext& context, FilePrompt& dialog) {
  std::vector<std::string> chosen;
  int leftOut = 0;
  if (!dialog.ChooseFiles(kOpenDialogTitle, kOpenDialogFilter, context.lastPath.path, chosen, leftOut))
    return;
  const OpenDialogImport import = ParseOpenDialogResult(chosen);
  std::vector<TextureEntry> entries;
  for (const std::string& path : import.paths) entries.push_back({path, context.files.FileSize(path)});
  context.list.Add(entries);
  if (import.setLastPath) context.lastPath.Choose(import.lastPath);
  ReportLeftOut(context.messages, leftOut);
}

void ImportFolder(ImportContext& context, FolderPrompt& chooser) {
  std::string folder;
  if (!chooser.ChooseFolder(kChooserTitle, context.lastPath.path, folder)) return;
  std::vector<TextureEntry> found;
  int leftOut = 0;
  {
    WaitingWork wait(context.loop);
    leftOut = WalkFolderTree(context.files, folder, kDdsPattern, found);
    context.list.Add(found);
  }
  // Both when both apply: nothing was added, and this is why.
  if (found.empty()) context.messages.Show(kNothingFound);
  ReportLeftOut(context.messages, leftOut);
  context.lastPath.Choose(folder);
}

void HandleDroppedFiles(ImportContext& context, const std::vector<std::string>& dropped, int leftOut) {
  {
    WaitingWork wait(context.loop);
    std::vector<TextureEntry> entries;
    for (const std::string& item : dropped) {
      if (context.files.IsFolder(item)) {
        leftOut += WalkFolderTree(context.files, item, kDdsPattern, entries);
      } else if (IsDdsPath(item)) {
        entries.push_back({item, context.files.FileSize(item)});
      }
    }
    context.list.Add(entries);
  }
  ReportLeftOut(context.messages, leftOut);
}

}  // namespace texlist
