// Starting another program and waiting for it.
#pragma once
#include <string>

namespace toolkit {

// Abandoned: the application was told to end during the wait, and the program was ended.
enum class StartResult { Finished, StartFailed, WaitFailed, Abandoned };
// Starts the program `file` with the given parameters and working folder, hidden and
// without a console, and waits for it to end without a time-out. The
// thread's messages are handled meanwhile, so that the windows paint and answer; callers
// keep out what must not run then.
StartResult RunHiddenAndWait(const std::string& file, const std::string& parameters,
                             const std::string& folder);

}  // namespace toolkit
