#include "app/numbers.h"
#include "app/time_text.h"

#include <gtest/gtest.h>

using namespace qs::app;

TEST(Val, ReadsTheNumberAtTheStartTheClassicWay) {
    EXPECT_DOUBLE_EQ(Val("2.3\r\n"), 2.3);
    EXPECT_DOUBLE_EQ(Val(" 2 .5"), 2.5); // blanks are skipped inside the number too
    EXPECT_DOUBLE_EQ(Val("007abc"), 7);
    EXPECT_DOUBLE_EQ(Val(""), 0);
    EXPECT_DOUBLE_EQ(Val("abc"), 0);
    EXPECT_DOUBLE_EQ(Val("-12"), -12);
    EXPECT_DOUBLE_EQ(Val("1.5E2x"), 150);
    EXPECT_DOUBLE_EQ(Val("1D3"), 1000);
    EXPECT_DOUBLE_EQ(Val("3E"), 3); // an exponent without digits is no exponent
    EXPECT_DOUBLE_EQ(Val("&HFF"), 255);
    EXPECT_DOUBLE_EQ(Val("&O17"), 15);
    EXPECT_DOUBLE_EQ(Val("1.2.3"), 1.2);
}

TEST(ParseDecimal, TakesWholeNumbersWithBlanksAroundOnly) {
    EXPECT_EQ(ParseDecimal(" 1 "), 1.0);
    EXPECT_EQ(ParseDecimal("-1"), -1.0);
    EXPECT_EQ(ParseDecimal("1.4"), 1.4);
    EXPECT_FALSE(ParseDecimal(""));
    EXPECT_FALSE(ParseDecimal("   "));
    EXPECT_FALSE(ParseDecimal("yes"));
    EXPECT_FALSE(ParseDecimal("1 1"));
    EXPECT_FALSE(ParseDecimal("."));
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
}

TEST(TimeString, WritesHoursMinutesAndSecondsWithAFullStop) {
    EXPECT_EQ(TimeString(60, false), "0:01.00");
    EXPECT_EQ(TimeString(60, true), "1 minute and 0 seconds");
    EXPECT_EQ(TimeString(3596400, false), "999:00.00");
    EXPECT_EQ(TimeString(100000000, false), "27777:46.40"); // more than six digits of hours are all shown
    EXPECT_EQ(TimeString(-5, false), "-0:00.05");
    EXPECT_EQ(TimeInWords("2:00.01"), "2 hours, 0 minutes, and 1 second");
}
