#pragma once

#include "../clock.h"

#include <cstdint>
#include <functional>
#include <map>

namespace qs::fake {

// A virtual clock: time moves only when a test advances it, firing the timers that fall due in
// time order. The event loop is whatever the test pumps: runUntil calls the pump until done.
class FakeClock : public platform::Clock {
public:
    FakeClock();

    // A jump of the wall clock; timers run on their own tick count and do not fire.
    void setNow(DateTime moment);
    // Moves time forward, firing each timer when it falls due.
    void advance(double seconds);
    // A one-shot timer on the wall clock, due delayMs from now: a jump of the clock past that
    // moment fires it at the next advance, as a timer armed for an absolute time would.
    int startWallTimer(std::int64_t delayMs, std::function<void()> callback);
    // Time spent inside a blocking call: the clock moves, no timer fires until the loop runs.
    void pass(int ms) { tickMs_ += ms; }
    // One step of the outer driver (a script line); returns false when there is nothing left.
    void setPump(std::function<bool()> pump) { pump_ = std::move(pump); }
    int activeTimers() const { return static_cast<int>(timers_.size()); }

    DateTime now() override;
    double secondsSinceMidnight() override;
    int startTimer(int intervalMs, std::function<void()> callback) override;
    void stopTimer(int id) override;
    void doEvents() override {}
    void runUntil(const std::function<bool()>& done) override;
    std::string formatLongTime(int secondsOfDay) override;
    std::optional<int> parseTime(const std::string& text) override;
    std::string dayName(int weekday) override;
    std::string monthAbbrev(int month) override;

private:
    struct Entry {
        std::int64_t interval;
        std::int64_t due; // on the tick count, or on the wall clock for a wall timer
        std::function<void()> callback;
        bool wall = false;
    };
    // When the entry falls due on the tick count.
    std::int64_t dueTick(const Entry& entry) const;

    std::int64_t tickMs_ = 0;     // monotonic, drives the timers
    std::int64_t wallBaseMs_ = 0; // wall clock = wallBaseMs_ + tickMs_
    int nextId_ = 1;
    std::map<int, Entry> timers_;
    std::function<bool()> pump_;
};

} // namespace qs::fake
