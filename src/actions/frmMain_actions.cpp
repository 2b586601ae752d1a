// Carrying out the selected action, and the tray's immediate actions.
#include "../app/frmMain.h"
#include "modShutdown.h"
#include "modWaitable.h"

namespace qs::app {

using namespace actions;

void frmMain::PerformAction() {
    try {
        g_.ForcedAction = chkForced->value() == 1;
        tmrAction->setEnabled(false);
        const bool fileExists = os_.files.exists(txtExecF->text());
        if (chkExecFile->value() == 1 && fileExists) {
            if (!optExitOption[7]->value() && !optExitOption[4]->value()) {
                os_.processes.shellOpen(txtExecF->text(), 0);
                os_.clock.doEvents();
            }
            hide();
            WaitSeconds(os_.clock, 1);
            os_.clock.doEvents();
        }
        auto& power = os_.power;
        if (optExitOption[0]->value())
            ShutdownSystem(power, kShutdown, g_.ForcedAction);
        else if (optExitOption[1]->value())
            ShutdownSystem(power, kRestart, g_.ForcedAction);
        else if (optExitOption[2]->value())
            ShutdownSystem(power, kLogOff, g_.ForcedAction);
        else if (optExitOption[3]->value())
            SuspendSystem(power, 1, g_.ForcedAction, false);
        else if (optExitOption[5]->value())
            SuspendSystem(power, 0, g_.ForcedAction, false);
        else if (optExitOption[6]->value())
            LockSystem(power);
        else if (optExitOption[7]->value())
            ShowReminder();
    } catch (...) {
        // Whatever went wrong, the machine must not be left running unattended.
        ShutdownSystem(os_.power, kShutdown, true);
    }
}

void frmMain::pAction_Click(int index) {
    auto& power = os_.power;
    switch (index) {
    case 0:
        ShutdownSystem(power, kShutdown, g_.ForcedAction);
        break;
    case 1:
        ShutdownSystem(power, kRestart, g_.ForcedAction);
        break;
    case 2:
        ShutdownSystem(power, kLogOff, g_.ForcedAction);
        break;
    case 3:
        if (power.isHibernateAllowed())
            SuspendSystem(power, 1, g_.ForcedAction, false);
        else
            EnableHibernationFromTray();
        break;
    case 4:
        SuspendSystem(power, 0, g_.ForcedAction, false);
        break;
    case 5:
        LockSystem(power);
        break;
    default:
        break;
    }
}

} // namespace qs::app
