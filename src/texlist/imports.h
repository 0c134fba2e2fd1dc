// The commands that fill the texture list: "Импортировать DDS-файл(ы) в список...",
// "Импортировать DDS-файлы в список из папки...", files and folders dropped on the list,
// and "Очистить список". Each import ends with one message saying how many files and
// folders it left out because no name the program can hold stands for them.
#pragma once
#include <string>
#include <vector>

#include "texlist/folder_walk.h"
#include "texlist/texture_list.h"
#include "toolkit/window_parts.h"

namespace texlist {

// What the imports work with besides the list; `lastPath` is the remembered import folder.
struct ImportContext {
  TextureList& list;
  FolderSource& files;
  toolkit::Messages& messages;
  toolkit::EventLoop& loop;
  toolkit::RememberedFolder& lastPath;
};

void ImportFiles(ImportContext& context, toolkit::FilePrompt& dialog);
void ImportFolder(ImportContext& context, toolkit::FolderPrompt& chooser);
// Dropped items in drop order: folders are scanned, DDS files added, the rest skipped.
// `leftOut` counts the dropped items the drop could not name.
void HandleDroppedFiles(ImportContext& context, const std::vector<std::string>& dropped, int leftOut);

}  // namespace texlist
