// SPDX-License-Identifier: MIT
#include "calc/calculators/runtime_display.h"

#include "calc/text/number_text.h"

#include <cmath>
#include <limits>

namespace lumora {

namespace {

constexpr double SecondsPerHour = 3600.0;
constexpr double SecondsPerDay = 86400.0;

std::string TwoDigits(int value)
{
    return std::string{static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
}

// The whole-day count as the runtime calculator writes numbers: through single
// precision where the count fits, as 7 significant digits of the double beyond.
std::string DaysText(double days)
{
    if (std::fabs(days) <= std::numeric_limits<float>::max())
        return SingleText(static_cast<float>(days));
    return DecimalText(days, 7);
}

} // namespace

std::string HoursToClock(double hours)
{
    const double seconds = RoundHalfEven(hours * SecondsPerHour);
    double timeOfDay = std::fmod(seconds, SecondsPerDay); // exact for whole seconds
    if (!std::isfinite(timeOfDay))
        timeOfDay = 0.0;
    if (timeOfDay < 0.0)
        timeOfDay += SecondsPerDay;
    const int t = static_cast<int>(timeOfDay); // 0 .. 86399, safe to convert
    return TwoDigits(t / 3600) + ":" + TwoDigits(t / 60 % 60) + ":" + TwoDigits(t % 60);
}

RuntimeDisplayText RuntimeDisplay(double runtimeHours)
{
    // A clock that rounds up to 24:00:00 carries a whole day: 47.99999 h is
    // 2 days and 00:00:00, never 1 day and 00:00:00.
    const auto carries = [](double hours) { return RoundHalfEven(hours * SecondsPerHour) >= SecondsPerDay; };
    if (runtimeHours > 24.0) {
        double days = std::floor(runtimeHours / 24.0);
        // The remainder is computed in double and then held in single precision.
        double rest = runtimeHours - 24.0 * days;
        // Far beyond 2^31 hours the difference loses all meaning; the exact
        // remainder keeps the clock defined there.
        if (!(std::fabs(rest) < 24.0))
            rest = std::fmod(runtimeHours, 24.0);
        const auto held = static_cast<float>(rest);
        if (carries(held))
            return {"00:00:00", DaysText(days + 1.0)};
        return {HoursToClock(held), DaysText(days)};
    }
    if (runtimeHours < 24.0)
        return carries(runtimeHours) ? RuntimeDisplayText{"00:00:00", "1"}
                                     : RuntimeDisplayText{HoursToClock(runtimeHours), std::nullopt};
    if (runtimeHours == 24.0)
        return {"00:00:00", "1"};
    return {"00:00:00", std::nullopt}; // NaN: no runtime to show
}

} // namespace lumora
