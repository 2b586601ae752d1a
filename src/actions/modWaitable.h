#pragma once

#include "../platform/clock.h"

namespace qs::actions {

// Waits the given seconds while the event loop keeps dispatching (handlers may run meanwhile).
void WaitSeconds(platform::Clock& clock, int seconds);
void WaitMilliseconds(platform::Clock& clock, int ms);

} // namespace qs::actions
