// LinuxWakeTimer: the choice of what wakes the machine, the absolute due moment, and a wait that
// keeps the event loop running.
#include "../../../src/platform/linux/wake_timer_linux.h"
#include "unprivileged.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>

namespace qs::linuxos {
namespace {

using test::Outcome;
constexpr std::int64_t kSecond = -10'000'000;

std::string contents(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// A stand-in for the RTC's wakealarm file.
struct WakeAlarmFile {
    QTemporaryDir dir;
    std::string path = dir.filePath("wakealarm").toStdString();
    WakeAlarmFile() { std::ofstream(path) << "0"; }
};

TEST(WakeTimerLinux, APlainTimerCannotWakeYetItsWaitEndsAtTheDueMomentWithTheLoopRunning) {
    LinuxWakeTimer timer(CLOCK_BOOTTIME, "/nonexistent/wakealarm");
    EXPECT_FALSE(timer.canWake());
    bool ranLoop = false;
    QTimer::singleShot(0, [&ranLoop] { ranLoop = true; });
    timer.waitSignalled();
    EXPECT_FALSE(ranLoop) << "nothing armed: the wait returns without running the loop";

    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
    ticker.start(100);
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(timer.arm("qshutdownTimer", kSecond));
    EXPECT_EQ(timer.name(), "qshutdownTimer");
    timer.waitSignalled();
    EXPECT_GE(clock.elapsed(), 1000);
    EXPECT_GE(ticks, 5) << "timers keep firing during the wait";

    // Like a manual-reset timer it stays signalled; armed again, it waits again.
    ranLoop = false;
    QTimer::singleShot(0, [&ranLoop] { ranLoop = true; });
    timer.waitSignalled();
    EXPECT_FALSE(ranLoop);
    clock.restart();
    ASSERT_TRUE(timer.arm("qshutdownTimer", kSecond / 5));
    timer.waitSignalled();
    EXPECT_GE(clock.elapsed(), 200);
}

TEST(WakeTimerLinux, TheRtcAlarmHoldsTheAbsoluteDueMomentUntilClosed) {
    WakeAlarmFile alarm;
    LinuxWakeTimer timer(CLOCK_BOOTTIME, alarm.path);
    EXPECT_TRUE(timer.canWake());
    EXPECT_EQ(contents(alarm.path), "0") << "asking sets nothing";
    ASSERT_TRUE(timer.arm("qshutdownTimer", 120 * kSecond));
    EXPECT_NEAR(std::stoll(contents(alarm.path)), std::time(nullptr) + 120, 1);
    timer.close();
    EXPECT_EQ(contents(alarm.path), "0");

    // Closed, it starts afresh: a new due moment, and a wait that ends.
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(timer.arm("qshutdownTimer", kSecond / 10));
    EXPECT_NEAR(std::stoll(contents(alarm.path)), std::time(nullptr) + 1, 1) << "rounded up to whole seconds";
    timer.waitSignalled();
    EXPECT_GE(clock.elapsed(), 100);
    timer.close();
    EXPECT_EQ(contents(alarm.path), "0");
}

TEST(WakeTimerLinux, AClosedTimerEndsAWaitOnIt) {
    LinuxWakeTimer timer(CLOCK_BOOTTIME, "/nonexistent/wakealarm");
    ASSERT_TRUE(timer.arm("qshutdownTimer", 30 * kSecond));
    QTimer::singleShot(50, [&timer] { timer.close(); });
    QElapsedTimer clock;
    clock.start();
    timer.waitSignalled();
    EXPECT_LT(clock.elapsed(), 30000) << "the wait ends with the timer, not at its due moment";
}

TEST(WakeTimerLinux, AnOrdinaryUserHasNoAlarmClockAndWakesOnlyThroughAWritableRtcAlarm) {
    const std::string folder = test::sharedTempFolder();
    ASSERT_FALSE(folder.empty());
    const std::string alarm = folder + "/wakealarm";
    std::ofstream(alarm) << "0";
    ::chmod(alarm.c_str(), 0444);
    const Outcome readOnly = test::runUnprivileged([&] {
        LinuxWakeTimer timer(CLOCK_BOOTTIME_ALARM, alarm);
        return !timer.canWake() && timer.arm("qshutdownTimer", kSecond);
    });
    ::chmod(alarm.c_str(), 0666);
    const Outcome writable = test::runUnprivileged([&] {
        LinuxWakeTimer timer(CLOCK_BOOTTIME_ALARM, alarm);
        return timer.canWake() && timer.arm("qshutdownTimer", 60 * kSecond) &&
               std::stoll(contents(alarm)) >= std::time(nullptr) + 59;
    });
    std::filesystem::remove_all(folder);
    if (readOnly == Outcome::Impossible || writable == Outcome::Impossible)
        GTEST_SKIP() << "cannot become an ordinary user";
    EXPECT_EQ(readOnly, Outcome::Passed);
    EXPECT_EQ(writable, Outcome::Passed);
}

} // namespace
} // namespace qs::linuxos
