#include "clock_win.h"

#include "time_text_win.h"

#include <algorithm>
#include <cstdio>

namespace qs::win32 {

namespace {

// A thread timer brings only its system id to the timer procedure; this finds the clock and the
// id the clock handed out. Thread timers fire on their own thread, hence one table per thread.
struct Owner {
    Win32Clock* clock;
    int id;
};
thread_local std::map<UINT_PTR, Owner> owners;

std::string localeText(LCTYPE type) {
    char buf[128];
    const int n = GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buf, sizeof buf);
    return n > 1 ? std::string(buf, static_cast<size_t>(n - 1)) : std::string();
}

} // namespace

Win32Clock::~Win32Clock() {
    for (const auto& [id, entry] : timers_) {
        KillTimer(nullptr, entry.systemId);
        owners.erase(entry.systemId);
    }
}

DateTime Win32Clock::now() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return DateTime::fromParts(t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
}

double Win32Clock::secondsSinceMidnight() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return t.wHour * 3600 + t.wMinute * 60 + t.wSecond + t.wMilliseconds / 1000.0;
}

int Win32Clock::startTimer(int intervalMs, std::function<void()> callback) {
    const UINT_PTR systemId = SetTimer(nullptr, 0, static_cast<UINT>(std::max(intervalMs, 0)), &timerProc);
    if (systemId == 0)
        return 0;
    const int id = nextId_++;
    timers_[id] = Entry{systemId, std::move(callback)};
    owners[systemId] = Owner{this, id};
    return id;
}

void Win32Clock::stopTimer(int id) {
    const auto it = timers_.find(id);
    if (it == timers_.end())
        return;
    KillTimer(nullptr, it->second.systemId);
    owners.erase(it->second.systemId);
    timers_.erase(it);
}

void CALLBACK Win32Clock::timerProc(HWND, UINT, UINT_PTR systemId, DWORD) {
    const auto it = owners.find(systemId);
    if (it != owners.end())
        it->second.clock->fire(it->second.id);
}

void Win32Clock::fire(int id) {
    const auto it = timers_.find(id);
    if (it == timers_.end())
        return;
    const auto callback = it->second.callback; // the callback may stop its own timer
    if (!callback)
        return;
    try {
        callback();
    } catch (...) {
        // An exception cannot unwind through DispatchMessage; the failed tick ends here.
        errors_.error("timer", platform::currentErrorText());
    }
}

void Win32Clock::handle(MSG& msg) {
    if (filter_ && filter_(msg))
        return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

bool Win32Clock::dispatchPending() {
    // Only what is pending now: a timer slower than its interval, or a handler that posts again,
    // would otherwise keep this loop going for ever.
    const DWORD start = GetTickCount();
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam)); // for the outer loops
            return false;
        }
        const bool late = static_cast<LONG>(msg.time - start) > 0;
        handle(msg);
        if (late)
            return true;
    }
    return true;
}

void Win32Clock::doEvents() {
    dispatchPending();
}

void Win32Clock::waitFor(HANDLE object, DWORD wakeMask) {
    for (;;) {
        // MWMO_INPUTAVAILABLE: messages that a dispatch left in the queue wake the wait as well, not
        // only those that arrive afterwards.
        const DWORD woken = MsgWaitForMultipleObjectsEx(1, &object, INFINITE, wakeMask, MWMO_INPUTAVAILABLE);
        if (woken != WAIT_OBJECT_0 && woken != WAIT_OBJECT_0 + 1)
            return;
        if (!dispatchPending() || woken == WAIT_OBJECT_0)
            return;
    }
}

void Win32Clock::runUntil(const std::function<bool()>& done) {
    MSG msg;
    while (!done()) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            // The session or the program is ending: every loop out to the outermost one stops.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (got == -1)
            return;
        handle(msg);
    }
}

std::string Win32Clock::formatLongTime(int secondsOfDay) {
    const int s = ((secondsOfDay % 86400) + 86400) % 86400;
    SYSTEMTIME t{};
    t.wYear = 2000;
    t.wMonth = 1;
    t.wDay = 1;
    t.wHour = static_cast<WORD>(s / 3600);
    t.wMinute = static_cast<WORD>(s / 60 % 60);
    t.wSecond = static_cast<WORD>(s % 60);
    char buf[128];
    const int n = GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &t, nullptr, buf, sizeof buf);
    if (n > 1)
        return std::string(buf, static_cast<size_t>(n - 1));
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", t.wHour, t.wMinute, t.wSecond);
    return buf;
}

std::optional<int> Win32Clock::parseTime(const std::string& text) {
    return parseTimeOfDay(text, localeText(LOCALE_STIME), localeText(LOCALE_S1159), localeText(LOCALE_S2359));
}

std::string Win32Clock::dayName(int weekday) {
    // LOCALE_SDAYNAME1 is Monday, as weekday 1 is.
    return weekday >= 1 && weekday <= 7 ? localeText(LOCALE_SDAYNAME1 + static_cast<LCTYPE>(weekday - 1)) : "";
}

std::string Win32Clock::monthAbbrev(int month) {
    return month >= 1 && month <= 12 ? localeText(LOCALE_SABBREVMONTHNAME1 + static_cast<LCTYPE>(month - 1)) : "";
}

} // namespace qs::win32
