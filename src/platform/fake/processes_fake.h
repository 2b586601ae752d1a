#pragma once

#include "../processes.h"
#include "transcript.h"

namespace qs::fake {

class FakeProcesses : public platform::Processes {
public:
    explicit FakeProcesses(Transcript& t) : transcript_(t) {}

    void setAnotherInstance(bool on) { another_ = on; }

    bool anotherInstanceRunning() override { return another_; }
    bool shellOpen(const std::string& file, int showCommand) override;
    unsigned startProgram(const std::string& commandLine, int windowStyle) override;
    // Started programs end at once with exit code 0.
    unsigned exitCode(unsigned) override { return 0; }
    unsigned waitForExit(unsigned) override { return 0; } // SCAFFOLD

private:
    Transcript& transcript_;
    bool another_ = false;
    unsigned nextPid_ = 1000;
};

} // namespace qs::fake
