#include "wake_timer_win.h"

namespace qs::win32 {

namespace {

// How far ahead the probe of canWake is armed: never reached, as it is cancelled at once.
constexpr std::int64_t kProbeDueTime = -24LL * 3600 * 10'000'000;

// What SetWaitableTimer leaves when it armed the timer but the system cannot wake itself: Windows
// says ERROR_NOT_SUPPORTED, Wine ERROR_TIMER_RESUME_IGNORED (722, not in every SDK's headers).
bool resumeIgnored(DWORD error) {
    return error == ERROR_NOT_SUPPORTED || error == 722;
}

// Every kind of input and message but raw input: whatever comes runs during the wait.
constexpr DWORD kWakeMask = 0xFF;

// The absolute UTC moment (FILETIME units) that lies -relativeDueTime after now.
std::int64_t absoluteDueTime(FILETIME now, std::int64_t relativeDueTime) {
    ULARGE_INTEGER from;
    from.LowPart = now.dwLowDateTime;
    from.HighPart = now.dwHighDateTime;
    return static_cast<std::int64_t>(from.QuadPart) - relativeDueTime;
}

} // namespace

Win32WakeTimer::~Win32WakeTimer() {
    close();
}

bool Win32WakeTimer::canWake() {
    const HANDLE probe = CreateWaitableTimerA(nullptr, TRUE, nullptr);
    if (!probe)
        return false;
    LARGE_INTEGER due;
    due.QuadPart = kProbeDueTime;
    SetLastError(ERROR_SUCCESS);
    const bool wakes = SetWaitableTimer(probe, &due, 0, nullptr, nullptr, TRUE) && !resumeIgnored(GetLastError());
    CancelWaitableTimer(probe);
    CloseHandle(probe);
    return wakes;
}

bool Win32WakeTimer::arm(const std::string& name, std::int64_t dueTime) {
    close();
    // Opens the timer instead when another copy of the program has made it.
    timer_ = CreateWaitableTimerA(nullptr, TRUE, name.empty() ? nullptr : name.c_str());
    if (!timer_)
        return false;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    LARGE_INTEGER due;
    due.QuadPart = absoluteDueTime(now, dueTime);
    if (!SetWaitableTimer(timer_, &due, 0, nullptr, nullptr, TRUE))
        return false;
    armed_ = true;
    armedDueTime_ = due.QuadPart;
    return true;
}

void Win32WakeTimer::waitSignalled() {
    if (armed_)
        clock_.waitFor(timer_, kWakeMask);
}

void Win32WakeTimer::close() {
    if (timer_)
        CloseHandle(timer_);
    timer_ = nullptr;
    armed_ = false;
}

} // namespace qs::win32
