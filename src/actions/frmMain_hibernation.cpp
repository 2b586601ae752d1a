// Choosing an action kind, and switching the platform's hibernation on when it is off.
#include "../app/flag_scope.h"
#include "../app/frmMain.h"
#include "action_catalogue.h"
#include "modShellnWait.h"

namespace qs::app {

using namespace actions;

namespace {

constexpr int kPanelShown = 200;
constexpr int kPanelAway = 2000;
const std::string kHibernateOn = "POWERCFG.EXE /HIBERNATE ON";
const std::string kHibernationQuestion = "Hibernation is currently set to OFF (System default setting)     \r"
                                         "Do you want me to turn it ON for you?";
const std::string kHibernationOn = "Hibernation is now ON     ";
const std::string kHibernationError = "There was an error Enabling Hibernation!     ";

// The options panels share one place in their frame; the other waits out of sight, disabled.
void ShowOptionsPanel(forms::Control& shown, forms::Control& away) {
    shown.setTop(kPanelShown);
    shown.setEnabled(true);
    away.setTop(kPanelAway);
    away.setEnabled(false);
}

} // namespace

void frmMain::WireHibernation() {
    for (int i = 0; i < 8; ++i)
        optExitOption[i]->Click = [this, i] { optExitOption_Click(i); };
    tmrResume->Tick = [this] { tmrResume_Timer(); };
}

void frmMain::optExitOption_Click(int index) {
    if (index != kKindReminder && picOptions[0]->top() != kPanelShown)
        ShowOptionsPanel(*picOptions[0], *picOptions[1]);
    switch (index) {
    case kKindHibernate:
    case kKindHibernateAndWake:
        if (os_.power.isHibernateAllowed())
            g_.ActionName = ActionDisplayName(index);
        // Not when re-selected by the switch itself, which sets the name; nor for an option a
        // settings file chose on a machine that cannot suspend, which start-up then replaces.
        else if (!enablingHibernation_ && optExitOption[index]->enabled())
            EnableHibernation(index);
        break;
    case kKindReminder:
        g_.ActionName = ActionDisplayName(index);
        ShowOptionsPanel(*picOptions[1], *picOptions[0]);
        break;
    default:
        g_.ActionName = ActionDisplayName(index);
        break;
    }
    if (optExitOption[kKindHibernateAndWake]->value()) {
        lblAt->setCaption("Wake at :");
        lblWarn->setCaption("DO NOT TURN OFF THE POWER OF YOUR COMPUTER!!");
        cmdActivate->setCaption("Hibernate and wake...");
        frmeActOpt->setVisible(false);
        frmeHR->setVisible(true);
    } else {
        lblAt->setCaption("At time :");
        cmdActivate->setCaption("&Activate");
        frmeActOpt->setVisible(true);
        frmeHR->setVisible(false);
    }
}

void frmMain::EnableHibernation(int index) {
    // Selecting an option below runs the option handler again, inside this one.
    const FlagScope enabling(enablingHibernation_);
    if (os_.dialogs.messageBox(kHibernationQuestion, platform::kStyleYesNoQuestion, g_.AppTitle) !=
        platform::kAnswerYes) {
        optExitOption[kKindShutdown]->setValue(true);
        g_.ActionName = ActionDisplayName(kKindShutdown);
        return;
    }
    RunAndWait(os_.processes, kHibernateOn);
    // The command's exit code tells nothing; only the platform's answer now does.
    if (!os_.power.isHibernateAllowed()) {
        os_.dialogs.messageBox(kHibernationError, platform::kStyleCritical, g_.AppTitle);
        optExitOption[kKindShutdown]->setValue(true);
        g_.ActionName = ActionDisplayName(kKindShutdown);
        chkHibernate->setValue(0);
        return;
    }
    os_.dialogs.messageBox(kHibernationOn, platform::kStyleInformation, g_.AppTitle);
    optExitOption[index]->setValue(true);
    chkHibernate->setValue(1);
    g_.ActionName = ActionDisplayName(index);
}

// The tray's "Hibernate now" while hibernation is off: the same question, then hibernation at
// once; no option, check box or action name changes.
void frmMain::EnableHibernationFromTray() {
    if (os_.dialogs.messageBox(kHibernationQuestion, platform::kStyleYesNoQuestion, g_.AppTitle) !=
        platform::kAnswerYes)
        return;
    RunAndWait(os_.processes, kHibernateOn);
    if (!os_.power.isHibernateAllowed()) {
        os_.dialogs.messageBox(kHibernationError, platform::kStyleCritical, g_.AppTitle);
        return;
    }
    os_.dialogs.messageBox(kHibernationOn, platform::kStyleInformation, g_.AppTitle);
    if (!RequestPowerAction(os_.power, kKindHibernate, g_.ForcedAction))
        ReportRefusal(ActionDisplayName(kKindHibernate));
}

void frmMain::SelectShutdownInsteadOfHibernation() {
    if (!optExitOption[kKindHibernate]->value() && !optExitOption[kKindHibernateAndWake]->value())
        return;
    optExitOption[kKindShutdown]->setValue(true);
    g_.ActionName = ActionDisplayName(kKindShutdown);
}

} // namespace qs::app
