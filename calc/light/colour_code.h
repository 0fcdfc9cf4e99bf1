// SPDX-License-Identifier: MIT
#pragma once

#include "calc/light/standard_resistors.h"

#include <optional>
#include <string_view>
#include <vector>

namespace lumora {

// A resistor's colour bands by IEC 60062: two significant digits, a
// multiplier and the tolerance for the coarse series (E6 to E24), three
// digits for the fine ones (E48 to E192). E6's ±20 % has no band.

struct ColourBand {
    std::string_view Name; // "yellow"
    std::string_view Hex;  // "#f2c400", as printed on resistors
};

struct ColourCode {
    std::vector<ColourBand> Bands; // digits, multiplier, then the tolerance where it has one
    std::string_view Tolerance;    // "±5 %"
    bool HasToleranceBand = true;  // the last band
};

// The bands of a value of the series (within a relative 0.1 % of one);
// nullopt for a value not in the series, or that no bands can carry (below
// 0.1 ohm or above 999 G).
std::optional<ColourCode> ColourCodeOf(double ohms, ESeries series);

// Whether a resistance is one of the series' values (within 0.1 %).
bool InSeries(double ohms, ESeries series);

} // namespace lumora
