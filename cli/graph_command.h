// SPDX-License-Identifier: MIT
#pragma once

#include "calc/reports/light_inputs.h"
#include "calc/reports/light_run.h"
#include "cli/report.h"

#include <optional>
#include <string>

namespace lumora::cli {

// "lumora-cli graph": the light's run from a full cell until it fades, with
// the FL1 runtime and, on request, the runtime graph as an SVG picture; the
// run itself is made by RunLight (calc/reports/light_run.h).
struct GraphRequest {
    LightInputs Inputs;              // by the keys of LightInputRows
    std::optional<std::string> Plot; // the SVG file to write
};

CommandOutput RunGraph(const GraphRequest& request);

// A refusal as the command line words it: "--current: the LED current must
// be above 0 mA", other inputs named as options.
std::string OptionText(const RunRefusal& refusal);

} // namespace lumora::cli
