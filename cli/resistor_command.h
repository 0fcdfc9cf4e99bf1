// SPDX-License-Identifier: MIT
#pragma once

#include "calc/calculators/resistor_calculator.h"
#include "calc/light/battery_presets.h"
#include "calc/light/standard_resistors.h"
#include "cli/field_input.h"
#include "cli/led_options.h"
#include "cli/report.h"
#include "cli/sweep.h"

#include <optional>
#include <string>

namespace lumora::cli {

// "lumora-cli resistor": the resistor calculator, and beside it the
// standard resistors to buy and the current over a battery's discharge.
// With --vf the window's formula solves; the rows beyond use the typical
// white LED's curve through that point. With an LED's curve instead, its
// forward voltage at the operating point enters the window's formula.
struct ResistorRequest {
    // A battery given as FULL:EMPTY or FULL:NOMINAL:EMPTY is solved at FULL
    // and followed down to EMPTY.
    GivenTexts Texts; // by the quantities' keys (ResistorQuantities)
    lumora::Wiring Wiring = lumora::Wiring::Series;
    std::optional<ESeries> Series;     // the standard values next to the resistance
    LedOptions Led;                    // in place of --vf: the LED's curve
    std::optional<BatteryChoice> Cell; // the battery's range when --battery is not given
    Pack CellPack;
    std::optional<SweepSpec> Sweep;
    // The resistor to buy's colour bands and the LEDs as wired, as an SVG
    // picture: its file, '-' for standard output in place of the table.
    std::optional<std::string> Plot;
};

CommandOutput RunResistor(const ResistorRequest& request);

} // namespace lumora::cli
