// SPDX-License-Identifier: MIT
#include "cli/led_options.h"

#include "calc/text/mentions.h"

namespace lumora::cli {

std::variant<std::monostate, LedChoice, std::string> LedFrom(const LedOptions& options)
{
    LedOutcome outcome;
    if (options.Preset)
        outcome = LedFromPreset(*options.Preset);
    else if (!options.Points.empty())
        outcome = LedFromPoints(options.Points);
    else if (options.Spice)
        outcome = LedFromSpice(*options.Spice);
    else
        return std::monostate{};
    if (const auto* refusal = std::get_if<LedRefusal>(&outcome))
        return "--" + refusal->Input + ": " + AsOptions(refusal->Text);
    return std::get<LedChoice>(std::move(outcome));
}

} // namespace lumora::cli
