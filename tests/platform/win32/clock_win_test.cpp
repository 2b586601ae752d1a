// Win32Clock: thread timers, nested message loops that sleep, the filter, regional time texts.
#include "../../../src/forms/application.h"
#include "../../../src/forms/form.h"
#include "../../../src/forms/timer.h"
#include "../../../src/platform/win32/clock_win.h"
#include "../../../src/platform/win32/sound_win.h"
#include "../../../src/platform/win32/time_text_win.h"
#include "../recording_error_log.h"
#include "cpu_seconds_win.h"

#include <gtest/gtest.h>
#include <vector>

namespace qs::win32 {
namespace {

using Strings = std::vector<std::string>;

// A deadline for loops that must end on their own, so a fault fails the test instead of hanging
// it; its timer wakes a loop that nothing else would wake.
class Deadline {
public:
    explicit Deadline(DWORD ms = 5000) : end_(GetTickCount() + ms), wake_(SetTimer(nullptr, 0, 100, nullptr)) {}
    ~Deadline() { KillTimer(nullptr, wake_); }
    std::function<bool()> operator()(std::function<bool()> done) const {
        return [this, done] { return done() || static_cast<LONG>(GetTickCount() - end_) > 0; };
    }

private:
    DWORD end_;
    UINT_PTR wake_;
};

TEST(ClockWin, NowIsTheLocalWallClock) {
    test::RecordingErrorLog errors;
    Win32Clock clock{errors};
    SYSTEMTIME t;
    GetLocalTime(&t);
    const DateTime now = clock.now();
    EXPECT_EQ(now.date(), DateTime::fromParts(t.wYear, t.wMonth, t.wDay));
    EXPECT_NEAR(now.secondsOfDay(), t.wHour * 3600 + t.wMinute * 60 + t.wSecond, 2);
    EXPECT_NEAR(clock.secondsSinceMidnight(), now.secondsOfDay(), 2);
}

// A warning tick: the next period of 900 ms is set, then a blocking 100 ms tone. The period
// counts from the end of the tick, so the ticks come a second apart. A rate, not a speed.
TEST(ClockWin, ATickThatBlocksForItsToneStillComesEverySecond) {
    test::RecordingErrorLog errors;
    Win32Clock clock{errors};
    Win32Sound sound;
    forms::Observer observer;
    forms::Application app{clock, observer, errors};
    forms::Form form{app, "frmAction"};
    auto& timer = form.add<forms::Timer>("tmrProgress");
    timer.setInterval(900);
    std::vector<DWORD> at;
    timer.Tick = [&] {
        at.push_back(GetTickCount());
        timer.setInterval(900);
        sound.tone(2000, 100);
    };
    const Deadline within(20000);
    form.load();
    clock.runUntil(within([&] { return at.size() > 10; }));
    ASSERT_EQ(at.size(), 11u);
    for (size_t i = 1; i < at.size(); ++i)
        EXPECT_NEAR(static_cast<double>(at[i] - at[i - 1]), 1000, 100) << "tick " << i;
    // Ticks 0.9 s apart would pass one by one; ten of them are a second short.
    EXPECT_NEAR(static_cast<double>(at.back() - at.front()), 10000, 500);
    EXPECT_TRUE(errors.lines.empty());
}

TEST(ClockWin, TimersFireInOrderAndMayStopThemselvesOrStartOthers) {
    test::RecordingErrorLog errors;
    Win32Clock clock{errors};
    const Deadline within;
    Strings fired;
    int fast = 0, fastCount = 0, slow = 0;
    slow = clock.startTimer(150, [&] {
        fired.push_back("slow");
        clock.stopTimer(slow);
    });
    fast = clock.startTimer(60, [&] {
        fired.push_back("fast");
        if (++fastCount == 3) {
            clock.stopTimer(fast);
            clock.startTimer(10, [&] { fired.push_back("late"); });
        }
    });
    EXPECT_NE(slow, fast);
    clock.runUntil(within([&] { return fired.size() >= 5; }));
    EXPECT_EQ(fired, (Strings{"fast", "fast", "slow", "fast", "late"}));
    EXPECT_EQ(clock.activeTimers(), 1);
    clock.stopTimer(12345); // unknown ids are ignored
}

TEST(ClockWin, RunUntilNestsAndSleeps) {
    test::RecordingErrorLog errors;
    Win32Clock clock{errors};
    const Deadline within;
    Strings order;
    bool innerDone = false, outerDone = false;
    int starter = 0;
    clock.startTimer(300, [&] { innerDone = true; });
    starter = clock.startTimer(50, [&] {
        clock.stopTimer(starter);
        order.push_back("inner starts");
        clock.runUntil(within([&] { return innerDone; })); // a modal window inside a handler
        order.push_back("inner ends");
        outerDone = true;
    });
    const double cpuBefore = test::cpuSeconds();
    const DWORD start = GetTickCount();
    clock.runUntil(within([&] { return outerDone; }));
    EXPECT_EQ(order, (Strings{"inner starts", "inner ends"}));
    EXPECT_GE(GetTickCount() - start, 280u);
    EXPECT_LT(test::cpuSeconds() - cpuBefore, 0.1) << "waiting must sleep, not spin";
}

std::vector<WPARAM> dispatched;

LRESULT CALLBACK recordingProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_APP)
        dispatched.push_back(w);
    return DefWindowProcA(window, message, w, l);
}

