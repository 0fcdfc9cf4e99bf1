// SPDX-License-Identifier: MIT
#pragma once

#include "calc/light/battery_presets.h"
#include "cli/field_input.h"
#include "cli/report.h"
#include "cli/sweep.h"

#include <optional>
#include <string>

namespace lumora::cli {

// "lumora-cli runtime": the runtime calculator. An option not given leaves
// its field blank; the efficiency starts at the window's "83".
struct RuntimeRequest {
    GivenTexts Texts;                  // by the quantities' keys (RuntimeQuantities)
    std::optional<BatteryChoice> Cell; // fills the battery voltage (nominal) and capacity not given
    Pack CellPack;
    std::optional<SweepSpec> Sweep;
};

CommandOutput RunRuntime(const RuntimeRequest& request);

} // namespace lumora::cli
