// The commands that fill the texture list: "Импортировать DDS-файл(ы) в список...",
// "Импортировать DDS-файлы в список из папки...", files and folders dropped on the list,
// and "Очистить список".
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
  std::string& lastPath;
};

void ImportFiles(ImportContext& context, toolkit::FilePrompt& dialog);
void ImportFolder(ImportContext& context, toolkit::FolderPrompt& chooser);
// Dropped items in drop order: folders are scanned, DDS files added, the rest skipped.
void HandleDroppedFiles(ImportContext& context, const std::vector<std::string>& dropped);

}  // namespace texlist
