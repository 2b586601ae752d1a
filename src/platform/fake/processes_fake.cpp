#include "processes_fake.h"

namespace qs::fake {

bool FakeProcesses::shellOpen(const std::string& file, int showCommand) {
    transcript_.line("shell-open " + quote(file) + " show=" + std::to_string(showCommand));
    return true;
}

unsigned FakeProcesses::startProgram(const std::string& commandLine, int windowStyle) {
    transcript_.line("start " + quote(commandLine) + " style=" + std::to_string(windowStyle));
    return nextPid_++;
}

} // namespace qs::fake
