// SPDX-License-Identifier: MIT
#include "cli/command_line.h"

#include "calc/light/standard_resistors.h"
#include "calc/reports/sustained_output.h"
#include "calc/text/printable.h"
#include "cli/cell_test_command.h"
#include "cli/graph_command.h"
#include "cli/lists.h"
#include "cli/options.h"
#include "cli/report.h"
#include "cli/resistor_command.h"
#include "cli/runtime_command.h"
#include "cli/sustain_command.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <fstream>
#include <ostream>

namespace lumora::cli {

namespace {

constexpr const char* Program = "lumora-cli";

// The options every calculator takes beside its quantities.
struct Common {
    std::string format = "text";
    std::optional<std::string> sweep;
    BatteryOptions battery;
};

void AddCommon(CLI::App& command, Common& common)
{
    AddFormat(command, common.format);
    AddSweep(command, common.sweep);
    AddBattery(command, common.battery);
}

template <typename Request> void ApplyCommon(const Common& common, Request& request)
{
    if (common.sweep)
        request.Sweep = std::get<SweepSpec>(ParseSweep(*common.sweep));
    request.Cell = common.battery.Choice();
    request.CellPack = common.battery.Counts();
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
    AddQuantities(*runtimeCommand, RuntimeQuantities(), runtime.Texts);
    AddCommon(*runtimeCommand, runtimeCommon);

    ResistorRequest resistor;
    Common resistorCommon;
    std::optional<std::string> series;
    bool seriesWiring = false, parallel = false;
    CLI::App* resistorCommand =
        app.add_subcommand("resistor", "the resistor calculator: give three of battery, vf, current and resistance");
    const std::vector<CLI::Option*> resistorOptions =
        AddQuantities(*resistorCommand, ResistorQuantities(), resistor.Texts,
                      {{"battery", "; FULL:EMPTY or FULL:NOMINAL:EMPTY follows the current over a discharge"}});
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
    AddLedOptions(*resistorCommand, resistor.Led, resistorOptions[static_cast<std::size_t>(ResistorQuantity::LedVf)]);
    AddCommon(*resistorCommand, resistorCommon);

    GraphRequest graph;
    LightOptions light;
    std::string graphFormat = "text";
    CLI::App* graphCommand = app.add_subcommand(
        "graph", "the runtime graph: the light's output from a full cell until it fades, and its FL1 runtime");
    AddLightOptions(*graphCommand, light);
    graphCommand
        ->add_option(
            "--plot", graph.Plot,
            "also write the runtime graph as an SVG picture; '-' writes it to standard output in place of the table")
        ->option_text("FILE.svg");
    AddFormat(*graphCommand, graphFormat);

    LightOptions sustainLight;
    std::string sustainFormat = "text";
    CLI::App* sustainCommand = app.add_subcommand(
        "sustain", "what a host holds at its temperature limit: the highest steady LED current and output, and the "
                   "host a wanted output needs");
    AddLightOptions(*sustainCommand, sustainLight, SustainInputKeys());
    AddFormat(*sustainCommand, sustainFormat);

    std::string ledsFormat = "text";
    CLI::App* ledsCommand =
        app.add_subcommand("leds", "the LED presets: their fitted curves V = a + b ln(I) + Rs I and sources");
    AddFormat(*ledsCommand, ledsFormat);

    std::string cellsFormat = "text";
    CLI::App* cellsCommand = app.add_subcommand(
        "cells", "the battery presets: chemistries, cell formats and named cells with their sources; with --test, "
                 "cells discharged side by side");
    bool cellTest = false;
    CellTestRequest cellTestRequest;
    CellComparisonRequest& compared = cellTestRequest.Comparison;
    std::vector<std::string> powers;
    std::optional<std::string> cellCutOff;
    cellsCommand->add_flag("--test", cellTest,
                           "discharge the cells given from full at a constant current or power to a cut-off, and "
                           "give the charge, energy, time and mid-discharge voltage of each");
    std::vector<CLI::Option*> testOptions = {
        cellsCommand->add_option("--cell", compared.Cells, "a cell preset to test; give it again, or a list, for more")
            ->option_text("NAME[,NAME...]")
            ->delimiter(','),
        cellsCommand->add_option("--current", compared.Loads, "the test currents, A: one, or a list such as 1,3,10")
            ->option_text("A[,A...]")
            ->delimiter(','),
        cellsCommand->add_option("--power", powers, "in place of --current, constant powers, W")
            ->option_text("W[,W...]")
            ->delimiter(','),
        cellsCommand
            ->add_option("--cutoff", cellCutOff,
                         "the cut-off, V per cell (each chemistry's empty voltage when not given)")
            ->option_text("V"),
        cellsCommand
            ->add_option("--plot", cellTestRequest.Plot,
                         "also write the voltage curves as an SVG picture; '-' writes it to standard output "
                         "in place of the table")
            ->option_text("FILE.svg")};
    testOptions[1]->excludes(testOptions[2]);
    AddFormat(*cellsCommand, cellsFormat);

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
        graph.Inputs = light.Inputs();
        return Print(RunGraph(graph), graphFormat, out, err);
    }
    if (sustainCommand->parsed())
        return Print(RunSustain(sustainLight.Inputs()), sustainFormat, out, err);
    if (ledsCommand->parsed()) {
        CommandOutput leds;
        leds.Results = LedsReport();
        return Print(leds, ledsFormat, out, err);
    }
    const bool testOptionGiven = std::any_of(testOptions.begin(), testOptions.end(),
                                             [](const CLI::Option* option) { return option->count() > 0; });
    if (cellTest) {
        if (!powers.empty()) {
            compared.Kind = LoadKind::Power;
            compared.Loads = powers;
        }
        compared.CutOff = cellCutOff;
        return Print(RunCellTestCommand(cellTestRequest), cellsFormat, out, err);
    }
    CommandOutput cells;
    if (testOptionGiven) {
        cells.Exit = ExitCode::Usage;
        cells.Errors.push_back("--cell, --current, --power, --cutoff and --plot are a battery test's: add --test");
        return Print(cells, cellsFormat, out, err);
    }
    cells.Results = CellsReport();
    return Print(cells, cellsFormat, out, err);
}

} // namespace lumora::cli
