#include "wake_timer_linux.h"

#include <QEventLoop>
#include <QSocketNotifier>
#include <cstdint>
#include <fcntl.h>
#include <sys/timerfd.h>
#include <unistd.h>
#include <utility>

namespace qs::linuxos {

namespace {

constexpr std::int64_t kTicksPerSecond = 10'000'000; // the due time's 100-ns units
constexpr std::int64_t kNanosPerTick = 100;

bool isAlarmClock(clockid_t clock) {
    return clock == CLOCK_BOOTTIME_ALARM || clock == CLOCK_REALTIME_ALARM;
}

// The kernel accepts an alarm timer even where no RTC can wake the machine; it then refuses to
// read the alarm clock, which tells the two apart.
bool alarmClockCanWake(clockid_t clock) {
    timespec resolution{};
    return isAlarmClock(clock) && ::clock_getres(clock, &resolution) == 0;
}

bool writable(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

int createTimerFd(clockid_t clock) {
    return ::timerfd_create(clock, TFD_NONBLOCK | TFD_CLOEXEC);
}

} // namespace

LinuxWakeTimer::LinuxWakeTimer(clockid_t alarmClock, std::string rtcWakeAlarm)
    : alarmClock_(alarmClock), rtcWakeAlarm_(std::move(rtcWakeAlarm)) {}

LinuxWakeTimer::~LinuxWakeTimer() {
    close();
}

LinuxWakeTimer::Timer LinuxWakeTimer::create() const {
    if (alarmClockCanWake(alarmClock_)) {
        // Fails with EPERM without CAP_WAKE_ALARM.
        const int fd = createTimerFd(alarmClock_);
        if (fd >= 0)
            return {fd, alarmClock_, Waker::AlarmClock};
    }
    const int fd = createTimerFd(CLOCK_BOOTTIME);
    return {fd, CLOCK_BOOTTIME, fd >= 0 && writable(rtcWakeAlarm_) ? Waker::RtcAlarm : Waker::None};
}

bool LinuxWakeTimer::canWake() {
    if (timer_.fd >= 0)
        return timer_.waker != Waker::None;
    const Timer probe = create();
    if (probe.fd >= 0)
        ::close(probe.fd);
    return probe.waker != Waker::None;
}

bool LinuxWakeTimer::open() {
    if (timer_.fd >= 0)
        return true;
    timer_ = create();
    if (timer_.fd < 0)
        return false;
    notifier_ = std::make_unique<QSocketNotifier>(timer_.fd, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { fired(); });
    return true;
}

bool LinuxWakeTimer::arm(const std::string& name, std::int64_t dueTime) {
    name_ = name;
    if (!open())
        return false;
    const std::int64_t ticks = dueTime < 0 ? -dueTime : 0;
    timespec now{};
    if (::clock_gettime(timer_.clock, &now) != 0)
        return false;
    const std::int64_t dueNanos = static_cast<std::int64_t>(now.tv_nsec) + (ticks % kTicksPerSecond) * kNanosPerTick;
    itimerspec due{};
    due.it_value.tv_sec = now.tv_sec + static_cast<time_t>(ticks / kTicksPerSecond + dueNanos / 1'000'000'000);
    due.it_value.tv_nsec = static_cast<long>(dueNanos % 1'000'000'000);
    if (::timerfd_settime(timer_.fd, TFD_TIMER_ABSTIME, &due, nullptr) != 0)
        return false;
    armed_ = true;
    signalled_ = false;
    notifier_->setEnabled(true);
    if (timer_.waker != Waker::RtcAlarm)
        return true;
    // The RTC counts whole seconds of the wall clock; waking a little late beats waking early.
    // A set alarm refuses a new one until it is cleared.
    const std::int64_t seconds = (ticks + kTicksPerSecond - 1) / kTicksPerSecond;
    rtcSet_ = writeRtc("0") && writeRtc(std::to_string(static_cast<std::int64_t>(std::time(nullptr)) + seconds));
    return rtcSet_;
}

void LinuxWakeTimer::fired() {
    std::uint64_t expirations = 0;
    if (::read(timer_.fd, &expirations, sizeof expirations) != sizeof expirations)
        return; // not due after all
    signalled_ = true;
    notifier_->setEnabled(false);
}

void LinuxWakeTimer::waitSignalled() {
    if (!armed_ || signalled_)
        return;
    QEventLoop loop;
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, &loop, [this, &loop] {
        if (signalled_)
            loop.quit();
    });
    // A handler that closes the timer meanwhile ends the wait too.
    QObject::connect(notifier_.get(), &QObject::destroyed, &loop, &QEventLoop::quit);
    loop.exec();
}

void LinuxWakeTimer::close() {
    notifier_.reset();
    if (timer_.fd >= 0)
        ::close(timer_.fd);
    timer_ = {};
    armed_ = false;
    signalled_ = false;
    if (rtcSet_)
        writeRtc("0");
    rtcSet_ = false;
}

bool LinuxWakeTimer::writeRtc(const std::string& text) const {
    const int fd = ::open(rtcWakeAlarm_.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool written = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    return ::close(fd) == 0 && written;
}

} // namespace qs::linuxos
