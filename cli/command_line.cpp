// SPDX-License-Identifier: MIT
#include "cli/command_line.h"

#include "calc/battery_presets.h"
#include "calc/messages.h"
#include "calc/number_text.h"
#include "calc/standard_resistors.h"
#include "cli/calculation.h"
#include "cli/report.h"
#include "cli/resistor_command.h"
#include "cli/runtime_command.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <ostream>

namespace lumora::cli {

namespace {

constexpr const char* Program = "lumora-cli";

std::string KnownBatteries()
{
    std::vector<std::string> names;
    for (const Chemistry& chemistry : Chemistries())
        names.emplace_back(chemistry.Id);
    for (const Cell& cell : Cells())
        names.push_back(NameOf(BatteryChoice{nullptr, &cell}));
    return CommaList(names);
}

// The options every calculator takes beside its fields.
struct Common {
    std::string format = "text";
    std::optional<std::string> sweep, cell, pack;
};

void AddCommon(CLI::App& command, Common& common)
{
    command.add_option("--format", common.format, "text (aligned columns), csv (with a header row) or json")
        ->check(CLI::IsMember({"text", "csv", "json"}))
        ->capture_default_str();
    command
        .add_option("--sweep", common.sweep,
                    "one row for each value of an input from FROM to TO in steps of STEP, for example "
                    "current=100:1000:100")
        ->option_text("NAME=FROM:TO:STEP")
        ->check([](const std::string& text) {
            auto parsed = ParseSweep(text);
            auto* problem = std::get_if<std::string>(&parsed);
            return problem ? *problem : std::string();
        });
    CLI::Option* cell =
        command
            .add_option("--cell", common.cell,
                        "a battery preset: a chemistry (li-ion), a cell format (18650) or both (aa-nimh); "
                        "'lumora-cli cells' lists them")
            ->option_text("NAME")
            ->check([](const std::string& text) {
                return BatteryNamed(text) ? std::string() : "no preset \"" + text + "\"; known: " + KnownBatteries();
            });
    command.add_option("--pack", common.pack, "cells in series and parallel, for example 2S, 2P or 2S2P")
        ->option_text("2S1P")
        ->needs(cell)
        ->check([](const std::string& text) {
            return PackNamed(text) ? std::string()
                                   : "\"" + text + "\" is no pack; write it as 2S, 2P or 2S2P (1 to " +
                                         std::to_string(LargestPackCount) + " cells each)";
        });
}

template <typename Request> void ApplyCommon(const Common& common, Request& request)
{
    if (common.sweep)
        request.Sweep = std::get<SweepSpec>(ParseSweep(*common.sweep));
    if (common.cell)
        request.Cell = BatteryNamed(*common.cell);
    if (common.pack)
        request.CellPack = *PackNamed(*common.pack);
}

void AddField(CLI::App& command, const char* name, std::optional<std::string>& text, const char* unit, const char* help)
{
    command.add_option(name, text, help)->option_text(unit);
}

Report CellsReport()
{
    Report report;
    report.Columns = {{"name", "Name"},
                      {"chemistry", "Chemistry"},
                      {"full_v", "Full V", true},
                      {"nominal_v", "Nominal V", true},
                      {"empty_v", "Empty V", true},
                      {"capacity_mah", "mAh", true},
                      {"description", "Description"}};
    for (const Chemistry& c : Chemistries())
        report.AddRow({{"name", std::string(c.Id)},
                       {"chemistry", std::string(c.Id)},
                       {"full_v", std::string(c.Full)},
                       {"nominal_v", std::string(c.Nominal)},
                       {"empty_v", std::string(c.Empty)},
                       {"description", std::string(c.Description)}});
    for (const Cell& cell : Cells()) {
        const BatteryChoice choice = *BatteryNamed(NameOf(BatteryChoice{nullptr, &cell}));
        const PackTexts texts = TextsOf(choice, Pack{});
        report.AddRow({{"name", NameOf(choice)},
                       {"chemistry", std::string(cell.Chemistry)},
                       {"full_v", texts.Full},
                       {"nominal_v", texts.Nominal},
                       {"empty_v", texts.Empty},
                       {"capacity_mah", *texts.CapacityMah},
                       {"description", std::string(choice.chemistry->Description)}});
    }
    return report;
}

int Print(const CommandOutput& output, const std::string& format, std::ostream& out, std::ostream& err)
{
    if (output.Results)
        Write(*output.Results, *FormatNamed(format), out);
    out.flush();
    for (const std::string& warning : output.Warnings)
        err << Program << ": warning: " << Printable(warning) << '\n';
    for (const std::string& error : output.Errors)
        err << Program << ": " << Printable(error) << '\n';
    return static_cast<int>(output.Exit);
}

} // namespace

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    CLI::App app{"The runtime and resistor calculators of Lumora, for LED flashlights.", Program};
    app.set_version_flag("--version", std::string(Program) + " " + LUMORA_VERSION);
    app.require_subcommand(1);
    app.footer("Leave out the one quantity to solve for. Exit codes: 0 solved, 1 input refused, 2 usage, "
               "3 calculation failed. 'lumora-cli COMMAND --help' shows a command's options.");

