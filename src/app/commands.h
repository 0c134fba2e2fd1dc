// The commands of the main menu and the list's popup menu, by name.
#pragma once

enum class Command { ImportFiles, ImportFolder, Exit, ClearList, About, ExportSelected, ExportAll };
