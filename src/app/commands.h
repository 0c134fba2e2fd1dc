// The commands of the main menu and the list's popup menu, by name. A command's value is its
// number above the menus' first identifier: outside tools post these identifiers
// (4097-4104), so each stays fixed; 3 names no command.
#pragma once

namespace app {

enum class Command : unsigned {
  ImportFiles = 1,
  ImportFolder = 2,
  Exit = 4,
  ClearList = 5,
  About = 6,
  ExportSelected = 7,
  ExportAll = 8,
};

}  // namespace app
