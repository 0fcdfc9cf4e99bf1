// SPDX-License-Identifier: MIT
#include "cli/command_line.h"

#include "calc/calculators/messages.h"
#include "calc/light/battery_presets.h"
#include "calc/light/led_presets.h"
#include "calc/light/standard_resistors.h"
#include "calc/text/number_text.h"
#include "calc/text/printable.h"
#include "cli/calculation.h"
#include "cli/graph_command.h"
#include "cli/led_options.h"
#include "cli/report.h"
#include "cli/resistor_command.h"
#include "cli/runtime_command.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <fstream>
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

void AddFormat(CLI::App& command, std::string& format)
{
    command.add_option("--format", format, "text (aligned columns), csv (with a header row) or json")
        ->check(CLI::IsMember({"text", "csv", "json"}))
        ->capture_default_str();
}

void AddBattery(CLI::App& command, Common& common)
{
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

void AddLed(CLI::App& command, LedOptions& led, CLI::Option* vf)
{
    CLI::Option* preset =
        command.add_option("--led", led.Preset, "an LED preset in place of --vf; 'lumora-cli leds' lists them")
            ->option_text("NAME")
            ->check([](const std::string& text) { return LedNamed(text) ? std::string() : UnknownLedText(text); });
    CLI::Option* points =
        command.add_option("--led-point", led.Points, "a measured point of the LED, twice or more: MA=V")
            ->option_text("MA=V")
            ->excludes(preset);
    command.add_option("--led-spice", led.Spice, "the LED as a SPICE diode, for example 'IS=4.4e-9 N=8.39 RS=7.8'")
        ->option_text("'IS= N= RS='")
        ->excludes(preset)
        ->excludes(points);
    if (vf) {
        vf->excludes(preset);
        vf->excludes(points);
        vf->excludes("--led-spice");
    }
}

void AddCommon(CLI::App& command, Common& common)
{
    AddFormat(command, common.format);
    command
        .add_option("--sweep", common.sweep,
                    "one row for each value of an input from FROM to TO in steps of STEP, for example "
                    "current=100:1000:100; as with seq, STEP takes the direction's sign: battery=4.2:3:-0.3 counts "
                    "down")
        ->option_text("NAME=FROM:TO:STEP")
        ->check([](const std::string& text) {
            auto parsed = ParseSweep(text);
            auto* problem = std::get_if<std::string>(&parsed);
            return problem ? *problem : std::string();
        });
    AddBattery(command, common);
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

Report LedsReport()
{
    Report report;
    report.Columns = {{"name", "Name"},           {"a_v", "a V", true},   {"b_v", "b V", true},
                      {"rs_ohm", "Rs ohm", true}, {"is_a", "IS A", true}, {"n", "N", true},
                      {"flux", "Flux"},           {"led", "LED"},         {"source", "Source"}};
    for (const LedPreset& preset : LedPresets()) {
        const LedCurve curve = FittedCurve(preset);
        const SpiceDiode diode = SpiceOf(curve);
        report.AddRow({{"name", std::string(preset.Id)},
                       {"a_v", DecimalText(curve.A, 4)},
                       {"b_v", DecimalText(curve.B, 3)},
                       {"rs_ohm", DecimalText(curve.Rs, 3)},
                       {"is_a", DecimalText(diode.Is, 3)},
                       {"n", DecimalText(diode.N, 3)},
                       {"flux", preset.Flux.empty() ? "no" : "yes"},
                       {"led", std::string(preset.Name)},
                       {"source", std::string(preset.Source) +
                                      (preset.Flux.empty() ? "" : "; flux: " + std::string(preset.FluxSource))}});
    }
    return report;
}

int Print(const CommandOutput& output, const std::string& format, std::ostream& out, std::ostream& err)
{
    if (output.File && output.File->Path == "-") {
        out << output.File->Text;
        out.flush();
    } else if (output.File) {
        std::ofstream file(output.File->Path, std::ios::binary);
        file << output.File->Text;
        file.close();
        if (!file) {
            err << Program << ": cannot write the picture to " << Printable(output.File->Path) << '\n';
            return static_cast<int>(ExitCode::Failed);
        }
    }
    if (output.Results && !(output.File && output.File->Path == "-"))
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
    CLI::Option* resistorVf =
        resistorCommand->add_option("--vf", resistor.Vf, "forward voltage of one LED, V")->option_text("V");
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
    AddLed(*resistorCommand, resistor.Led, resistorVf);
    AddCommon(*resistorCommand, resistorCommon);

    GraphRequest graph;
    Common graphCommon;
    bool graphSeries = false, graphParallel = false;
    CLI::App* graphCommand = app.add_subcommand(
        "graph", "the runtime graph: the light's output from a full cell until it fades, and its FL1 runtime");
    graphCommand->add_option("--driver", graph.Driver, "direct (FET, with --resistance), linear or converter")
        ->check(CLI::IsMember({"direct", "linear", "converter"}))
        ->capture_default_str();
    AddField(*graphCommand, "--current", graph.Current, "MA",
             "the driver's regulated current per LED, mA; with --vf, the current at which it is given");
    CLI::Option* graphVf =
        graphCommand->add_option("--vf", graph.Vf, "forward voltage of one LED at --current, V")->option_text("V");
    AddLed(*graphCommand, graph.Led, graphVf);
    AddField(*graphCommand, "--resistance", graph.Resistance, "OHM", "the series resistor, ohms (0 when not given)");
    AddField(*graphCommand, "--leds", graph.Leds, "N", "number of LEDs (1 when not given)");
    CLI::Option* graphSeriesFlag = graphCommand->add_flag("--series", graphSeries, "the LEDs in series (the default)");
    graphCommand->add_flag("--parallel", graphParallel, "the LEDs in parallel behind the one resistor")
        ->excludes(graphSeriesFlag);
    AddField(*graphCommand, "--battery", graph.Battery, "V",
             "a flat cell of this voltage, without internal resistance (the runtime calculator's assumption)");
    AddBattery(*graphCommand, graphCommon);
    AddField(*graphCommand, "--capacity", graph.Capacity, "MAH", "capacity, mAh (the preset's when not given)");
    AddField(*graphCommand, "--internal-resistance", graph.InternalResistance, "MOHM",
             "the battery's internal resistance, milliohms (the preset's when not given)");
    AddField(*graphCommand, "--efficiency", graph.Efficiency, "PCT", "converter efficiency, % (83 when not given)");
    AddField(*graphCommand, "--dropout", graph.Dropout, "V",
             "what the linear regulator needs across it, V (0.15 when not given)");
    AddField(*graphCommand, "--step", graph.Step, "PCT",
             "the most charge one row draws, % of the capacity (1 when not given)");
    graphCommand
        ->add_option(
            "--plot", graph.Plot,
            "also write the runtime graph as an SVG picture; '-' writes it to standard output in place of the table")
        ->option_text("FILE.svg");
    AddFormat(*graphCommand, graphCommon.format);

    std::string ledsFormat = "text";
    CLI::App* ledsCommand =
        app.add_subcommand("leds", "the LED presets: their fitted curves V = a + b ln(I) + Rs I and sources");
    ledsCommand->add_option("--format", ledsFormat, "text, csv or json")
        ->check(CLI::IsMember({"text", "csv", "json"}))
        ->capture_default_str();

    std::string cellsFormat = "text";
    CLI::App* cellsCommand = app.add_subcommand("cells", "the battery presets: chemistries and cell formats");
    cellsCommand->add_option("--format", cellsFormat, "text, csv or json")
        ->check(CLI::IsMember({"text", "csv", "json"}))
        ->capture_default_str();

    // A mistyped command is named, not taken for a missing one.
    std::vector<std::string> known;
    for (const CLI::App* command : app.get_subcommands({}))
        known.push_back(command->get_name());
    if (!args.empty() && !args.front().empty() && args.front().front() != '-' &&
        std::find(known.begin(), known.end(), args.front()) == known.end()) {
        err << Program << ": there is no command \"" << Printable(args.front(), 1000)
            << "\"; known: " << CommaList(known) << '\n'
            << "Try '" << Program << " --help' for the commands and their options.\n";
        return static_cast<int>(ExitCode::Usage);
    }

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
    if (graphCommand->parsed()) {
        if (graphCommon.cell)
            graph.Cell = BatteryNamed(*graphCommon.cell);
        if (graphCommon.pack)
            graph.CellPack = *PackNamed(*graphCommon.pack);
        graph.Wiring = graphParallel ? Wiring::Parallel : Wiring::Series;
        return Print(RunGraph(graph), graphCommon.format, out, err);
    }
    if (ledsCommand->parsed()) {
        CommandOutput leds;
        leds.Results = LedsReport();
        return Print(leds, ledsFormat, out, err);
    }
    CommandOutput cells;
    cells.Results = CellsReport();
    return Print(cells, cellsFormat, out, err);
}

} // namespace lumora::cli
