#include "modWaitable.h"

namespace qs::actions {

void WaitSeconds(platform::Clock& clock, int seconds) {
    bool done = false;
    const int timer = clock.startTimer(seconds * 1000, [&done] { done = true; });
    clock.runUntil([&done] { return done; });
    clock.stopTimer(timer);
}

} // namespace qs::actions
