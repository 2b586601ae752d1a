// Carrying out the selected action, and the tray's immediate actions.
#include "../app/flag_scope.h"
#include "../app/frmMain.h"
#include "action_catalogue.h"
#include "modShutdown.h"
#include "modWaitable.h"

namespace qs::app {

using namespace actions;

void frmMain::PerformAction() {
    // The pause and the power call let events run: a second "Now" or a tray click meanwhile
    // must not start the action again.
    if (actionUnderWay_)
        return;
    const FlagScope underWay(actionUnderWay_);
    bool refused = false;
    try {
        g_.ForcedAction = chkForced->value() == 1;
        tmrAction->setEnabled(false);
        const bool fileExists = os_.files.exists(txtExecF->text());
        if (chkExecFile->value() == 1 && fileExists) {
            if (!optExitOption[kKindReminder]->value() && !optExitOption[kKindHibernateAndWake]->value()) {
                os_.processes.shellOpen(txtExecF->text(), 0);
                os_.clock.doEvents();
            }
            hide();
            WaitSeconds(os_, 1);
            os_.clock.doEvents();
            // A cancel in the warning window during the pause has ended the program.
            if (program_.application().ended())
                return;
        }
        for (const int kind :
             {kKindShutdown, kKindRestart, kKindLogOff, kKindHibernate, kKindStandBy, kKindLock, kKindReminder}) {
            if (!optExitOption[kind]->value())
                continue;
            if (kind == kKindReminder)
                ShowReminder();
            else
                refused = !RequestPowerAction(os_.power, kind, g_.ForcedAction);
            break;
        }
    } catch (...) {
        os_.errors.error("frmMain.PerformAction", platform::currentErrorText());
        // Whatever went wrong, the machine must not be left running unattended.
        ShutdownSystem(os_.power, kShutdown, true);
        return;
    }
    // A refusal is no error: the user is told, and the program ends as after the action.
    if (refused)
        ReportRefusal(g_.ActionName);
}

void frmMain::pAction_Click(int index) {
    static const int kinds[] = {kKindShutdown, kKindRestart, kKindLogOff, kKindHibernate, kKindStandBy, kKindLock};
    if (index < 0 || index >= 6 || actionUnderWay_)
        return;
    const FlagScope underWay(actionUnderWay_);
    const int kind = kinds[index];
    if (kind == kKindHibernate && !os_.power.isHibernateAllowed()) {
        EnableHibernationFromTray();
        return;
    }
    if (!RequestPowerAction(os_.power, kind, g_.ForcedAction))
        ReportRefusal(ActionDisplayName(kind));
}

void frmMain::ReportRefusal(const std::string& action) {
    // After a cancel meanwhile the user already knows the action is off.
    if (program_.application().ended())
        return;
    const std::string reason = os_.power.failureReason();
    os_.dialogs.messageBox(action + " could not be carried out." + (reason.empty() ? "" : "\r" + reason),
                           platform::kStyleCritical, g_.AppTitle);
}

} // namespace qs::app
