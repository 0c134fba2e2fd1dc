// The two remembered folders in "texlook.ini" beside the program.
#pragma once
#include <string>

#include "texlist/window_services.h"

namespace app {

struct RememberedFolders {
  texlist::RememberedFolder outputPath;  // the last export folder
  texlist::RememberedFolder lastPath;    // the last import folder
};

std::string SettingsFilePath();
// The stored folders, none chosen; empty ones when there is no settings file.
RememberedFolders ReadSettings();
// Writes the folders this run chose. One it did not choose keeps what the file holds now
// (another instance may have written it since this one started), or is written empty when
// the file lacks it. A write-protected file or folder only loses this run's folders;
// nothing is retried.
void WriteSettings(const RememberedFolders& folders);

}  // namespace app
