#pragma once

#include "../../src/platform/fake/clock_fake.h"

namespace qs::fake {

// Lets a wait on the fake clock move time on by `step` seconds a turn, counting the turns in
// `steps`; a wait still running after ten turns fails instead of hanging the test.
inline void stepWaits(FakeClock& clock, double step, int& steps) {
    clock.setPump([&clock, step, &steps] {
        if (++steps > 10)
            return false;
        clock.advance(step);
        return true;
    });
}

} // namespace qs::fake
