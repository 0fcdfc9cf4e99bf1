// SPDX-License-Identifier: MIT
#pragma once

#include "calc/request/light_inputs.h"
#include "cli/report.h"

namespace lumora::cli {

// "lumora-cli sustain": what a host holds at its temperature limit, and the
// host a wanted output needs, as SustainLight (calc/reports/sustained_output.h)
// gives them.
CommandOutput RunSustain(const LightInputs& inputs);

} // namespace lumora::cli
