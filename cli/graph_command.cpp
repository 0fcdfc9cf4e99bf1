// SPDX-License-Identifier: MIT
#include "cli/graph_command.h"

#include "calc/discharge.h"
#include "calc/field_text.h"
#include "calc/messages.h"
#include "calc/number_text.h"
#include "calc/runtime_display.h"
#include "calc/runtime_plot.h"
#include "cli/calculation.h"

#include <cmath>

namespace lumora::cli {

namespace {

// A value rounded to so many decimals, halves to even, as a field text.
std::string Fixed(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return DoubleText(RoundHalfEven(value * scale) / scale);
}

// "0.73 h" and its clock "(00:43:49)", whole days taken off first.
SummaryLine Duration(std::string label, double hours)
{
    const RuntimeDisplayText display = RuntimeDisplay(hours);
    const std::string days = display.Days && *display.Days != "0" ? *display.Days + " d " : "";
    return {std::move(label), Fixed(hours, 2), "h", "(" + days + display.Clock + ")"};
}

// The options' texts read by the window's typing rules; each refusal kept.
class Reader {
  public:
    std::optional<double> Read(const char* name, const char* caption, const std::optional<std::string>& given,
                               NumberKind kind = NumberKind::Decimal)
    {
        if (!given)
            return std::nullopt;
        Input input = MakeInput(name, caption, given);
        input.Kind = kind;
        if (std::optional<std::string> refusal = RefusalOf(input, *given)) {
            refusals.push_back(std::move(*refusal));
            return std::nullopt;
        }
        if (IsLonePoint(*given) || IsBlank(*given)) {
            refusals.push_back("--" + std::string(name) + ": " + std::string(ErrorMessage(ErrorWindow::Form7)));
            return std::nullopt;
        }
        return ReadNumber(*given);
    }

