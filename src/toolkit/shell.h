// Shell services: the system about box and starting a program hidden.
#pragma once
#include <string>

namespace toolkit {

class Form;

void ShowAboutBox(Form& owner, const std::string& appText, const std::string& otherText);

enum class StartResult { Finished, StartFailed, WaitFailed };
// Starts `file` with the verb "Open", the given parameters and working folder, hidden
// (ShellExecuteExA without UI), and waits for it to end without a time-out.
StartResult RunHiddenAndWait(const std::string& file, const std::string& parameters, const std::string& folder);

}  // namespace toolkit
