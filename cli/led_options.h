// SPDX-License-Identifier: MIT
#pragma once

#include "calc/light/led_choice.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace lumora::cli {

// The options that name an LED's curve: a preset, measured points or a SPICE
// diode; at most one of them.
struct LedOptions {
    std::optional<std::string> Preset; // --led NAME
    std::vector<std::string> Points;   // --led-point MA=V, each
    std::optional<std::string> Spice;  // --led-spice 'IS=... N=... RS=...'
};

// The curve the options name, nullopt when none is given, or a refusal
// naming the option.
std::variant<std::monostate, LedChoice, std::string> LedFrom(const LedOptions& options);

} // namespace lumora::cli
