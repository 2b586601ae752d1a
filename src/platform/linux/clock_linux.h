#pragma once

#include "../clock.h"

#include <QLocale>
#include <map>
#include <memory>
#include <vector>

class QTimer;

namespace qs::linuxos {

// The wall clock, Qt's event loop and its timers, and the regional time settings.
class LinuxClock : public platform::Clock {
public:
    // An empty locale name means the system's regional settings.
    explicit LinuxClock(const std::string& localeName = {});
    ~LinuxClock() override;

    DateTime now() override;
    double secondsSinceMidnight() override;
    int startTimer(int intervalMs, std::function<void()> callback) override;
    void stopTimer(int id) override;
    void doEvents() override;
    void runUntil(const std::function<bool()>& done) override;
    std::string formatLongTime(int secondsOfDay) override;
    std::optional<int> parseTime(const std::string& text) override;
    std::string dayName(int weekday) override;
    std::string monthAbbrev(int month) override;

    int activeTimers() const { return static_cast<int>(timers_.size()); }

private:
    struct Entry {
        std::unique_ptr<QTimer> timer;
        std::function<void()> callback;
    };
    void fire(int id);

    QLocale locale_;
    int nextId_ = 1;
    std::map<int, Entry> timers_;
    // Stopped timers are kept for reuse: a callback may stop the timer whose signal is running.
    std::vector<std::unique_ptr<QTimer>> spare_;
};

} // namespace qs::linuxos
