// The commands of the main menu and the list's popup menu, by name.
#pragma once

namespace app {

enum class Command { ImportFiles, ImportFolder, Exit, ClearList, About, ExportSelected, ExportAll };

}  // namespace app
