// SPDX-License-Identifier: MIT
#pragma once

#include "calc/calculators/resistor_calculator.h"
#include "calc/light/battery_presets.h"
#include "cli/led_options.h"
#include "cli/report.h"

#include <optional>
#include <string>

namespace lumora::cli {

// "lumora-cli graph": the light's run from a full cell until it fades, with
// the FL1 runtime and, on request, the runtime graph as an SVG picture; the
// run itself is made by RunLight (calc/light_run.h).
struct GraphRequest {
    std::string Driver = "direct"; // direct, linear or converter
    std::optional<std::string> Current, Vf, Resistance, Leds, Battery, Capacity, InternalResistance, Efficiency,
        Dropout, Step;
    lumora::Wiring Wiring = lumora::Wiring::Series;
    std::optional<BatteryChoice> Cell;
    Pack CellPack;
    LedOptions Led;
    std::optional<std::string> Plot; // the SVG file to write
};

CommandOutput RunGraph(const GraphRequest& request);

} // namespace lumora::cli
