#include "app/settings.h"

#include "toolkit/file_system.h"
#include "toolkit/profile_file.h"

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
  folders.OutputPath = profile.Value(kOutputPathKey, "");
  folders.LastPath = profile.Value(kLastPathKey, "");
  return folders;
}

void WriteSettings(const RememberedFolders& folders) {
  toolkit::ProfileFile profile(SettingsFilePath(), kSection, toolkit::ProfileFile::Mode::Write);
  profile.Value(kOutputPathKey, folders.OutputPath);
  profile.Value(kLastPathKey, folders.LastPath);
}
