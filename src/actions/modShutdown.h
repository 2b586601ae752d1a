#pragma once

#include "../platform/power.h"

namespace qs::actions {

// Session-end codes of ExitWindowsEx; kForce is added for a forced action.
enum ShutdownCode : unsigned { kLogOff = 0, kShutdown = 1, kRestart = 2, kForce = 4 };

// Suspend and lock exist on the NT family only.
bool IsNtFamily(platform::Power& power);
// Ends the session; on the NT family with the shutdown privilege switched on around the call.
bool ShutdownSystem(platform::Power& power, unsigned code, bool forced);
// Hibernates (1) or stands by (0); the NT family only.
bool SuspendSystem(platform::Power& power, int hibernate, bool forced, bool disableWake);
// Locks the workstation; the NT family only.
bool LockSystem(platform::Power& power);
void SetShutdownPrivilege(platform::Power& power, bool enable);

} // namespace qs::actions
