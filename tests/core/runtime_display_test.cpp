// SPDX-License-Identifier: MIT
#include "calc/calculators/runtime_display.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace lumora {
namespace {

struct DisplayRow {
    const char* name;
    double hours;
    const char* days; // nullptr: the day count stays as it is
    const char* clock;
};

void PrintTo(const DisplayRow& row, std::ostream* os) { *os << row.name; }

class Display : public testing::TestWithParam<DisplayRow> {};

TEST_P(Display, ShowsWholeDaysAndTheTimeOfDay)
{
    const DisplayRow& row = GetParam();
    const RuntimeDisplayText text = RuntimeDisplay(row.hours);
    EXPECT_EQ(text.Clock, row.clock);
    if (row.days)
        EXPECT_EQ(text.Days, std::string(row.days));
    else
        EXPECT_EQ(text.Days, std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Display,
    testing::Values(
        DisplayRow{"Zero", 0, nullptr, "00:00:00"}, DisplayRow{"Hundredth", 0.01, nullptr, "00:00:36"},
        DisplayRow{"SingleHundredth", 0.01f, nullptr, "00:00:36"}, DisplayRow{"Quarter", 1.25, nullptr, "01:15:00"},
        DisplayRow{"Typical", 2.66, nullptr, "02:39:36"}, DisplayRow{"HalfPastEleven", 23.5, nullptr, "23:30:00"},
        DisplayRow{"JustBelowADay", 23.99, nullptr, "23:59:24"}, DisplayRow{"ExactlyADay", 24, "1", "00:00:00"},
        DisplayRow{"JustAboveADay", 24.01, "1", "00:00:36"}, DisplayRow{"Thirty", 30, "1", "06:00:00"},
        DisplayRow{"AlmostTwo", 47.5, "1", "23:30:00"}, DisplayRow{"QuarterToTwo", 47.75, "1", "23:45:00"},
        DisplayRow{"TwoDays", 48, "2", "00:00:00"}, DisplayRow{"ThreeDays", 85.76f, "3", "13:45:36"},
        DisplayRow{"Hundred", 100, "4", "04:00:00"}, DisplayRow{"TypedDecimals", 1.2345, nullptr, "01:14:04"},
        // A clock that rounds to 24:00:00 carries a day.
        DisplayRow{"RoundsUpToMidnightCarriesADay", 47.99999, "2", "00:00:00"},
        DisplayRow{"HalfSecondBeforeMidnightCarries", 23 + 3599.5 / 3600, "1", "00:00:00"},
        DisplayRow{"JustUnderHalfSecondBeforeMidnight", 23 + 3599.4 / 3600, nullptr, "23:59:59"},
        DisplayRow{"WeekBelowByAHairCarries", 167.9999999, "7", "00:00:00"},
        DisplayRow{"WeekExactly", 168, "7", "00:00:00"}, DisplayRow{"NegativeCountsBack", -1, nullptr, "23:00:00"},
        // 21600.5000004 s; a day later the remainder, held in single precision, falls below the half.
        DisplayRow{"HalfSecondUp", 6.00013889, nullptr, "06:00:01"},
        // Exactly 2.5 s: the half goes to the even second.
        DisplayRow{"ExactHalfSecondGoesEven", 2.5 / 3600, nullptr, "00:00:02"},
        DisplayRow{"RemainderInSingle", 30.00013889, "1", "06:00:00"},
        DisplayRow{"TwoToThe31DaysThroughSingle", 2147483648.0, "89478490", "08:00:00"}),
    [](const auto& info) { return std::string(info.param.name); });

// Every finite runtime, however large, gives a valid "HH:mm:ss" text.
TEST(Display, HugeRuntimesGiveAValidClock)
{
    for (double hours : {2147483648.0, 1e12, 4.5e15, 1e20, 1e300, std::numeric_limits<double>::max(),
                         -std::numeric_limits<double>::max()}) {
        const std::string clock = RuntimeDisplay(hours).Clock;
        ASSERT_EQ(clock.size(), 8u) << hours;
        const int h = std::stoi(clock.substr(0, 2));
        const int m = std::stoi(clock.substr(3, 2));
        const int s = std::stoi(clock.substr(6, 2));
        EXPECT_TRUE(h < 24 && m < 60 && s < 60 && clock[2] == ':' && clock[5] == ':') << clock;
    }
}

} // namespace
} // namespace lumora
