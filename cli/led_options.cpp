// SPDX-License-Identifier: MIT
#include "cli/led_options.h"

#include "calc/request/light_inputs.h"
#include "calc/text/mentions.h"

namespace lumora::cli {

std::variant<std::monostate, LedChoice, std::string> LedFrom(const LedOptions& options)
{
    LedOutcome outcome;
    LightField from = &LightRequest::Led;
    if (options.Preset)
        outcome = LedFromPreset(*options.Preset), from = &LightRequest::Led;
    else if (!options.Points.empty())
        outcome = LedFromPoints(options.Points), from = &LightRequest::LedPoints;
    else if (options.Spice)
        outcome = LedFromSpice(*options.Spice), from = &LightRequest::LedSpice;
    else
        return std::monostate{};
    if (const auto* refusal = std::get_if<LedRefusal>(&outcome))
        return "--" + std::string(RowOf(from).Key) + ": " + AsOptions(refusal->Text);
    return std::get<LedChoice>(std::move(outcome));
}

} // namespace lumora::cli
