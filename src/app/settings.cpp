#include "app/settings.h"

#include "app/main_form.h"
#include "toolkit/file_system.h"
#include "toolkit/profile_file.h"

namespace {
const char kSection[] = "Folders";
const char kOutputPathKey[] = "Output path";
const char kLastPathKey[] = "Last path";
}  // namespace

std::string SettingsFilePath() { return toolkit::ProgramFolder() + "texlook.ini"; }

void LoadSettings(MainForm& form) {
  const std::string file = SettingsFilePath();
  if (!toolkit::FileExists(file)) return;
  toolkit::ProfileFile profile(file, kSection, toolkit::ProfileFile::Mode::Read);
  form.OutputPath = profile.Value(kOutputPathKey, "");
  form.LastPath = profile.Value(kLastPathKey, "");
}

void SaveSettings(MainForm& form) {
  if (form.settingsSaved) return;
  form.settingsSaved = true;
  // A write-protected file or folder only loses this run's folders; nothing is retried.
  toolkit::ProfileFile profile(SettingsFilePath(), kSection, toolkit::ProfileFile::Mode::Write);
  profile.Value(kOutputPathKey, form.OutputPath);
  profile.Value(kLastPathKey, form.LastPath);
}
