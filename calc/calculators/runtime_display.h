// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>

namespace lumora {

// What the runtime frame shows beside the decimal hours.
struct RuntimeDisplayText {
    std::string Clock;               // "HH:mm:ss", the hours left after whole days
    std::optional<std::string> Days; // new whole-day count, or nullopt to leave it as it is
};

// The clock text of a number of hours: the time of day that lies that many
// hours after midnight, to the nearest second (halves to even). Whole days
// drop out and negative hours count back from midnight (-1 gives "23:00:00").
// Computed in floating point, so any finite value gives a valid text; a
// non-finite one gives "00:00:00".
std::string HoursToClock(double hours);

// Days and clock for a runtime in hours. Above 24 the whole days are taken off
// first; exactly 24 is one day and midnight; below 24 the day count stays.
// One carry rule holds throughout: a clock that rounds to 24:00:00 is a day
// more and midnight (47.99999 h is 2 days, 00:00:00; 23:59:59.5 is 1 day).
RuntimeDisplayText RuntimeDisplay(double runtimeHours);

} // namespace lumora
