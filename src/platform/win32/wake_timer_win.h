#pragma once

#include "../wake_timer.h"
#include "clock_win.h"

#include <windows.h>

namespace qs::win32 {

// A named manual-reset waitable timer armed with the resume flag. It is armed for an absolute
// moment: from Windows 8 on, a relative due time does not count the time spent asleep, so the
// computer would wake late or not at all.
class Win32WakeTimer : public platform::WakeTimer {
public:
    // The clock's loop runs while the timer is waited for.
    explicit Win32WakeTimer(Win32Clock& clock) : clock_(clock) {}
    ~Win32WakeTimer() override;
    Win32WakeTimer(const Win32WakeTimer&) = delete;
    Win32WakeTimer& operator=(const Win32WakeTimer&) = delete;

    // Asks a timer of its own, armed far ahead and cancelled again: where the system cannot wake
    // itself, SetWaitableTimer succeeds and leaves an error saying the resume flag was ignored.
    bool canWake() override;
    bool arm(const std::string& name, std::int64_t dueTime) override;
    void waitSignalled() override;
    void close() override;

    // The absolute due time (UTC, FILETIME units) of the last arm, 0 before any.
    std::int64_t armedDueTime() const { return armedDueTime_; }

private:
    Win32Clock& clock_;
    HANDLE timer_ = nullptr;
    bool armed_ = false;
    std::int64_t armedDueTime_ = 0;
};

} // namespace qs::win32
