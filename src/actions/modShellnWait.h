#pragma once

#include "../platform/processes.h"

#include <string>

namespace qs::actions {

// Starts a command line minimised and returns when its process has ended; events keep running
// meanwhile. A command that cannot be started is passed over.
void RunAndWait(platform::Processes& processes, const std::string& commandLine);
// Waits for the process to end; its exit code, 0 when it cannot be opened.
unsigned WaitForExit(platform::Processes& processes, unsigned processId);

} // namespace qs::actions
