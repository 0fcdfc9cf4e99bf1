// SPDX-License-Identifier: MIT
#pragma once

#include "calc/light/standard_resistors.h"
#include "calc/light/wiring.h"
#include "calc/reports/resistor_to_buy.h"

#include <string>

namespace lumora {

// The resistor to buy as a picture: its colour bands (IEC 60062) and the
// LED array as wired, the battery, the resistor and the LEDs in series or
// in parallel on the one resistor. An SVG text, the same bytes in every
// build; on a white ground (the part's colours need one), with a title
// for screen readers.
struct ResistorPicture {
    double Ohms = 0.0;
    std::string OhmsText; // as the table gives it: "4.7"
    ESeries Series = ESeries::E24;
    lumora::Wiring Wiring = lumora::Wiring::Series;
    int LedCount = 1;
    // In the page's theme: its text colour for wires and words, no ground
    // of its own; else dark on white, for a file.
    bool Themed = false;
};

std::string ResistorPictureSvg(const ResistorPicture& picture);

// The picture of what to buy: the row marked so, else the first (the
// resistance solved or given), in the series asked for or E24.
ResistorPicture PictureToBuy(const ResistorToBuy& bought, std::optional<ESeries> series, lumora::Wiring wiring);

// "yellow, violet, gold, gold (4.7 ohm ±5 %)"; "" for a value no bands carry.
std::string ColourBandsText(double ohms, ESeries series);

} // namespace lumora
