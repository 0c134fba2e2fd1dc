#include "app/settings.h"

#include "toolkit/portable/file_system.h"
#include "toolkit/portable/profile_file.h"

namespace app {

namespace {
const char kSection[] = "Folders";
const char kOutputPathKey[] = "Output path";
const char kLastPathKey[] = "Last path";
}  // namespace

std::string SettingsFilePath() { return toolkit::ProgramFolder() + "texlook.ini"; }

RememberedFolders ReadSettings() {
  RememberedFolders folders;
  const std::string file = SettingsFilePath();
  if (!toolkit::FileExists(file)) return folders;
  toolkit::ProfileFile profile(file, kSection, toolkit::ProfileFile::Mode::Read);
  folders.outputPath.path = profile.Value(kOutputPathKey, "");
  folders.lastPath.path = profile.Value(kLastPathKey, "");
  return folders;
}

void WriteSettings(const RememberedFolders& folders) {
  toolkit::ProfileFile profile(SettingsFilePath(), kSection, toolkit::ProfileFile::Mode::Write);
  // In this order: the order in which a new file lists them.
  for (const auto& [key, folder] : {std::make_pair(kOutputPathKey, &folders.outputPath),
                                    std::make_pair(kLastPathKey, &folders.lastPath)}) {
    if (folder->chosen || !profile.Holds(key)) profile.Value(key, folder->chosen ? folder->path : "");
  }
}

}  // namespace app
