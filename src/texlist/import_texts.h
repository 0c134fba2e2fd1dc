// Reading the result texts of the open dialog and of a drop into lists of paths.
#pragma once
#include <string>
#include <vector>

namespace texlist {

// The pieces of `text` between carriage returns, in order. Empty pieces (and so an empty
// text) give no item: an empty path is neither a folder nor a DDS file.
std::vector<std::string> SplitOnCarriageReturn(const std::string& text);

struct OpenDialogImport {
  std::vector<std::string> paths;  // DDS files to add, in the dialog's order
  bool setLastPath = false;        // whether the remembered import folder changes
  std::string lastPath;            // its new value when setLastPath
};

// The open dialog's result: one full path, or a folder followed by names, separated by CR.
// One path: taken if it is a DDS path, and only then its folder (with its '\') becomes the
// remembered folder. Several: each path is folder + '\' + name, the '\' added even after a
// drive root; the remembered folder becomes folder + '\' whatever was taken.
OpenDialogImport ParseOpenDialogResult(const std::string& fileName);

}  // namespace texlist
