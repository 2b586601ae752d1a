// LinuxClock: Qt timers, nested loops that sleep, and the regional time settings.
#include "../../../src/forms/application.h"
#include "../../../src/forms/form.h"
#include "../../../src/forms/timer.h"
#include "../../../src/platform/linux/clock_linux.h"
#include "../../../src/platform/linux/sound_linux.h"
#include "../../../src/platform/linux/time_format_linux.h"
#include "../recording_error_log.h"

#include <QElapsedTimer>
#include <QTime>
#include <QTimer>
#include <cmath>
#include <ctime>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace qs::linuxos {
namespace {

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

TEST(ClockLinux, NowIsTheLocalWallClock) {
    LinuxClock clock;
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    const DateTime now = clock.now();
    EXPECT_EQ(now.year(), local.tm_year + 1900);
    EXPECT_EQ(now.month(), local.tm_mon + 1);
    EXPECT_EQ(now.day(), local.tm_mday);
    EXPECT_NEAR(now.secondsOfDay(), local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec, 2);
    const double since = clock.secondsSinceMidnight();
    EXPECT_NEAR(since, now.secondsOfDay(), 2);
    EXPECT_NEAR(since * 1000, std::round(since * 1000), 1e-6) << "whole milliseconds";
}

TEST(ClockLinux, TimersFireInOrderAndMayStopThemselvesOrOthers) {
    LinuxClock clock;
    std::vector<std::string> fired;
    int slow = 0;
    int fastCount = 0;
    int fast = 0;
    slow = clock.startTimer(130, [&] {
        fired.push_back("slow");
        clock.stopTimer(slow);
    });
    fast = clock.startTimer(50, [&] {
        fired.push_back("fast");
        if (++fastCount == 3) {
            clock.stopTimer(fast);
            // A new timer from inside a callback may take over the stopped one's resources.
            clock.startTimer(10, [&] { fired.push_back("late"); });
        }
    });
    EXPECT_NE(slow, fast);
    clock.runUntil([&] { return fired.size() >= 5; });
    EXPECT_EQ(fired, (std::vector<std::string>{"fast", "fast", "slow", "fast", "late"}));
    EXPECT_EQ(clock.activeTimers(), 1);
    clock.stopTimer(12345); // unknown ids are ignored
}

// A warning tick: the next period of 900 ms is set, then a blocking 100 ms tone. The period
// counts from the end of the tick, so the ticks come a second apart. A rate, not a speed.
TEST(ClockLinux, ATickThatBlocksForItsToneStillComesEverySecond) {
    LinuxClock clock;
    LinuxSound sound;
    forms::Observer observer;
    test::RecordingErrorLog errors;
    forms::Application app{clock, observer, errors};
    forms::Form form{app, "frmAction"};
    auto& timer = form.add<forms::Timer>("tmrProgress");
    timer.setInterval(900);
    QElapsedTimer elapsed;
    std::vector<qint64> at;
    timer.Tick = [&] {
        at.push_back(elapsed.elapsed());
        timer.setInterval(900);
        sound.sleep(100);
    };
    bool late = false;
    QTimer::singleShot(20000, [&] { late = true; });
    elapsed.start();
    form.load();
    clock.runUntil([&] { return at.size() > 10 || late; });
    ASSERT_EQ(at.size(), 11u);
    for (size_t i = 1; i < at.size(); ++i)
        EXPECT_NEAR(at[i] - at[i - 1], 1000, 100) << "tick " << i;
    // Ticks 0.9 s apart would pass one by one; ten of them are a second short.
    EXPECT_NEAR(at.back() - at.front(), 10000, 500);
    EXPECT_TRUE(errors.lines.empty());
}

TEST(ClockLinux, RunUntilNestsAndSleeps) {
    LinuxClock clock;
    std::vector<std::string> order;
    bool outerDone = false;
    bool innerDone = false;
    clock.startTimer(300, [&] { innerDone = true; });
    QTimer::singleShot(50, [&] {
        order.push_back("inner starts");
        clock.runUntil([&] { return innerDone; }); // a modal window inside a handler
        order.push_back("inner ends");
        outerDone = true;
    });
    const double cpuBefore = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    clock.runUntil([&] { return outerDone; });
    const double cpu = cpuSeconds() - cpuBefore;
    EXPECT_EQ(order, (std::vector<std::string>{"inner starts", "inner ends"}));
    EXPECT_GE(wall.elapsed(), 280);
    EXPECT_LT(cpu, 0.1) << "waiting must sleep, not spin";

    bool flag = false;
    QTimer::singleShot(0, [&] { flag = true; });
    clock.doEvents();
    clock.doEvents();
    EXPECT_TRUE(flag);
    clock.runUntil([] { return true; }); // already done: returns at once
}

TEST(ClockLinux, LongTimeRoundTripsInEveryLocale) {
    for (const char* locale : {"", "C", "en_US", "de_DE", "fi_FI", "ja_JP", "ko_KR", "zh_CN", "ar_EG"}) {
        LinuxClock clock(locale);
        for (int s = 0; s < 86400; s += 61) {
            const std::string text = clock.formatLongTime(s);
            EXPECT_EQ(clock.parseTime(text), s) << locale << " " << text;
            if (clock.parseTime(text) != s)
                break;
        }
    }
}

TEST(ClockLinux, FormatsWithoutTheTimeZoneAndParsesPlainTimesInAnyLocale) {
    EXPECT_EQ(LinuxClock("en_US").formatLongTime(14 * 3600 + 20 * 60), "2:20:00 PM");
    EXPECT_EQ(LinuxClock("de_DE").formatLongTime(14 * 3600 + 20 * 60 + 5), "14:20:05");
    EXPECT_EQ(LinuxClock("C").formatLongTime(86400 + 7), "00:00:07");
    EXPECT_EQ(timeFormatWithoutZone(QLocale("zh_CN"), QLocale::LongFormat), "HH:mm:ss");
    LinuxClock clock("de_DE");
    EXPECT_EQ(clock.parseTime("2:20:00 pm"), 14 * 3600 + 20 * 60);
    EXPECT_EQ(clock.parseTime("12:00:00 AM"), 0);
    EXPECT_EQ(clock.parseTime(" 2 PM "), 14 * 3600);
    for (const char* bad : {"", "abc", "25:00:00", "12:61:00", "13:00:00 PM", "7"})
        EXPECT_EQ(clock.parseTime(bad), std::nullopt) << bad;
    EXPECT_EQ(clock.dayName(1), "Montag");
    EXPECT_EQ(clock.dayName(0), "");
    EXPECT_EQ(clock.monthAbbrev(13), "");
}

TEST(ClockLinux, ClockFormatsKeepHoursAndMinutesOnly) {
    EXPECT_EQ(hoursAndMinutesFormat(QLocale("en_US")), "h:mm AP");
    for (const char* name : {"C", "en_US", "de_DE", "fi_FI", "ja_JP", "ko_KR", "zh_CN", "ar_EG"}) {
        const QLocale locale(name);
        const QString format = hoursAndMinutesFormat(locale);
        EXPECT_FALSE(format.contains(u's')) << name;
        EXPECT_FALSE(format.contains(u't')) << name;
        EXPECT_EQ(locale.toTime(locale.toString(QTime(14, 7), format), format), QTime(14, 7)) << name;
    }
}

} // namespace
} // namespace qs::linuxos
