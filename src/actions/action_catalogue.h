#pragma once

#include "../platform/power.h"

#include <string>

namespace qs::actions {

// The action kinds, by their index in the main window's optExitOption.
enum ActionKind : int {
    kKindShutdown = 0,
    kKindRestart = 1,
    kKindLogOff = 2,
    kKindHibernate = 3,
    kKindHibernateAndWake = 4,
    kKindStandBy = 5,
    kKindLock = 6,
    kKindReminder = 7,
};

// The display name of a kind as ActionName holds it ("Stand by", "Hibernate && Wake").
std::string ActionDisplayName(int kind);

// Asks the platform for a shutdown, restart, log off, hibernate, stand by or lock; other kinds
// ask nothing. False only when the platform was asked and refused: outside the NT family
// suspend and lock make no call, so nothing is refused there.
bool RequestPowerAction(platform::Power& power, int kind, bool forced);

} // namespace qs::actions
