#include "date_time.h"

#include <cstdio>

namespace qs {

namespace {

// Days from 1970-01-01 to a civil date, and back (proleptic Gregorian calendar).
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

struct Civil {
    int year;
    unsigned month, day;
};

Civil civilFromDays(std::int64_t z) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return {static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2)), m, d};
}

// 1899-12-30 counted from 1970-01-01.
constexpr std::int64_t kEpochOffsetDays = -25569;

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    return a / b - (a % b != 0 && (a < 0) != (b < 0));
}

} // namespace

DateTime DateTime::fromParts(int year, int month, int day, int hour, int minute, int second) {
    const std::int64_t days =
        daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) - kEpochOffsetDays;
    return DateTime(days * kSecondsPerDay + hour * 3600 + minute * 60 + second);
}

bool DateTime::parseIso(const std::string& text, DateTime& out) {
    int y, mo, d, h, mi, s;
    char tail;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%c", &y, &mo, &d, &h, &mi, &s, &tail) != 6)
        return false;
    if (mo < 1 || mo > 12 || d < 1 || h > 23 || mi > 59 || s > 59 || h < 0 || mi < 0 || s < 0)
        return false;
    const DateTime t = fromParts(y, mo, d, h, mi, s);
    if (t.day() != d)
        return false; // 31 April and the like
    out = t;
    return true;
}

int DateTime::secondsOfDay() const {
    return static_cast<int>(seconds_ - floorDiv(seconds_, kSecondsPerDay) * kSecondsPerDay);
}

int DateTime::year() const {
    return civilFromDays(floorDiv(seconds_, kSecondsPerDay) + kEpochOffsetDays).year;
}

int DateTime::month() const {
    return static_cast<int>(civilFromDays(floorDiv(seconds_, kSecondsPerDay) + kEpochOffsetDays).month);
}

int DateTime::day() const {
    return static_cast<int>(civilFromDays(floorDiv(seconds_, kSecondsPerDay) + kEpochOffsetDays).day);
}

int DateTime::weekday() const {
    // 1899-12-30 was a Saturday (6).
    const std::int64_t days = floorDiv(seconds_, kSecondsPerDay);
    return static_cast<int>(((days + 5) % 7 + 7) % 7) + 1;
}

std::string DateTime::iso() const {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", year(), month(), day(), hour(), minute(), second());
    return buf;
}

} // namespace qs
