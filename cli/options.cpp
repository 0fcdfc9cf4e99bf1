// SPDX-License-Identifier: MIT
#include "cli/options.h"

#include <algorithm>

#include "calc/light/led_choice.h"
#include "calc/text/mentions.h"

#include <CLI/CLI.hpp>

namespace lumora::cli {

namespace {

// "MA" for mA: how an option shows its value.
std::string ValueName(std::string_view unit)
{
    if (unit.empty())
        return "N";
    if (unit == "%")
        return "PCT";
    std::string name(unit);
    for (char& c : name)
        c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    return name;
}

std::string OptionName(std::string_view key) { return "--" + std::string(key); }

using R = LightRequest;

// A value checked by the row's own check: a choice or pack it names.
CLI::Option* WithCheck(CLI::Option* option, const LightInputRow& row)
{
    if (row.Check)
        option->check([check = row.Check](const std::string& text) { return check(text); });
    return option;
}

} // namespace

void AddFormat(CLI::App& command, std::string& format)
{
    command.add_option("--format", format, "text (aligned columns), csv (with a header row) or json")
        ->check(CLI::IsMember({"text", "csv", "json"}))
        ->capture_default_str();
}

std::vector<CLI::Option*> AddQuantities(CLI::App& command, std::span<const QuantityRow> rows, GivenTexts& texts,
                                        const std::map<std::string_view, std::string_view>& notes)
{
    std::vector<CLI::Option*> options;
    for (const QuantityRow& row : rows) {
        if (row.Written) {
            options.push_back(nullptr);
            continue;
        }
        std::string help(row.Help);
        if (!row.Start.empty())
            help += " (" + std::string(row.Start) + " when not given" +
                    (row.Solvable ? "; " + OptionName(row.Key) + " '' leaves it blank to solve for it" : "") + ")";
        if (const auto note = notes.find(row.Key); note != notes.end())
            help += note->second;
        options.push_back(command.add_option(OptionName(row.Key), texts[std::string(row.Key)], help)
                              ->option_text(ValueName(row.Unit)));
    }
    return options;
}

std::optional<BatteryChoice> BatteryOptions::Choice() const { return Cell ? BatteryNamed(*Cell) : std::nullopt; }

Pack BatteryOptions::Counts() const { return Pack ? *PackNamed(*Pack) : lumora::Pack{}; }

void AddBattery(CLI::App& command, BatteryOptions& battery)
{
    const LightInputRow& cell = RowOf(&R::Cell);
    const LightInputRow& pack = RowOf(&R::Pack);
    CLI::Option* cellOption = WithCheck(command.add_option(OptionName(cell.Key), battery.Cell, CommandLineHelp(cell))
                                            ->option_text(std::string(cell.ValueName)),
                                        cell);
    WithCheck(command.add_option(OptionName(pack.Key), battery.Pack, CommandLineHelp(pack))
                  ->option_text(std::string(pack.ValueName))
                  ->needs(cellOption),
              pack);
}

void AddSweep(CLI::App& command, std::optional<std::string>& sweep)
{
    command
        .add_option("--sweep", sweep,
                    "one row for each value of an input from FROM to TO in steps of STEP, for example "
                    "current=100:1000:100; as with seq, STEP takes the direction's sign: battery=4.2:3:-0.3 counts "
                    "down")
        ->option_text("NAME=FROM:TO:STEP")
        ->check([](const std::string& text) {
            auto parsed = ParseSweep(text);
            auto* problem = std::get_if<std::string>(&parsed);
            return problem ? *problem : std::string();
        });
}

void AddCalculatorOptions(CLI::App& command, CalculatorOptions& options, std::string& format)
{
    AddFormat(command, format);
    AddSweep(command, options.Sweep);
    AddBattery(command, options.Battery);
}

void AddLedOptions(CLI::App& command, LedOptions& led, CLI::Option* vf)
{
    const auto option = [&](const LightInputRow& row, auto& target) {
        return WithCheck(command.add_option(OptionName(row.Key), target, CommandLineHelp(row))
                             ->option_text(std::string(row.ValueName)),
                         row);
    };
    CLI::Option* preset = option(RowOf(&R::Led), led.Preset);
    CLI::Option* points = option(RowOf(&R::LedPoints), led.Points)->excludes(preset);
    CLI::Option* spice = option(RowOf(&R::LedSpice), led.Spice)->excludes(preset)->excludes(points);
    if (vf)
        vf->excludes(preset)->excludes(points)->excludes(spice);
}

void AddLightOptions(CLI::App& command, LightOptions& options, std::span<const std::string_view> keys)
{
    std::map<std::string_view, std::vector<CLI::Option*>> groups;
    for (const LightInputRow& row : LightInputRows()) {
        const bool chosen =
            keys.empty() ? !row.SustainOnly : std::find(keys.begin(), keys.end(), row.Key) != keys.end();
        if (!chosen)
            continue;
        const std::string key(row.Key);
        if (row.ChoiceFlags) {
            CLI::Option* first = nullptr;
            for (const InputChoice& choice : row.Choices()) {
                CLI::Option* flag =
                    command.add_flag(OptionName(choice.Value), options.Flags[choice.Value], choice.Help);
                if (first)
                    flag->excludes(first);
                first = first ? first : flag;
            }
            continue;
        }
        CLI::Option* option = row.Kind == InputKind::Points
                                  ? command.add_option(OptionName(row.Key), options.Repeated[key], CommandLineHelp(row))
                                  : command.add_option(OptionName(row.Key), options.Texts[key], CommandLineHelp(row));
        if (!row.ValueName.empty())
            option->option_text(std::string(row.ValueName));
        WithCheck(option, row);
        if (!row.Group.empty()) {
            for (CLI::Option* earlier : groups[row.Group])
                option->excludes(earlier);
            groups[row.Group].push_back(option);
        }
    }
}

LightInputs LightOptions::Inputs() const
{
    LightInputs inputs;
    for (const LightInputRow& row : LightInputRows()) {
        const std::string key(row.Key);
        if (row.ChoiceFlags) {
            for (const InputChoice& choice : row.Choices()) {
                if (const auto flag = Flags.find(choice.Value); flag != Flags.end() && flag->second)
                    inputs.Give(row.Key, choice.Value);
            }
        } else if (row.Kind == InputKind::Points) {
            if (const auto given = Repeated.find(key); given != Repeated.end()) {
                for (const std::string& text : given->second)
                    inputs.Give(row.Key, text);
            }
        } else if (const std::optional<std::string> text = GivenText(Texts, key)) {
            inputs.Give(row.Key, *text);
        }
    }
    return inputs;
}

} // namespace lumora::cli
