#include "action_catalogue.h"

#include "modShutdown.h"

namespace qs::actions {

std::string ActionDisplayName(int kind) {
    static const char* const names[] = {"Shutdown",          "Restart",  "Log Off", "Hibernate",
                                        "Hibernate && Wake", "Stand by", "Lock PC", "Reminder"};
    return kind >= 0 && kind < 8 ? names[kind] : "";
}

bool RequestPowerAction(platform::Power& power, int kind, bool forced) {
    switch (kind) {
    case kKindShutdown:
        return ShutdownSystem(power, kShutdown, forced);
    case kKindRestart:
        return ShutdownSystem(power, kRestart, forced);
    case kKindLogOff:
        return ShutdownSystem(power, kLogOff, forced);
    case kKindHibernate:
    case kKindStandBy:
        return SuspendSystem(power, kind == kKindHibernate ? 1 : 0, forced, false) || !IsNtFamily(power);
    case kKindLock:
        return LockSystem(power) || !IsNtFamily(power);
    default:
        return true;
    }
}

} // namespace qs::actions
