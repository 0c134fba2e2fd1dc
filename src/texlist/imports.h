// The commands that fill the texture list: "Импортировать DDS-файл(ы) в список...",
// "Импортировать DDS-файлы в список из папки...", files and folders dropped on the list,
// and "Очистить список". Each import ends with one message saying how many files and
// folders it left out because no name the program can hold stands for them.
#pragma once
#include <string>
#include <vector>

#include "texlist/folder_walk.h"
#include "texlist/texture_list.h"
#include "texlist/window_services.h"

namespace texlist {

// The open dialog: true when the user confirmed. `chosen` holds what the dialog returns:
// one full path, or the folder followed by the chosen names; `leftOut` counts the chosen
// files left out of it because no name the program can hold stands for them.
class FilePrompt {
 public:
  virtual ~FilePrompt() = default;
  virtual bool ChooseFiles(const std::string& title, const std::string& filter, const std::string& initialDir,
                           std::vector<std::string>& chosen, int& leftOut) = 0;
};

// What the imports work with besides the list; `lastPath` is the remembered import folder.
struct ImportContext {
  TextureList& list;
  FolderSource& files;
  Messages& messages;
  EventLoop& loop;
  RememberedFolder& lastPath;
};

void ImportFiles(ImportContext& context, FilePrompt& dialog);
void ImportFolder(ImportContext& context, FolderPrompt& chooser);
// Dropped items in drop order: folders are scanned, DDS files added, the rest skipped.
// `leftOut` counts the dropped items the drop could not name.
void HandleDroppedFiles(ImportContext& context, const std::vector<std::string>& dropped, int leftOut);

}  // namespace texlist