TEST(ClockWin, TheFilterSeesEveryMessageFirstAndMayConsumeIt) {
    test::RecordingErrorLog errors;
    Win32Clock clock{errors};
    const Deadline within;
    dispatched.clear();
    WNDCLASSA cls{};
    cls.lpfnWndProc = recordingProc;
    cls.lpszClassName = "QsFilterTest";
    RegisterClassA(&cls);
    const HWND window = CreateWindowExA(0, "QsFilterTest", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    std::vector<WPARAM> filtered;
    clock.setMessageFilter([&](MSG& msg) {
        if (msg.message != WM_APP)
            return false;
        filtered.push_back(msg.wParam);
        return msg.wParam % 2 == 1; // odd ones are consumed
    });
    PostMessageA(window, WM_APP, 1, 0);
    PostMessageA(window, WM_APP, 2, 0);
    clock.doEvents();
    PostMessageA(window, WM_APP, 3, 0);
    PostMessageA(window, WM_APP, 4, 0);
    clock.runUntil(within([&] { return dispatched.size() == 2; }));
    EXPECT_EQ(filtered, (std::vector<WPARAM>{1, 2, 3, 4}));
    EXPECT_EQ(dispatched, (std::vector<WPARAM>{2, 4}));
    DestroyWindow(window);
}

TEST(ClockWin, AQuitEndsEveryLoopAndStaysPosted) {
    test::RecordingErrorLog errors;
    Win32Clock clock{errors};
    const Deadline within;
    bool innerEnded = false;
    int starter = 0, quitter = 0;
    quitter = clock.startTimer(50, [&] {
        clock.stopTimer(quitter);
        PostQuitMessage(7);
    });
    starter = clock.startTimer(10, [&] {
        clock.stopTimer(starter);
        clock.runUntil(within([] { return false; }));
        innerEnded = true;
    });
    const DWORD start = GetTickCount();
    clock.runUntil(within([] { return false; }));
    EXPECT_TRUE(innerEnded);
    EXPECT_LT(GetTickCount() - start, 4000u) << "the quit, not the deadline, ended the loops";
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
}

TEST(ClockWin, LongTimeTextsReadBack) {
    test::RecordingErrorLog errors;
    Win32Clock clock{errors};
    for (int s = 0; s < 86400; s += 61)
        ASSERT_EQ(clock.parseTime(clock.formatLongTime(s)), s) << clock.formatLongTime(s);
    EXPECT_EQ(clock.formatLongTime(86400 + 7), clock.formatLongTime(7));
    EXPECT_EQ(clock.formatLongTime(-1), clock.formatLongTime(86399));
    EXPECT_EQ(clock.parseTime("7:05:09"), 7 * 3600 + 5 * 60 + 9);
    EXPECT_EQ(clock.parseTime(" 14:20 "), 14 * 3600 + 20 * 60);
    EXPECT_EQ(clock.parseTime("2:20:00 pm"), 14 * 3600 + 20 * 60);
    EXPECT_EQ(clock.parseTime("12:00:00 AM"), 0);
    EXPECT_EQ(clock.parseTime("2 PM"), 14 * 3600);
    for (const char* bad : {"", "abc", "7", "24:00", "12:60", "13:00:00 PM", "0:10 AM", "1:2:3:4", "123:00"})
        EXPECT_EQ(clock.parseTime(bad), std::nullopt) << bad;
}

TEST(ClockWin, OtherRegionsSeparatorsAndDesignatorsAreRead) {
    EXPECT_EQ(parseTimeOfDay("14.20.05", ".", "", ""), 14 * 3600 + 20 * 60 + 5);
    EXPECT_EQ(parseTimeOfDay("nachm. 2:20", ":", "vorm.", "nachm."), 14 * 3600 + 20 * 60);
    EXPECT_EQ(parseTimeOfDay("12:30 a.m.", ":", "a.m.", "p.m."), 30 * 60);
    EXPECT_EQ(parseTimeOfDay("2:20:00PM", ":", "AM", "PM"), 14 * 3600 + 20 * 60);
    EXPECT_EQ(parseTimeOfDay("14-20", ".", "", ""), std::nullopt);
}

} // namespace
} // namespace qs::win32
