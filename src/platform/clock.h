#pragma once

#include "date_time.h"

#include <functional>
#include <optional>
#include <string>

namespace qs::platform {

// The local clock, the one event loop and its timers, and the regional time settings.
class Clock {
public:
    virtual ~Clock() = default;

    virtual DateTime now() = 0;
    // Seconds since local midnight, with fractions.
    virtual double secondsSinceMidnight() = 0;

    // A repeating timer; returns a non-zero id. The callback runs on the event loop.
    virtual int startTimer(int intervalMs, std::function<void()> callback) = 0;
    virtual void stopTimer(int id) = 0;

    // Runs pending events, then returns.
    virtual void doEvents() = 0;
    // Runs the event loop until done() is true; loops nest (modal windows).
    virtual void runUntil(const std::function<bool()>& done) = 0;

    // Regional settings: the long time format, and English-or-local day and month names.
    virtual std::string formatLongTime(int secondsOfDay) = 0;
    virtual std::optional<int> parseTime(const std::string& text) = 0;
    virtual std::string dayName(int weekday) = 0;   // Monday = 1: "Monday"
    virtual std::string monthAbbrev(int month) = 0; // January = 1: "Jan"
};

} // namespace qs::platform
