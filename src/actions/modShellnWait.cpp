#include "modShellnWait.h"

namespace qs::actions {

namespace {
constexpr int kMinimizedFocus = 2;
}

void RunAndWait(platform::Processes& processes, const std::string& commandLine) {
    // Callers judge the outcome by the platform's state afterwards, never by the exit code.
    if (const unsigned processId = processes.startProgram(commandLine, kMinimizedFocus))
        WaitForExit(processes, processId);
}

unsigned WaitForExit(platform::Processes& processes, unsigned processId) {
    return processes.waitForExit(processId);
}

} // namespace qs::actions
