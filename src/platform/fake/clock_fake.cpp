#include "clock_fake.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace qs::fake {

FakeClock::FakeClock() {
    setNow(DateTime::fromParts(2026, 12, 5, 12, 0, 0));
}

void FakeClock::setNow(DateTime moment) {
    wallBaseMs_ = moment.seconds() * 1000 - tickMs_;
}

void FakeClock::advance(double seconds) {
    const std::int64_t target = tickMs_ + static_cast<std::int64_t>(std::llround(seconds * 1000));
    for (;;) {
        auto next = timers_.end();
        for (auto it = timers_.begin(); it != timers_.end(); ++it)
            if (dueTick(it->second) <= target && (next == timers_.end() || dueTick(it->second) < dueTick(next->second)))
                next = it;
        if (next == timers_.end())
            break;
        // An overdue timer (after a blocking call or a jump of the wall clock) fires now, never in the past.
        tickMs_ = std::max(tickMs_, dueTick(next->second));
        auto callback = next->second.callback; // the callback may stop its own timer
        if (next->second.wall)
            timers_.erase(next);
        else
            next->second.due += next->second.interval;
        callback();
    }
    // A callback that waited (a nested loop advancing the clock) may have gone past the target.
    tickMs_ = std::max(tickMs_, target);
}

std::int64_t FakeClock::dueTick(const Entry& entry) const {
    return entry.wall ? entry.due - wallBaseMs_ : entry.due;
}

DateTime FakeClock::now() {
    const std::int64_t ms = wallBaseMs_ + tickMs_;
    return DateTime::fromSeconds(ms >= 0 ? ms / 1000 : (ms - 999) / 1000);
}

double FakeClock::secondsSinceMidnight() {
    const std::int64_t ms = wallBaseMs_ + tickMs_;
    const std::int64_t day = DateTime::kSecondsPerDay * 1000;
    return static_cast<double>(((ms % day) + day) % day) / 1000.0;
}

int FakeClock::startTimer(int intervalMs, std::function<void()> callback) {
    const int id = nextId_++;
    timers_[id] = Entry{intervalMs, tickMs_ + intervalMs, std::move(callback)};
    return id;
}

int FakeClock::startWallTimer(std::int64_t delayMs, std::function<void()> callback) {
    const int id = nextId_++;
    timers_[id] = Entry{0, wallBaseMs_ + tickMs_ + delayMs, std::move(callback), true};
    return id;
}

void FakeClock::stopTimer(int id) {
    timers_.erase(id);
}

void FakeClock::runUntil(const std::function<bool()>& done) {
    while (!done())
        if (!pump_ || !pump_())
            return;
}

std::string FakeClock::formatLongTime(int secondsOfDay) {
    const int h = secondsOfDay / 3600, m = secondsOfDay / 60 % 60, s = secondsOfDay % 60;
    const int h12 = h % 12 == 0 ? 12 : h % 12;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d:%02d:%02d %s", h12, m, s, h < 12 ? "AM" : "PM");
    return buf;
}

// US English times as the regional settings read them: "2:20:00 PM", "14:20", "2 PM".
std::optional<int> FakeClock::parseTime(const std::string& text) {
    size_t i = 0;
    auto skipBlanks = [&] {
        while (i < text.size() && text[i] == ' ')
            ++i;
    };
    auto number = [&](int& out) {
        const size_t start = i;
        out = 0;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) && i - start < 4)
            out = out * 10 + (text[i++] - '0');
        return i > start;
    };
    int parts[3] = {0, 0, 0};
    int count = 0;
    skipBlanks();
    if (!number(parts[count++]))
        return std::nullopt;
    while (count < 3 && i < text.size() && text[i] == ':') {
        ++i;
        if (!number(parts[count++]))
            return std::nullopt;
    }
    skipBlanks();
    int hour = parts[0];
    if (i < text.size()) {
        std::string suffix;
        while (i < text.size() && text[i] != ' ')
            suffix += static_cast<char>(std::toupper(static_cast<unsigned char>(text[i++])));
        skipBlanks();
        if (i != text.size() || (suffix != "AM" && suffix != "PM") || hour < 1 || hour > 12)
            return std::nullopt;
        hour = hour % 12 + (suffix == "PM" ? 12 : 0);
    } else if (count == 1) {
        return std::nullopt; // a bare number is no time
    }
    if (hour > 23 || parts[1] > 59 || parts[2] > 59)
        return std::nullopt;
    return hour * 3600 + parts[1] * 60 + parts[2];
}

std::string FakeClock::dayName(int weekday) {
    static const char* names[] = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};
    return weekday >= 1 && weekday <= 7 ? names[weekday - 1] : "";
}

std::string FakeClock::monthAbbrev(int month) {
    static const char* names[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    return month >= 1 && month <= 12 ? names[month - 1] : "";
}

} // namespace qs::fake
