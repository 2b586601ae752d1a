#pragma once

#include <cstdint>
#include <string>

namespace qs {

// A local wall-clock moment: days since 1899-12-30 with the time of day as the fraction,
// held as whole seconds. No time zones.
class DateTime {
public:
    static constexpr std::int64_t kSecondsPerDay = 86400;

    constexpr DateTime() = default;
    static constexpr DateTime fromSeconds(std::int64_t s) { return DateTime(s); }
    static DateTime fromParts(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
    // Returns false when the text is not "YYYY-MM-DD HH:MM:SS" or names no real moment.
    static bool parseIso(const std::string& text, DateTime& out);

    constexpr std::int64_t seconds() const { return seconds_; }
    double days() const { return static_cast<double>(seconds_) / kSecondsPerDay; }

    int year() const;
    int month() const;
    int day() const;
    int hour() const { return secondsOfDay() / 3600; }
    int minute() const { return secondsOfDay() / 60 % 60; }
    int second() const { return secondsOfDay() % 60; }
    // Monday = 1 .. Sunday = 7.
    int weekday() const;
    int secondsOfDay() const;
    DateTime date() const { return DateTime(seconds_ - secondsOfDay()); }

    constexpr DateTime addSeconds(std::int64_t s) const { return DateTime(seconds_ + s); }
    constexpr DateTime addDays(std::int64_t d) const { return DateTime(seconds_ + d * kSecondsPerDay); }

    std::string iso() const; // "YYYY-MM-DD HH:MM:SS"

    friend constexpr bool operator==(DateTime a, DateTime b) = default;
    friend constexpr auto operator<=>(DateTime a, DateTime b) = default;

private:
    constexpr explicit DateTime(std::int64_t s) : seconds_(s) {}
    std::int64_t seconds_ = 0;
};

} // namespace qs
