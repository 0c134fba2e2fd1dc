// Starting another program and waiting for it.
#pragma once
#include <string>

namespace toolkit {

enum class StartResult { Finished, StartFailed, WaitFailed };
// Starts `file` with the verb "Open", the given parameters and working folder, hidden
// (no user interface of the shell's), and waits for it to end without a time-out.
StartResult RunHiddenAndWait(const std::string& file, const std::string& parameters,
                             const std::string& folder);

}  // namespace toolkit
