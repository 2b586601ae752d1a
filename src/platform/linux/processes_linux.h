#pragma once

#include "../processes.h"

#include <map>
#include <memory>
#include <optional>

class QSocketNotifier;

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
    // A web address or a file through the desktop's opener (xdg-open), a link as its target; a
    // program is run instead.
    bool shellOpen(const std::string& file, int showCommand) override;
    // The program becomes our child, reaped as soon as it ends (whether or not anyone waits), so
    // that its exit code stays known. Window styles mean nothing to a Linux program and are ignored.
    unsigned startProgram(const std::string& commandLine, int windowStyle) override;
    unsigned exitCode(unsigned processId) override;
    // Runs a nested event loop until a pidfd on the process says it has ended (Linux 5.3 and later).
    unsigned waitForExit(unsigned processId) override;

    static constexpr unsigned kStillActive = 259;

private:
    // A started program that has not been reaped yet: a pidfd, readable once it has ended.
    struct Child {
        int pidfd = -1;
        std::unique_ptr<QSocketNotifier> notifier;
    };

    // Collects the child's exit code once it has ended.
    void reap(unsigned processId);

    std::string lockPath_;
    int lockFd_ = -1;
    std::optional<bool> another_;
    std::map<unsigned, Child> children_;
    std::map<unsigned, unsigned> ended_; // children reaped, with their exit codes
};

} // namespace qs::linuxos
