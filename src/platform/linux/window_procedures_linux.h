#pragma once

#include "../message_windows.h"

namespace qs::linuxos {

// Linux has no message windows of its own: the program's windows are numbers, and what the desktop
// tells (the tray's clicks and balloons) is turned into messages to them. No window is asked
// whether the computer may suspend: logind's PrepareForSleep only tells that it will.
using LinuxWindowProcedures = platform::MessageWindows;

} // namespace qs::linuxos
