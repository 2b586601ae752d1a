#include "platform/date_time.h"

#include <gtest/gtest.h>

using qs::DateTime;

TEST(DateTime, CountsDaysFromTheEndOf1899) {
    EXPECT_EQ(DateTime::fromParts(1899, 12, 30).seconds(), 0);
    EXPECT_DOUBLE_EQ(DateTime::fromParts(1900, 1, 1, 12).days(), 2.5);
    const DateTime t = DateTime::fromParts(2026, 12, 5, 14, 30, 7);
    EXPECT_EQ(t.iso(), "2026-12-05 14:30:07");
    EXPECT_EQ(t.weekday(), 6); // a Saturday
    EXPECT_EQ(DateTime::fromParts(2026, 12, 7).weekday(), 1);
    EXPECT_EQ(DateTime::fromParts(2026, 12, 13).weekday(), 7);
    EXPECT_EQ(t.addDays(27).iso(), "2027-01-01 14:30:07");
    EXPECT_EQ(DateTime::fromParts(2028, 2, 28, 23, 59, 59).addSeconds(1).iso(), "2028-02-29 00:00:00");
    // Before the epoch the time of day still counts forward from midnight.
    EXPECT_EQ(DateTime::fromParts(1899, 12, 29, 18).secondsOfDay(), 18 * 3600);
    EXPECT_EQ(DateTime::fromParts(1899, 12, 29, 18).iso(), "1899-12-29 18:00:00");
}

TEST(DateTime, ParsesOnlyRealMoments) {
    DateTime t;
    EXPECT_TRUE(DateTime::parseIso("2026-02-28 23:59:59", t));
    EXPECT_EQ(t.iso(), "2026-02-28 23:59:59");
    EXPECT_FALSE(DateTime::parseIso("2026-02-29 00:00:00", t));
    EXPECT_FALSE(DateTime::parseIso("2026-12-05 24:00:00", t));
    EXPECT_FALSE(DateTime::parseIso("2026-12-05 12:00", t));
    EXPECT_FALSE(DateTime::parseIso("2026-12-05 12:00:00x", t));
}
