// The two remembered folders in "texlook.ini" beside the program.
#pragma once
#include <string>

struct RememberedFolders {
  std::string OutputPath;  // the last export folder
  std::string LastPath;    // the last import folder
};

std::string SettingsFilePath();
// Empty folders when there is no settings file.
RememberedFolders ReadSettings();
// A write-protected file or folder only loses this run's folders; nothing is retried.
void WriteSettings(const RememberedFolders& folders);
