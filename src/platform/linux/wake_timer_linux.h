#pragma once

#include "../wake_timer.h"

#include <ctime>
#include <memory>

class QSocketNotifier;

namespace qs::linuxos {

// A timerfd that counts time asleep, woken by the best means the program may use:
// - an alarm clock (CLOCK_BOOTTIME_ALARM), which needs CAP_WAKE_ALARM and a wake-capable RTC;
// - else the RTC's wake alarm, where its sysfs file is writable, beside a CLOCK_BOOTTIME timer
//   that ends the wait;
// - else CLOCK_BOOTTIME alone, and canWake() says so.
// Linux timers have no names; the name is kept for diagnostics only.
class LinuxWakeTimer : public platform::WakeTimer {
public:
    static constexpr const char* kRtcWakeAlarm = "/sys/class/rtc/rtc0/wakealarm";

    // alarmClock is the clock tried first; a clock that is not an alarm clock stands for a machine
    // without one.
    explicit LinuxWakeTimer(clockid_t alarmClock = CLOCK_BOOTTIME_ALARM, std::string rtcWakeAlarm = kRtcWakeAlarm);
    ~LinuxWakeTimer() override;
    LinuxWakeTimer(const LinuxWakeTimer&) = delete;
    LinuxWakeTimer& operator=(const LinuxWakeTimer&) = delete;

    bool canWake() override;
    // Arms the moment now + (-dueTime) × 100 ns as an absolute time, so that time asleep counts.
    // False when the timer or the RTC alarm could not be set; the wait still ends at that moment
    // when only the RTC alarm failed.
    bool arm(const std::string& name, std::int64_t dueTime) override;
    // Like a manual-reset timer, a fired timer stays signalled until it is armed again or closed.
    void waitSignalled() override;
    // Also clears an RTC alarm this timer set.
    void close() override;

    const std::string& name() const { return name_; }

private:
    enum class Waker { AlarmClock, RtcAlarm, None };
    struct Timer {
        int fd = -1;
        clockid_t clock = CLOCK_BOOTTIME;
        Waker waker = Waker::None;
    };

    Timer create() const;
    bool open();
    void fired();
    bool writeRtc(const std::string& text) const;

    clockid_t alarmClock_;
    std::string rtcWakeAlarm_;
    std::string name_;
    Timer timer_;
    std::unique_ptr<QSocketNotifier> notifier_;
    bool armed_ = false;
    bool signalled_ = false;
    bool rtcSet_ = false;
};

} // namespace qs::linuxos
