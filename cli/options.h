// SPDX-License-Identifier: MIT
#pragma once

#include "calc/calculators/quantities.h"
#include "calc/light/battery_presets.h"
#include "calc/request/light_inputs.h"
#include "cli/field_input.h"
#include "cli/led_options.h"
#include "cli/sweep.h"

#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace CLI {
class App;
class Option;
} // namespace CLI

namespace lumora::cli {

// The options of lumora-cli's commands, made from the core's tables: a
// calculator's quantities (QuantityRow) and a light's inputs
// (LightInputRow), each named "--" and its key, with the row's help.

// --format text, csv or json.
void AddFormat(CLI::App& command, std::string& format);

// An option for each quantity typed ("--current"), with the row's help, its
// start text and a note of this command's; the options in the rows' order,
// nullptr for one written only.
std::vector<CLI::Option*> AddQuantities(CLI::App& command, std::span<const QuantityRow> rows, GivenTexts& texts,
                                        const std::map<std::string_view, std::string_view>& notes = {});

// --cell and --pack (which needs --cell) of a calculator.
struct BatteryOptions {
    std::optional<std::string> Cell, Pack;
    std::optional<BatteryChoice> Choice() const;
    lumora::Pack Counts() const;
};
void AddBattery(CLI::App& command, BatteryOptions& battery);

// --sweep NAME=FROM:TO:STEP.
void AddSweep(CLI::App& command, std::optional<std::string>& sweep);

// What each calculator takes beside its quantities: --format, --sweep,
// --cell and --pack, set on its request once parsed.
struct CalculatorOptions {
    std::optional<std::string> Sweep;
    BatteryOptions Battery;

    template <typename Request> void Apply(Request& request) const
    {
        if (Sweep)
            request.Sweep = std::get<SweepSpec>(ParseSweep(*Sweep));
        request.Cell = Battery.Choice();
        request.CellPack = Battery.Counts();
    }
};
void AddCalculatorOptions(CLI::App& command, CalculatorOptions& options, std::string& format);

// --led, --led-point and --led-spice, and with them 'vf': one at most.
void AddLedOptions(CLI::App& command, LedOptions& led, CLI::Option* vf);

// Every input of a light's run as its row makes it: a value, a repeated
// point, or a flag for each choice (--series, --parallel).
struct LightOptions {
    GivenTexts Texts;
    std::map<std::string, std::vector<std::string>> Repeated;
    std::map<std::string, bool> Flags; // by the choice's value
    LightInputs Inputs() const;
};
// An option for each of the light's input rows: all those of a run, or
// those of 'keys' alone.
void AddLightOptions(CLI::App& command, LightOptions& options, std::span<const std::string_view> keys = {});

} // namespace lumora::cli
