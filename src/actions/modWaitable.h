#pragma once

#include "../platform/platform.h"

#include <string>

namespace qs::actions {

// Waits the given seconds on the program's wake timer while the event loop keeps dispatching
// (handlers may run meanwhile); should the computer hibernate or sleep during the wait, the timer
// wakes it at the end.
void WaitSeconds(platform::Platform& os, int seconds);
// A plain wait on the event loop; it cannot wake the computer.
void WaitMilliseconds(platform::Clock& clock, int ms);
// The wake timer's name: the program file's base name followed by "Timer" ("QShutdownTimer").
std::string WakeTimerName(platform::Files& files);

} // namespace qs::actions
