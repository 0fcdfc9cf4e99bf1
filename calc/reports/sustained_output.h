// SPDX-License-Identifier: MIT
#pragma once

#include "calc/reports/light_run.h"
#include "calc/request/light_inputs.h"

#include <span>
#include <string_view>
#include <vector>

namespace lumora {

// What a host can sustain: the highest steady LED current and output at its
// temperature limit, where the heat of the LEDs and the driver equals what
// the host sheds, (limit - ambient) / resistance; and, for a wanted output,
// the host it needs. lumora-cli sustain and the page's sustained output
// make it here.

// The inputs it reads, by LightInputRows' keys: the LED, the host and the
// limit, the driver's efficiency and the wanted output.
std::span<const std::string_view> SustainInputKeys();

// Whether an input of SustainInputKeys acts on the answer for these inputs:
// the typical LED's forward voltage and its current only while no LED is
// named; the others always.
bool ActsOnSustain(std::string_view key, const LightInputs& inputs);

struct SustainedOutput {
    std::vector<RunRefusal> Refusals; // as a run's
    bool Usage = false;
    std::vector<RunLine> Summary;
    std::vector<RunField> Understood; // the inputs as taken
    std::vector<RunField> Figures;    // the answer, numbers apart from their units
};

SustainedOutput SustainLight(const LightInputs& inputs);
SustainedOutput SustainLight(const LightRequest& request);

} // namespace lumora
