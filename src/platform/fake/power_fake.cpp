#include "power_fake.h"

namespace qs::fake {

bool FakePower::exitWindows(unsigned flags) {
    transcript_.line("power ExitWindowsEx " + std::to_string(flags));
    return true;
}

bool FakePower::setSuspendState(bool hibernate, bool forced, bool disableWake) {
    auto b = [](bool v) { return std::string(v ? "-1" : "0"); };
    transcript_.line("power SetSuspendState " + std::string(hibernate ? "1" : "0") + " " + b(forced) + " " +
                     b(disableWake));
    return true;
}

bool FakePower::lockWorkStation() {
    transcript_.line("power LockWorkStation");
    return true;
}

void FakePower::setShutdownPrivilege(bool enable) {
    transcript_.line(enable ? "privilege on" : "privilege off");
}

} // namespace qs::fake
