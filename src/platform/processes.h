#pragma once

#include <string>

namespace qs::platform {

// Single-instance test, documents and programs.
class Processes {
public:
    virtual ~Processes() = default;

    // True when an earlier copy of this program is running.
    virtual bool anotherInstanceRunning() = 0;
    // ShellExecute "Open": a document, program or web address; showCommand as SW_*.
    virtual bool shellOpen(const std::string& file, int showCommand) = 0;
    // Starts a command line with a window style; returns the process id, 0 on failure.
    virtual unsigned startProgram(const std::string& commandLine, int windowStyle) = 0;
    // The exit code, 259 while still running, 0 when the process cannot be opened.
    virtual unsigned exitCode(unsigned processId) = 0;
    // Runs the event loop until the process ends, waiting on it rather than polling; its exit code,
    // 0 when the process cannot be opened.
    virtual unsigned waitForExit(unsigned processId) = 0;
};

} // namespace qs::platform
