#pragma once

#include "../processes.h"

#include <map>
#include <optional>

namespace qs::linuxos {

class LinuxProcesses : public platform::Processes {
public:
    // An empty lockPath means $XDG_RUNTIME_DIR/quorrel-shutdown.lock, else /tmp/quorrel-shutdown-$UID.lock.
    explicit LinuxProcesses(std::string lockPath = {});
    ~LinuxProcesses() override;
    LinuxProcesses(const LinuxProcesses&) = delete;
    LinuxProcesses& operator=(const LinuxProcesses&) = delete;

    // Takes an exclusive lock on the lock file and keeps it while this object lives.
    bool anotherInstanceRunning() override;
    bool shellOpen(const std::string& file, int showCommand) override;
    unsigned startProgram(const std::string& commandLine, int windowStyle) override;
    unsigned exitCode(unsigned processId) override;
    unsigned waitForExit(unsigned) override { return 0; } // SCAFFOLD

    static constexpr unsigned kStillActive = 259;

private:
    std::string lockPath_;
    int lockFd_ = -1;
    std::optional<bool> another_;
    std::map<unsigned, unsigned> ended_; // children reaped, with their exit codes
};

} // namespace qs::linuxos
