#include "modWaitable.h"

#include <cstdint>

namespace qs::actions {

namespace {
constexpr std::int64_t kUnitsPerSecond = 10'000'000; // the timer counts in 100-ns units
}

void WaitSeconds(platform::Platform& os, int seconds) {
    // A negative due time is relative to now.
    if (os.wakeTimer.arm(WakeTimerName(os.files), -(seconds * kUnitsPerSecond)))
        os.wakeTimer.waitSignalled();
    else // no timer to wait on: the pause must still last
        WaitMilliseconds(os.clock, seconds * 1000);
    os.wakeTimer.close();
}

void WaitMilliseconds(platform::Clock& clock, int ms) {
    bool done = false;
    const int timer = clock.startTimer(ms, [&done] { done = true; });
    clock.runUntil([&done] { return done; });
    clock.stopTimer(timer);
}

std::string WakeTimerName(platform::Files& files) {
    std::string base = files.exeName();
    if (const size_t dot = base.rfind('.'); dot != std::string::npos)
        base.erase(dot);
    return base + "Timer";
}

} // namespace qs::actions
