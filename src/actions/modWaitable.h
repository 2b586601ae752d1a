#pragma once

#include "../platform/clock.h"

namespace qs::actions {

// Waits the given seconds while the event loop keeps dispatching (handlers may run meanwhile).
void WaitSeconds(platform::Clock& clock, int seconds);

} // namespace qs::actions