    RuntimeRequest runtime;
    Common runtimeCommon;
    CLI::App* runtimeCommand = app.add_subcommand(
        "runtime", "the runtime calculator: give five of current, vf, battery, capacity, runtime and efficiency");
    AddField(*runtimeCommand, "--current", runtime.Current, "MA", "LED current, mA");
    AddField(*runtimeCommand, "--vf", runtime.Vf, "V", "LED forward voltage, V");
    AddField(*runtimeCommand, "--battery", runtime.Battery, "V", "battery voltage, V");
    AddField(*runtimeCommand, "--capacity", runtime.Capacity, "MAH", "battery capacity, mAh");
    AddField(*runtimeCommand, "--runtime", runtime.Runtime, "H", "runtime, decimal hours");
    AddField(*runtimeCommand, "--efficiency", runtime.Efficiency, "PCT",
             "converter efficiency, % (83 when not given; --efficiency '' leaves it blank to solve for it)");
    AddCommon(*runtimeCommand, runtimeCommon);

    ResistorRequest resistor;
    Common resistorCommon;
    std::optional<std::string> series;
    bool seriesWiring = false, parallel = false;
    CLI::App* resistorCommand =
        app.add_subcommand("resistor", "the resistor calculator: give three of battery, vf, current and resistance");
    AddField(*resistorCommand, "--battery", resistor.Battery, "V",
             "battery voltage, V; FULL:EMPTY or FULL:NOMINAL:EMPTY follows the current over a discharge");
    AddField(*resistorCommand, "--vf", resistor.Vf, "V", "forward voltage of one LED, V");
    AddField(*resistorCommand, "--current", resistor.Current, "MA", "current of one LED, mA");
    AddField(*resistorCommand, "--resistance", resistor.Resistance, "OHM", "resistance, ohms");
    AddField(*resistorCommand, "--leds", resistor.Leds, "N", "number of LEDs (1 when not given)");
    CLI::Option* seriesFlag = resistorCommand->add_flag("--series", seriesWiring, "the LEDs in series (the default)");
    resistorCommand->add_flag("--parallel", parallel, "the LEDs in parallel behind the one resistor")
        ->excludes(seriesFlag);
    resistorCommand
        ->add_option("--e-series", series,
                     "the standard resistors just below and above, with their current and power: E6, E12, E24 "
                     "(when no series is named), E48, E96 or E192")
        ->option_text("[SERIES]")
        ->expected(0, 1)
        ->check([](const std::string& text) {
            return text.empty() || ESeriesNamed(text)
                       ? std::string()
                       : "no series \"" + text + "\"; known: E6, E12, E24, E48, E96, E192";
        });
    AddCommon(*resistorCommand, resistorCommon);

    std::string cellsFormat = "text";
    CLI::App* cellsCommand = app.add_subcommand("cells", "the battery presets: chemistries and cell formats");
    cellsCommand->add_option("--format", cellsFormat, "text, csv or json")
        ->check(CLI::IsMember({"text", "csv", "json"}))
        ->capture_default_str();

    try {
        std::vector<std::string> reversed(args.rbegin(), args.rend()); // CLI11 takes them last first
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        const auto selected = app.get_subcommands();
        out << (selected.empty() ? app.help() : selected.front()->help(Program));
        return 0;
    } catch (const CLI::CallForVersion&) {
        out << std::string(Program) + " " + LUMORA_VERSION << '\n';
        return 0;
    } catch (const CLI::ParseError& error) {
        err << Program << ": " << Printable(error.what(), 1000) << '\n'
            << "Try '" << Program << " --help' for the commands and their options.\n";
        return static_cast<int>(ExitCode::Usage);
    }

    if (runtimeCommand->parsed()) {
        ApplyCommon(runtimeCommon, runtime);
        return Print(RunRuntime(runtime), runtimeCommon.format, out, err);
    }
    if (resistorCommand->parsed()) {
        ApplyCommon(resistorCommon, resistor);
        resistor.Wiring = parallel ? Wiring::Parallel : Wiring::Series;
        if (series)
            resistor.Series = series->empty() ? ESeries::E24 : *ESeriesNamed(*series);
        return Print(RunResistor(resistor), resistorCommon.format, out, err);
    }
    CommandOutput cells;
    cells.Results = CellsReport();
    return Print(cells, cellsFormat, out, err);
}

} // namespace lumora::cli
