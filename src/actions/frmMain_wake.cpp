// Hibernate and wake: the confirmation, the program's own hibernation with its wake timer, the
// after-wake file, and the answer to the platform's suspend query.
#include "../app/frmMain.h"
#include "../windows/frmMessage.h"
#include "action_catalogue.h"
#include "modShutdown.h"
#include "modWaitable.h"

namespace qs::app {

using namespace actions;

namespace {

constexpr int kStyleYesNoExclamation = 52;
constexpr int kMinimizedNoFocus = 6;      // window style of the after-wake program
constexpr int kShowMinimizedNoActive = 7; // the same, for a document
constexpr int kShortestWakeWait = 60;     // a shorter wait arms no timer
constexpr unsigned kPowerBroadcast = 0x218;
constexpr std::uintptr_t kQuerySuspend = 0;
constexpr std::intptr_t kDenySuspend = 0x424D5144;

} // namespace

void frmMain::ShowHibernateConfirmation() {
    // Its wait lets events run: a second activation meanwhile opens no second window.
    if (confirmation_)
        return;
    windows::frmMessage confirmation(*this);
    confirmation_ = &confirmation;
    confirmation.showModal();
    confirmation_ = nullptr;
}

void frmMain::ResumeHibernate(int SecondsToWait) {
    if (chkBeep->value() == 1)
        BeepDown();
    // Never promise a wake-up the platform cannot give: ask before the computer hibernates.
    if (!os_.wakeTimer.canWake() &&
        os_.dialogs.messageBox("This computer cannot be woken up automatically.\rHibernate anyway?",
                               kStyleYesNoExclamation, g_.AppTitle) != platform::kAnswerYes)
        return;
    // Fires inside the wait below, once the wake timer is armed.
    tmrResume->setEnabled(true);
    if (SecondsToWait >= kShortestWakeWait)
        WaitSeconds(os_, SecondsToWait);
    if (chkBeep->value() == 1)
        BeepUp();
    const std::string file = txtResumeF->text();
    if (chkResumeF->value() == 1 && os_.files.exists(file)) {
        // A document is no program: it is opened with its program instead.
        if (os_.processes.startProgram(file, kMinimizedNoFocus) == 0)
            os_.processes.shellOpen(file, kShowMinimizedNoActive);
        os_.clock.doEvents();
        WaitSeconds(os_, 1);
        os_.clock.doEvents();
    }
}

void frmMain::tmrResume_Timer() {
    tmrResume->setEnabled(false);
    g_.ForcedAction = chkForced->value() == 1;
    SelfHibernating = true;
    SuspendSystem(os_.power, 1, g_.ForcedAction, false);
}

void frmMain::InstallMainWindowProc() {
    mainWindowHooks_ = os_.windowProcedures.createHooks("frmMain");
    const platform::WindowHandle window = os_.windowProcedures.windowOf(*this);
    if (mainWindowHooks_->subclass(window, 0, [this](platform::HookedMessage& m) { MainWindowProc(m); }))
        mainWindowHooks_->watch(window, kPowerBroadcast, platform::kDeliverBefore);
}

void frmMain::RestoreMainWindowProc() {
    if (mainWindowHooks_)
        mainWindowHooks_->releaseAll();
    mainWindowHooks_.reset();
}

// While hibernate and wake is chosen, the platform's own suspend is refused and replaced by the
// program's hibernation, so the wake-up still comes.
void frmMain::MainWindowProc(platform::HookedMessage& m) {
    if (m.before && m.message.message == kPowerBroadcast && m.message.wParam == kQuerySuspend && !SelfHibernating &&
        optExitOption[kKindHibernateAndWake]->value()) {
        tmrResume->setEnabled(true);
        m.handled = true;
        m.result = kDenySuspend;
    }
}

} // namespace qs::app
