// Reading the open dialog's result into the files to add.
#pragma once
#include <string>
#include <vector>

namespace texlist {

struct OpenDialogImport {
  std::vector<std::string> paths;  // DDS files to add, in the dialog's order
  bool setLastPath = false;        // whether the remembered import folder changes
  std::string lastPath;            // its new value when setLastPath
};

// The open dialog's result: one full path, or a folder followed by names. One path: taken
// if it is a DDS path, and only then its folder (with its '\') becomes the remembered
// folder. Several: each path is folder + '\' + name, the '\' added even after a drive
// root; the remembered folder becomes folder + '\' whatever was taken.
OpenDialogImport ParseOpenDialogResult(const std::vector<std::string>& chosen);

}  // namespace texlist
