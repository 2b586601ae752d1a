#include "processes_fake.h"

#include <cctype>
#include <cmath>
#include <utility>

namespace qs::fake {

namespace {

constexpr unsigned kStillActive = 259;

std::string upper(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

} // namespace

bool FakeProcesses::shellOpen(const std::string& file, int showCommand) {
    transcript_.line("shell-open " + quote(file) + " show=" + std::to_string(showCommand));
    return true;
}

unsigned FakeProcesses::startProgram(const std::string& commandLine, int windowStyle) {
    const std::string line = "start " + quote(commandLine) + " style=" + std::to_string(windowStyle);
    if (std::exchange(failNextStart_, false)) {
        transcript_.line(line + " -> failed");
        return 0;
    }
    transcript_.line(line);
    const unsigned pid = nextPid_++;
    Process& process = processes_[pid];
    process.commandLine = commandLine;
    const std::string command = upper(commandLine);
    if (command == "POWERCFG.EXE /HIBERNATE ON" || command == "POWERCFG.EXE /HIBERNATE OFF") {
        if (!std::exchange(powercfgFails_, false))
            process.hibernation = command.ends_with(" ON");
    }
    const auto runMs = static_cast<int>(std::llround(std::exchange(nextRunSeconds_, 0.0) * 1000));
    if (runMs <= 0) {
        end(process);
        return pid;
    }
    process.running = true;
    process.timer = clock_.startTimer(runMs, [this, pid] { end(processes_.at(pid)); });
    return pid;
}

void FakeProcesses::end(Process& process) {
    if (process.timer != 0)
        clock_.stopTimer(std::exchange(process.timer, 0));
    process.running = false;
    if (process.hibernation)
        power_.setHibernateAllowed(*process.hibernation);
}

unsigned FakeProcesses::exitCode(unsigned processId) {
    const auto it = processes_.find(processId);
    return it != processes_.end() && it->second.running ? kStillActive : 0;
}

unsigned FakeProcesses::waitForExit(unsigned processId) {
    const auto it = processes_.find(processId);
    if (it == processes_.end())
        return 0;
    const Process& process = it->second;
    clock_.runUntil([&process] { return !process.running; });
    if (process.running) // the script ended first
        return kStillActive;
    transcript_.line("waited " + quote(process.commandLine));
    return 0;
}

} // namespace qs::fake
