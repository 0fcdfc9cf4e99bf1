// SPDX-License-Identifier: MIT
#pragma once

#include "calc/battery_presets.h"
#include "calc/resistor.h"
#include "calc/standard_resistors.h"
#include "cli/report.h"
#include "cli/sweep.h"

#include <optional>
#include <string>

namespace lumora::cli {

// "lumora-cli resistor": the resistor calculator, and beside it the
// standard resistors to buy and the current over a battery's discharge.
struct ResistorRequest {
    // A battery given as FULL:EMPTY or FULL:NOMINAL:EMPTY is solved at FULL
    // and followed down to EMPTY.
    std::optional<std::string> Battery, Vf, Current, Resistance, Leds;
    lumora::Wiring Wiring = lumora::Wiring::Series;
    std::optional<ESeries> Series;     // the standard values next to the resistance
    std::optional<BatteryChoice> Cell; // the battery's range when --battery is not given
    Pack CellPack;
    std::optional<SweepSpec> Sweep;
};

CommandOutput RunResistor(const ResistorRequest& request);

} // namespace lumora::cli
