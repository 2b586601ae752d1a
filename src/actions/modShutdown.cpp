#include "modShutdown.h"

#include "../app/modMisc.h"

namespace qs::actions {

bool IsNtFamily(platform::Power& power) {
    return app::GetWindowsVersion(power).Platform == 2;
}

bool ShutdownSystem(platform::Power& power, unsigned code, bool forced) {
    const unsigned flags = code | (forced ? kForce : 0u);
    if (!IsNtFamily(power))
        return power.exitWindows(flags);
    SetShutdownPrivilege(power, true);
    const bool ok = power.exitWindows(flags);
    SetShutdownPrivilege(power, false);
    return ok;
}

bool SuspendSystem(platform::Power& power, int hibernate, bool forced, bool disableWake) {
    return IsNtFamily(power) && power.setSuspendState(hibernate != 0, forced, disableWake);
}

bool LockSystem(platform::Power& power) {
    return IsNtFamily(power) && power.lockWorkStation();
}

void SetShutdownPrivilege(platform::Power& power, bool enable) {
    power.setShutdownPrivilege(enable);
}

} // namespace qs::actions
