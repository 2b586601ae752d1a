#include "power_fake.h"

#include <utility>

namespace qs::fake {

bool FakePower::call(const std::string& line) {
    transcript_.line(line);
    const auto failure = std::exchange(pendingFailure_, std::nullopt);
    if (auto events = std::exchange(pendingEvents_, nullptr))
        events();
    failureReason_ = failure.value_or("");
    return !failure;
}

bool FakePower::exitWindows(unsigned flags) {
    return call("power ExitWindowsEx " + std::to_string(flags));
}

bool FakePower::setSuspendState(bool hibernate, bool forced, bool disableWake) {
    auto b = [](bool v) { return std::string(v ? "-1" : "0"); };
    return call("power SetSuspendState " + std::string(hibernate ? "1" : "0") + " " + b(forced) + " " + b(disableWake));
}

bool FakePower::lockWorkStation() {
    return call("power LockWorkStation");
}

void FakePower::setShutdownPrivilege(bool enable) {
    transcript_.line(enable ? "privilege on" : "privilege off");
}

} // namespace qs::fake
