// The two remembered folders in "texlook.ini" beside the program.
#pragma once
#include <string>

struct MainForm;

std::string SettingsFilePath();
void LoadSettings(MainForm& form);
// Writes both folders; at most once per run (close or end of the Windows session).
void SaveSettings(MainForm& form);
