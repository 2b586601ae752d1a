// Activation, deactivation and the one-second action countdown.
#include "../windows/frmAction.h"
#include "../windows/frmAlarm.h"
#include "frmMain.h"
#include "numbers.h"

#include <cctype>
#include <cstdio>

namespace qs::app {

namespace {

const std::string kActivate = "&Activate";
const std::string kDeactivate = "De&activate";
const std::string kHibernateAndWake = "Hibernate and wake...";

std::string upper(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

} // namespace

// "05 Dec 2026", with the regional month name.
std::string frmMain::FormatDate(DateTime t) {
    char day[4];
    std::snprintf(day, sizeof day, "%02d", t.day());
    return std::string(day) + " " + os_.clock.monthAbbrev(t.month()) + " " + std::to_string(t.year());
}

// "02:30:00 PM".
std::string frmMain::FormatTime(DateTime t) {
    const int h12 = t.hour() % 12 == 0 ? 12 : t.hour() % 12;
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d %s", h12, t.minute(), t.second(), t.hour() < 12 ? "AM" : "PM");
    return buf;
}

void frmMain::cmdActivate_Click() {
    const std::string caption = cmdActivate->caption();
    if (caption == kActivate) {
        if (!Activate())
            return;
    } else if (caption == kHibernateAndWake) {
        if (CalcSeconds() < 120) {
            os_.dialogs.messageBox("The wake up time is less than 2 minutes!\r"
                                   "Please increase the wake up time and try again.    ",
                                   platform::kStyleCritical, g_.AppTitle);
            return;
        }
        ShowHibernateConfirmation();
    } else {
        Deactivate();
    }
    mnu_activate->setCaption(cmdActivate->caption());
    pActivate->setCaption(cmdActivate->caption());
}

bool frmMain::Activate() {
    switch (CalcActionDate()) {
    case ScheduleResult::NoWeekDay:
        os_.dialogs.messageBox("Selectd days to perform action!    ", platform::kStyleExclamation, g_.AppTitle);
        return false;
    case ScheduleResult::NoSchedule:
        // Only an odd settings file leaves the run mode or the unit unselected.
        os_.dialogs.messageBox("Select a run mode and a time unit to perform the action!    ",
                               platform::kStyleExclamation, g_.AppTitle);
        return false;
    case ScheduleResult::Ok:
        break;
    }
    const DateTime due = g_.ActionDate;
    cmdActivate->setCaption(kDeactivate);
    lblActionTime->setCaption("Action: " + g_.ActionName + "\r\r" + os_.clock.dayName(due.weekday()) + ", " +
                              FormatDate(due) + "\r\rTime : " + FormatTime(due));
    ArrangeFrames(true);
    TraySetIcon(true);
    if (chkShowBalloon->value() == 1)
        TrayBalloon(g_.ActionName + " will be performed\ron: " + upper(FormatDate(due)) + ", at: " + FormatTime(due),
                    5000);
    tmrAction->setEnabled(true);
    frmeAction->setEnabled(false);
    frmeSch->setEnabled(false);
    frmeSch->setVisible(false);
    frmeActOpt->setEnabled(false);
    mnu_help->setEnabled(false);
    mnu_settings->setEnabled(false);
    mnu_update->setEnabled(false);
    pAbout->setEnabled(false);
    for (auto* item : pAction)
        item->setEnabled(false);
    SetStatus("Remaining time: " + RemainingTime());
    return true;
}

void frmMain::Deactivate() {
    cmdActivate->setCaption(kActivate);
    ArrangeFrames(false);
    tmrAction->setEnabled(false);
    frmeAction->setEnabled(true);
    frmeSch->setEnabled(true);
    frmeSch->setVisible(true);
    TraySetIcon(false);
    if (chkShowBalloon->value() == 1)
        TrayBalloon("Deactivated !!", 1500);
    frmeActOpt->setEnabled(true);
    mnu_help->setEnabled(true);
    mnu_settings->setEnabled(true);
    pAbout->setEnabled(true);
    for (auto* item : pAction)
        item->setEnabled(true);
    mnu_update->setEnabled(true);
    // What the machine cannot do stays disabled, as start-up left it.
    pAction[3]->setEnabled(canSuspend_);
    pAction[4]->setEnabled(canSuspend_);
    pAction[5]->setEnabled(isNt_);
    SetStatus("Status : Inactive");
}

void frmMain::ShowWarning() {
    warning_ = std::make_unique<windows::frmAction>(*this);
    warning_->show();
}

void frmMain::ShowReminder() {
    reminder_ = std::make_unique<windows::frmAlarm>(*this);
    reminder_->show(); // modeless, and owned by no window
}

void frmMain::SetStatus(const std::string& text) {
    stsBar->setPanelText(1, text);
}

void frmMain::ArrangeFrames(bool active) {
    frmeSch->setVisible(!active);
    frmeActTime->setLeft(active ? 2370 : 5520);
}

void frmMain::tmrAction_Timer() {
    try {
        SetStatus("Remaining time: " + RemainingTime());
        if (g_.ActionDate > os_.clock.now())
            return;
        if (optExitOption[7]->value()) {
            hide();
            PerformAction();
        } else if (Val(txtTimeout->text()) != 0) {
            tmrAction->setEnabled(false);
            hide();
            ShowWarning();
        } else {
            tmrAction->setEnabled(false);
            PerformAction();
            unload();
        }
    } catch (...) {
        os_.errors.error("frmMain.tmrAction.Tick", platform::currentErrorText());
        os_.dialogs.messageBox("Quorrel Shutdown has encountered a serious error, click OK to terminate.",
                               platform::kStyleCritical, "Error!");
        unload();
    }
}

} // namespace qs::app
