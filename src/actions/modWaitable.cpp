#include "modWaitable.h"

namespace qs::actions {

void WaitSeconds(platform::Clock& clock, int seconds) {
    WaitMilliseconds(clock, seconds * 1000);
}

void WaitMilliseconds(platform::Clock& clock, int ms) {
    bool done = false;
    const int timer = clock.startTimer(ms, [&done] { done = true; });
    clock.runUntil([&done] { return done; });
    clock.stopTimer(timer);
}

} // namespace qs::actions
