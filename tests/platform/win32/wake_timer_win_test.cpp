// Win32WakeTimer: the named timer armed for an absolute moment, the wait that runs the loop until
// it fires, closing and arming again, and whether the system can wake itself.
#include "../../../src/platform/win32/wake_timer_win.h"
#include "../recording_error_log.h"

#include <gtest/gtest.h>

namespace qs::win32 {
namespace {

constexpr const char* kName = "QuorrelShutdownTestTimer";
constexpr std::int64_t kSecond = 10'000'000;

std::int64_t utcNow() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return static_cast<std::int64_t>(now.dwLowDateTime) + (static_cast<std::int64_t>(now.dwHighDateTime) << 32);
}

class WakeTimerWin : public testing::Test {
protected:
    test::RecordingErrorLog errors;
    Win32Clock clock{errors};
    Win32WakeTimer timer{clock};
};

TEST_F(WakeTimerWin, TheWaitEndsAtTheAbsoluteDueTimeWithTheLoopRunning) {
    int ticks = 0;
    clock.startTimer(100, [&] { ++ticks; });
    const std::int64_t before = utcNow();
    ASSERT_TRUE(timer.arm(kName, -3 * kSecond / 2));
    const std::int64_t after = utcNow();
    EXPECT_GE(timer.armedDueTime(), before + 3 * kSecond / 2) << "an absolute UTC time, not the relative figure";
    EXPECT_LE(timer.armedDueTime(), after + 3 * kSecond / 2);
    // Another program finds the timer by its name.
    const HANDLE same = OpenWaitableTimerA(SYNCHRONIZE, FALSE, kName);
    ASSERT_NE(same, nullptr);
    EXPECT_EQ(WaitForSingleObject(same, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    timer.waitSignalled();
    EXPECT_GE(utcNow(), timer.armedDueTime());
    EXPECT_EQ(WaitForSingleObject(same, 0), WAIT_OBJECT_0);
    EXPECT_GE(ticks, 5);
    CloseHandle(same);
}

TEST_F(WakeTimerWin, AClosedTimerIsGoneAndArmsAgain) {
    timer.waitSignalled(); // none armed yet: returns at once
    ASSERT_TRUE(timer.arm(kName, -3600 * kSecond));
    timer.close();
    EXPECT_EQ(OpenWaitableTimerA(SYNCHRONIZE, FALSE, kName), nullptr);
    timer.waitSignalled(); // closed: returns at once rather than in an hour
    ASSERT_TRUE(timer.arm(kName, -kSecond / 2));
    timer.waitSignalled();
    EXPECT_GE(utcNow(), timer.armedDueTime());
}

// The answer is the system's own for a timer armed with the resume flag. Wine wakes nothing, and
// says so with an error code of its own.
TEST_F(WakeTimerWin, CanWakeIsWhatTheSystemSaysOfTheResumeFlag) {
    const HANDLE probe = CreateWaitableTimerA(nullptr, TRUE, nullptr);
    ASSERT_NE(probe, nullptr);
    LARGE_INTEGER due;
    due.QuadPart = -3600 * kSecond;
    SetLastError(ERROR_SUCCESS);
    ASSERT_TRUE(SetWaitableTimer(probe, &due, 0, nullptr, nullptr, TRUE));
    const DWORD error = GetLastError();
    CloseHandle(probe);
    const bool underWine = GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
    const bool expected = !underWine && error != ERROR_NOT_SUPPORTED;
    EXPECT_EQ(timer.canWake(), expected) << "the resume flag left error " << error;
}

} // namespace
} // namespace qs::win32
