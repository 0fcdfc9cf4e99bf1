// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace lumora {

// Which resistor to buy: the preferred values of IEC 60063 and the common
// power ratings.

enum class ESeries { E6, E12, E24, E48, E96, E192 };

// "E24" for E24; names are matched without regard to case.
std::string_view SeriesName(ESeries series);
std::optional<ESeries> ESeriesNamed(std::string_view name);
std::span<const ESeries> AllESeries();

// The values of one decade in hundredths (100 is 1.0, 470 is 4.7), as the
// standard publishes them.
std::span<const int> DecadeHundredths(ESeries series);

// The lowest and highest resistance stocked: 0.1 ohm and 10 megohms.
inline constexpr double LowestOhms = 0.1;
inline constexpr double HighestOhms = 10e6;

// The standard values next to a resistance, written as field texts in ohms
// ("4.7", "4700", "0.47"): the largest at or below it and the smallest at or
// above it (the same one when it is itself standard). Either is missing
// beyond the stocked range, both for a negative or non-finite resistance.
struct StandardNeighbours {
    std::optional<std::string> Below;
    std::optional<std::string> Above;
};
StandardNeighbours NeighboursOf(ESeries series, double ohms);

// The smallest common power rating of resistors (1/8, 1/4, 1/2, 1, 2, 3, 5
// or 10 W) at or above twice the dissipation in watts, so that the part runs
// at most half loaded; nullopt above 5 W of dissipation.
std::optional<double> RatingFor(double watts);

} // namespace lumora
