#pragma once

#include "../processes.h"
#include "clock_win.h"

#include <map>
#include <optional>
#include <windows.h>

namespace qs::win32 {

class Win32Processes : public platform::Processes {
public:
    // The clock's loop runs while a process is waited for.
    explicit Win32Processes(Win32Clock& clock, std::string mutexName = "QuorrelShutdown22.Instance");
    ~Win32Processes() override;
    Win32Processes(const Win32Processes&) = delete;
    Win32Processes& operator=(const Win32Processes&) = delete;

    // Creates the named mutex on the first call and holds it while this object lives; the
    // answer stays the same afterwards.
    bool anotherInstanceRunning() override;
    bool shellOpen(const std::string& file, int showCommand) override;
    unsigned startProgram(const std::string& commandLine, int windowStyle) override;
    unsigned exitCode(unsigned processId) override;
    unsigned waitForExit(unsigned processId) override;

private:
    Win32Clock& clock_;
    std::string mutexName_;
    HANDLE mutex_ = nullptr;
    std::optional<bool> another_;
    // The programs started here stay open, so their exit codes can still be read once they
    // have ended (an ended process with no handle left is gone, and its id with it).
    std::map<unsigned, HANDLE> started_;
};

} // namespace qs::win32
