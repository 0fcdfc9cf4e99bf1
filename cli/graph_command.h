// SPDX-License-Identifier: MIT
#pragma once

#include "calc/battery_presets.h"
#include "calc/resistor.h"
#include "cli/led_options.h"
#include "cli/report.h"

#include <optional>
#include <string>

namespace lumora::cli {

// "lumora-cli graph": the light's run from a full cell until it fades, with
// the FL1 runtime and, on request, the runtime graph as an SVG picture.
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

// The most rows a run may give.
inline constexpr double LargestRunRows = 100000;
// No flashlight's battery gives more.
inline constexpr double LargestBatteryVolts = 1000;

CommandOutput RunGraph(const GraphRequest& request);

} // namespace lumora::cli
