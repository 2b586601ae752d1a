#pragma once

#include "../clock.h"
#include "../error_log.h"

#include <map>
#include <windows.h>

namespace qs::win32 {

// The local clock, the thread's message loop with thread timers, and the regional time settings.
// Everything runs on the thread that created the clock.
class Win32Clock : public platform::Clock {
public:
    // A callback's failure cannot unwind through the message loop; it is written to the log.
    explicit Win32Clock(platform::ErrorLog& errors) : errors_(errors) {}
    ~Win32Clock() override;
    Win32Clock(const Win32Clock&) = delete;
    Win32Clock& operator=(const Win32Clock&) = delete;

    DateTime now() override;
    double secondsSinceMidnight() override;
    int startTimer(int intervalMs, std::function<void()> callback) override;
    void stopTimer(int id) override;
    void doEvents() override;
    void runUntil(const std::function<bool()>& done) override;
    // Sleeps until the object is signalled, running the pending events after each wake-up (the
    // wake mask says which messages wake it). Returns early when the program is ending, the quit
    // message passed on to the outer loops, or when the object cannot be waited on.
    void waitFor(HANDLE object, DWORD wakeMask);
    std::string formatLongTime(int secondsOfDay) override;
    std::optional<int> parseTime(const std::string& text) override;
    std::string dayName(int weekday) override;
    std::string monthAbbrev(int month) override;

    // Sees every message of both loops before it is translated and dispatched; returning true
    // consumes it (accelerators, dialog keys).
    void setMessageFilter(std::function<bool(MSG&)> filter) { filter_ = std::move(filter); }

    int activeTimers() const { return static_cast<int>(timers_.size()); }

private:
    struct Entry {
        UINT_PTR systemId;
        std::function<void()> callback;
    };
    static void CALLBACK timerProc(HWND, UINT, UINT_PTR systemId, DWORD);
    void fire(int id);
    void handle(MSG& msg);
    // Runs what is pending now; false once the quit message has been seen (and posted again).
    bool dispatchPending();

    platform::ErrorLog& errors_;
    int nextId_ = 1;
    std::map<int, Entry> timers_;
    std::function<bool(MSG&)> filter_;
};

} // namespace qs::win32
