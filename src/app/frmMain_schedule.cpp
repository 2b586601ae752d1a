// The schedule: when the selected action falls due.
#include "frmMain.h"
#include "numbers.h"
#include "time_text.h"

namespace qs::app {

namespace {

enum RunMode { kTimeSpecific = 0, kSelectedDays = 1, kCountdown = 2 };

// Seconds per unit of the countdown, matched by the unit's text; 0 when none is selected.
long unitSeconds(const std::string& unit) {
    if (unit == "Hours")
        return 3600;
    if (unit == "Minutes")
        return 60;
    if (unit == "Seconds")
        return 1;
    return 0;
}

} // namespace

ScheduleResult frmMain::CalcActionDate() {
    const DateTime now = os_.clock.now();
    const DateTime candidate = now.date().addSeconds(ActTime->secondsOfDay());
    switch (cboMode->listIndex()) {
    case kTimeSpecific:
        g_.ActionDate = candidate < now ? candidate.addDays(1) : candidate;
        return ScheduleResult::Ok;
    case kSelectedDays: {
        bool any = false;
        for (int d = 1; d <= 7; ++d)
            any = any || chkWeek[d]->value() == 1;
        if (!any)
            return ScheduleResult::NoWeekDay;
        const int w = now.weekday();
        int offset = -1;
        for (int d = w; d <= 7 && offset < 0; ++d) {
            if (chkWeek[d]->value() != 1)
                continue;
            if (d > w)
                offset = d - w;
            else if (!(candidate < now))
                offset = 0;
        }
        for (int d = 1; d <= w && offset < 0; ++d)
            if (chkWeek[d]->value() == 1)
                offset = 7 - w + d;
        g_.ActionDate = candidate.addDays(offset);
        return ScheduleResult::Ok;
    }
    case kCountdown: {
        const long unit = unitSeconds(cboTimeUnit->text());
        if (unit == 0)
            return ScheduleResult::NoSchedule;
        g_.ActionDate = now.addSeconds(static_cast<long>(Val(txtPeriod->text())) * unit);
        return ScheduleResult::Ok;
    }
    default:
        return ScheduleResult::NoSchedule;
    }
}

long frmMain::CalcSeconds() {
    switch (cboMode->listIndex()) {
    case kTimeSpecific: {
        const long a = ActTime->secondsOfDay();
        const long n = os_.clock.now().secondsOfDay();
        return a >= n ? a - n : 86400 - (n - a);
    }
    case kCountdown:
        return static_cast<long>(Val(txtPeriod->text())) * unitSeconds(cboTimeUnit->text());
    default:
        return 0;
    }
}

std::string frmMain::RemainingTime() {
    const long left = static_cast<long>((g_.ActionDate.seconds() - os_.clock.now().seconds()));
    // A late tick (the machine was busy or asleep) shows nothing left rather than a negative time.
    return TimeString(left < 0 ? 0 : left, true);
}

} // namespace qs::app
