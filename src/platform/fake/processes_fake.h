#pragma once

#include "../processes.h"
#include "clock_fake.h"
#include "power_fake.h"
#include "transcript.h"

#include <map>
#include <optional>

namespace qs::fake {

// Started programs run on the virtual clock: for no time unless told otherwise. The commands
// that switch hibernation on and off change FakePower's answer when they end.
class FakeProcesses : public platform::Processes {
public:
    FakeProcesses(Transcript& t, FakeClock& clock, FakePower& power) : transcript_(t), clock_(clock), power_(power) {}

    void setAnotherInstance(bool on) { another_ = on; }
    // The next program started runs this long.
    void setNextRunSeconds(double seconds) { nextRunSeconds_ = seconds; }
    // The next program cannot be started.
    void failNextStart() { failNextStart_ = true; }
    // Whether the next POWERCFG command changes the hibernation answer (it is started either way).
    void setPowercfgWorks(bool on) { powercfgFails_ = !on; }

    bool anotherInstanceRunning() override { return another_; }
    bool shellOpen(const std::string& file, int showCommand) override;
    unsigned startProgram(const std::string& commandLine, int windowStyle) override;
    // Started programs end with exit code 0.
    unsigned exitCode(unsigned processId) override;
    unsigned waitForExit(unsigned processId) override;

private:
    struct Process {
        std::string commandLine;
        bool running = false;
        int timer = 0;
        std::optional<bool> hibernation; // what the command sets when it ends
    };
    void end(Process& process);

    Transcript& transcript_;
    FakeClock& clock_;
    FakePower& power_;
    bool another_ = false;
    double nextRunSeconds_ = 0;
    bool failNextStart_ = false;
    bool powercfgFails_ = false;
    unsigned nextPid_ = 1000;
    std::map<unsigned, Process> processes_;
};

} // namespace qs::fake