    std::vector<std::string> refusals;
};

std::string DriverName(const Driver& driver, const LedString& leds)
{
    switch (driver.Kind) {
    case DriverKind::Linear:
        return "linear regulator, " + DoubleText(driver.RegulatedAmps * 1000.0) + " mA, dropout " +
               DoubleText(driver.DropoutVolts) + " V";
    case DriverKind::Converter:
        return "constant-current converter, " + DoubleText(driver.RegulatedAmps * 1000.0) + " mA, " +
               DoubleText(driver.Efficiency * 100.0) + " % efficient";
    case DriverKind::Direct: break;
    }
    return "direct drive, " + DoubleText(leds.ResistorOhms) + " ohm in series";
}

std::string EndText(const DischargeSummary& summary, const CellModel& cell)
{
    switch (summary.End) {
    case DischargeEnd::CutOff: return "converter cut-off at " + DoubleText(cell.CutOffVolts) + " V";
    case DischargeEnd::Faded: return "output below 1 % of its start";
    case DischargeEnd::LongestRun: return "stopped after 7 days";
    case DischargeEnd::Empty: break;
    }
    return "cell empty";
}

Report RowsReport(const Discharge& run, const CellModel& cell)
{
    Report report;
    report.Columns = {{"time_h", "Time h", true},
                      {"ocv_v", "OCV V", true},
                      {"terminal_v", "Cell V", true},
                      {"battery_a", "Cell A", true},
                      {"led_ma", "LED mA", true},
                      {"vf_v", "Vf V", true},
                      {"resistor_w", "Res W", true},
                      {"led_w", "LED W", true},
                      {"loss_w", "Loss W", true},
                      {"lumens", "lm", true},
                      {"output_pct", "Out %", true},
                      {"regulated", "Reg"},
                      {"note", "Note"}};
    bool regulationEnded = false;
    for (std::size_t i = 0; i < run.Rows.size(); ++i) {
        const DischargeRow& row = run.Rows[i];
        std::vector<std::pair<std::string_view, std::string>> cells = {{"time_h", Fixed(row.Hours, 3)},
                                                                       {"ocv_v", Fixed(row.OpenCircuitVolts, 3)},
                                                                       {"terminal_v", Fixed(row.TerminalVolts, 3)},
                                                                       {"battery_a", Fixed(row.BatteryAmps, 3)},
                                                                       {"led_ma", Fixed(row.LedAmps * 1000.0, 1)},
                                                                       {"vf_v", Fixed(row.LedVolts, 3)},
                                                                       {"resistor_w", Fixed(row.ResistorWatts, 3)},
                                                                       {"led_w", Fixed(row.LedWatts, 3)},
                                                                       {"loss_w", Fixed(row.LossWatts, 3)},
                                                                       {"output_pct", Fixed(row.OutputPercent, 1)},
                                                                       {"regulated", row.Regulated ? "yes" : "no"}};
        if (run.Summary.InLumens)
            cells.emplace_back("lumens", Fixed(row.Output, 0));
        const bool last = i + 1 == run.Rows.size();
        if (last)
            cells.emplace_back("note", EndText(run.Summary, cell));
        else if (row.Regulated && !run.Rows[i + 1].Regulated && run.Rows[i + 1].Lit && !regulationEnded)
            cells.emplace_back("note", "end of regulation");
        regulationEnded = regulationEnded || !row.Regulated;
        report.AddRow(cells);
    }
    return report;
}

std::string OutputText(double output, bool lumens)
{
    return lumens ? Fixed(output, 0) + " lm" : Fixed(output * 1000.0, 1) + " mA";
}

} // namespace

CommandOutput RunGraph(const GraphRequest& request)
{
    Reader reader;
    const std::optional<double> current = reader.Read("current", "LED Current", request.Current);
    const std::optional<double> vf = reader.Read("vf", "LED Vf Voltage", request.Vf);
    const std::optional<double> resistance = reader.Read("resistance", "Resistance", request.Resistance);
    const std::optional<double> leds = reader.Read("leds", "# of LEDs", request.Leds, NumberKind::Whole);
    const std::optional<double> battery = reader.Read("battery", "Battery Input Voltage", request.Battery);
    const std::optional<double> capacity = reader.Read("capacity", "Battery mAh Capacity", request.Capacity);
    const std::optional<double> internal =
        reader.Read("internal-resistance", "Internal resistance", request.InternalResistance);
    const std::optional<double> efficiency = reader.Read("efficiency", "Converter Efficiency", request.Efficiency);
    const std::optional<double> dropout = reader.Read("dropout", "Dropout", request.Dropout);
    const std::optional<double> step = reader.Read("step", "Step", request.Step);
    if (!reader.refusals.empty()) {
        CommandOutput output;
        output.Exit = ExitCode::Refused;
        output.Errors = std::move(reader.refusals);
        return output;
    }

    DischargeRequest run;
    Driver& driver = run.Driver;
    driver.Kind = request.Driver == "linear"      ? DriverKind::Linear
                  : request.Driver == "converter" ? DriverKind::Converter
                                                  : DriverKind::Direct;
    if (driver.Kind != DriverKind::Direct && !current)
        return Stop(ExitCode::Usage, "--current: the " + request.Driver + " driver regulates a current; give it in mA");
    if (vf && !current)
        return Stop(ExitCode::Usage, "--vf: give --current too, the current at which the LED has this forward voltage");
    if (current && !(*current > 0.0))
        return Stop(ExitCode::Refused, "--current: the LED current must be above 0 mA");

    auto led = LedFrom(request.Led);
    if (auto* refusal = std::get_if<std::string>(&led))
        return Stop(ExitCode::Refused, std::move(*refusal));
    LedChoice chosen;
    if (auto* given = std::get_if<LedChoice>(&led)) {
        chosen = std::move(*given);
    } else if (vf) {
        if (!(*vf > 0.0))
            return Stop(ExitCode::Refused, "--vf: the forward voltage must be above 0 V");
        chosen = TypicalThrough(*current, *vf);
    } else {
        return Stop(ExitCode::Usage, "give the LED: --led NAME ('lumora-cli leds' lists them), --led-point MA=V "
                                     "twice or more, --led-spice, or --vf with --current");
    }

    run.Leds.Curve = chosen.Curve;
    run.Flux = chosen.Flux;
    run.Leds.Count = leds.value_or(1.0);
    if (!(run.Leds.Count >= 1.0))
        return Stop(ExitCode::Refused, "--leds: " + std::string(ErrorMessage(ErrorWindow::Form8)));
    run.Leds.Wiring = request.Wiring;
    run.Leds.ResistorOhms = resistance.value_or(0.0);
    if (current)
        driver.RegulatedAmps = *current / 1000.0;
    if (dropout)
        driver.DropoutVolts = *dropout;
    driver.Efficiency = efficiency.value_or(83.0) / 100.0;
    if (!(driver.Efficiency > 0.0) || driver.Efficiency > 1.0)
        return Stop(ExitCode::Refused,
                    "--efficiency: " + std::string(ErrorMessage(ErrorWindow::Form6)) + ", and above 0");
    if (driver.Kind == DriverKind::Linear && !(driver.DropoutVolts > 0.0))
        return Stop(ExitCode::Refused, "--dropout: a linear regulator needs a dropout above 0 V");

    std::string batteryName;
    if (battery && request.Cell)
        return Stop(ExitCode::Usage, "--battery and --cell: give one battery, a preset or a flat voltage");
    if (battery) {
        if (!(*battery > 0.0) || *battery > LargestBatteryVolts)
            return Stop(ExitCode::Refused, "--battery: " + *request.Battery +
                                               " V is no flashlight battery; give 0 to " +
                                               DoubleText(LargestBatteryVolts) + " V");
        run.Cell = FlatCell(*battery, 0.0);
        batteryName = "flat " + *request.Battery + " V";
    } else if (request.Cell) {
        run.Cell = ModelOf(*request.Cell, request.CellPack);
        batteryName = NameOf(*request.Cell) + ", " + std::to_string(request.CellPack.Series) + "S" +
                      std::to_string(request.CellPack.Parallel) + "P";
    } else {
        return Stop(ExitCode::Usage, "give the battery: --cell NAME (and --pack), or --battery V for a flat cell");
    }
    if (capacity)
        run.Cell.CapacityAh = *capacity / 1000.0;
    if (!capacity && !(run.Cell.CapacityAh > 0.0))
        return Stop(ExitCode::Usage, "--capacity: " + batteryName + " names no cell format; give the capacity in mAh");
    if (!(run.Cell.CapacityAh > 0.0))
        return Stop(ExitCode::Refused, "--capacity: a capacity of 0 mAh gives no light at all");
    if (internal)
        run.Cell.InternalOhms = *internal / 1000.0;
    const double stepPercent = step.value_or(1.0);
    if (!(stepPercent > 0.0) || stepPercent > 1.0)
        return Stop(ExitCode::Refused, "--step: a step draws more than 0 and at most 1 % of the capacity");
    if (100.0 / stepPercent > LargestRunRows)
        return Stop(ExitCode::Refused,
                    "--step: " + *request.Step + " % would give more than " + DoubleText(LargestRunRows) + " rows");
    run.StepFraction = stepPercent / 100.0;

    const Discharge result = RunDischarge(run);
    const DischargeSummary& summary = result.Summary;
    const std::string leds_ =
        DoubleText(run.Leds.Count) + (request.Wiring == Wiring::Series ? " in series" : " in parallel");
    switch (summary.Start) {
    case DischargeStart::Dark:
        return Stop(ExitCode::Refused, "the full battery (" + DoubleText(OpenCircuitVoltage(run.Cell, 0.0)) +
                                           " V) can never light " + leds_ + ": they would carry less than 0.1 mA each");
    case DischargeStart::CannotPower:
        return Stop(ExitCode::Refused, "the full battery cannot run the converter: the LEDs' power would pull it "
                                       "below its cut-off of " +
                                           DoubleText(run.Cell.CutOffVolts) + " V");
    case DischargeStart::Unlimited:
        return Stop(ExitCode::Refused, "nothing limits the current: the LED curve has no series resistance; give "
                                       "--resistance or --internal-resistance");
    case DischargeStart::Lit: break;
    }

    CommandOutput output;
    Report report = RowsReport(result, run.Cell);
    report.Summary = {
        {"LED", chosen.Name, "", ""},
        {"Driver", DriverName(driver, run.Leds), "", ""},
        {"LEDs", leds_, "", ""},
        {"Battery", batteryName, "", ""},
        {"Capacity", DoubleText(run.Cell.CapacityAh * 1000.0), "mAh", ""},
        {"Internal resistance", DoubleText(run.Cell.InternalOhms * 1000.0), "mohm", ""},
        {"Start output", OutputText(summary.StartOutput, summary.InLumens), "", ""},
        {"Output at 30 s", OutputText(summary.Output30s, summary.InLumens), "", ""},
        Duration("FL1 runtime", summary.Fl1Hours),
        Duration("Time to 50 %", summary.HalfHours),
        Duration("Time in regulation", summary.RegulatedHours),
        {"Energy drawn", Fixed(summary.DrawnWh, 2), "Wh", ""},
        {"Energy to the LEDs", Fixed(summary.DeliveredWh, 2), "Wh", ""},
        {"Average efficiency", Fixed(summary.AverageEfficiency * 100.0, 1), "%", ""},
        {"End", EndText(summary, run.Cell), "", ""},
    };
    if (!summary.Fl1Reached)
        report.Summary[8].Mark += " at least";
    output.Results = std::move(report);
    if (summary.BeyondFluxAmps > 0.0)
        output.Warnings.push_back("output counted in LED current: the LED reaches " +
                                  Fixed(summary.BeyondFluxAmps * 1000.0, 0) + " mA, beyond its measured flux (up to " +
                                  Fixed(run.Flux.back().Amps * 1000.0, 0) + " mA)");
    if (request.Leds && request.Wiring == Wiring::Parallel && run.Leds.Count > 1.0 && run.Leds.ResistorOhms > 0.0)
        output.Warnings.push_back("one resistor feeds " + *request.Leds +
                                  " LEDs in parallel: how the current shares among them depends on how closely "
                                  "their forward voltages match");
    if (request.Plot) {
        const PlotLabels labels{chosen.Name + ", " + DriverName(driver, run.Leds),
                                batteryName + ": FL1 runtime " + Fixed(summary.Fl1Hours, 2) + " h"};
        output.File = OutputFile{*request.Plot, RuntimePlotSvg(result, labels)};
    }
    return output;
}

} // namespace lumora::cli
