// SPDX-License-Identifier: MIT
#include "calc/reports/light_run.h"

#include "calc/calculators/messages.h"
#include "calc/calculators/runtime_display.h"
#include "calc/text/field_text.h"
#include "calc/text/number_text.h"

#include <array>

namespace lumora {

namespace {

constexpr std::array<RunColumn, 13> Columns = {{{"time_h", "Time h"},
                                                {"ocv_v", "OCV V"},
                                                {"terminal_v", "Cell V"},
                                                {"battery_a", "Cell A"},
                                                {"led_ma", "LED mA"},
                                                {"vf_v", "Vf V"},
                                                {"resistor_w", "Res W"},
                                                {"led_w", "LED W"},
                                                {"loss_w", "Loss W"},
                                                {"lumens", "lm"},
                                                {"output_pct", "Out %"},
                                                {"regulated", "Reg", false},
                                                {"note", "Note", false}}};

// "0.73 h" and its clock "(00:43:49)", whole days taken off first.
RunFigure Duration(std::string label, double hours)
{
    const RuntimeDisplayText display = RuntimeDisplay(hours);
    const std::string days = display.Days && *display.Days != "0" ? *display.Days + " d " : "";
    return {std::move(label), RoundedText(hours, 2), "h", "(" + days + display.Clock + ")"};
}

// The texts read by the window's typing rules; each refusal kept.
class Reader {
  public:
    std::optional<double> Read(const char* name, const char* caption, const std::optional<std::string>& given,
                               NumberKind kind = NumberKind::Decimal)
    {
        if (!given)
            return std::nullopt;
        if (!IsTypeableText(*given, kind)) {
            refusals.push_back({name, NotANumberSentence(caption, *given, kind)});
            return std::nullopt;
        }
        if (IsLonePoint(*given) || IsBlank(*given)) {
            refusals.push_back({name, std::string(ErrorMessage(ErrorWindow::Form7))});
            return std::nullopt;
        }
        return ReadNumber(*given);
    }

    std::vector<RunRefusal> refusals;
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

std::vector<std::vector<std::string>> RowTexts(const Discharge& run, const CellModel& cell)
{
    std::vector<std::vector<std::string>> rows;
    bool regulationEnded = false;
    for (std::size_t i = 0; i < run.Rows.size(); ++i) {
        const DischargeRow& row = run.Rows[i];
        std::string note;
        if (i + 1 == run.Rows.size())
            note = EndText(run.Summary, cell);
        else if (row.Regulated && !run.Rows[i + 1].Regulated && run.Rows[i + 1].Lit && !regulationEnded)
            note = "end of regulation";
        regulationEnded = regulationEnded || !row.Regulated;
        rows.push_back({RoundedText(row.Hours, 3), RoundedText(row.OpenCircuitVolts, 3),
                        RoundedText(row.TerminalVolts, 3), RoundedText(row.BatteryAmps, 3),
                        RoundedText(row.LedAmps * 1000.0, 1), RoundedText(row.LedVolts, 3),
                        RoundedText(row.ResistorWatts, 3), RoundedText(row.LedWatts, 3), RoundedText(row.LossWatts, 3),
                        run.Summary.InLumens ? RoundedText(row.Output, 0) : std::string(),
                        RoundedText(row.OutputPercent, 1), row.Regulated ? "yes" : "no", std::move(note)});
    }
    return rows;
}

std::string OutputText(double output, bool lumens)
{
    return lumens ? RoundedText(output, 0) + " lm" : RoundedText(output * 1000.0, 1) + " mA";
}

LightRun Refused(std::string input, std::string text, bool usage = false)
{
    LightRun run;
    run.Refusals.push_back({std::move(input), std::move(text)});
    run.Usage = usage;
    return run;
}

} // namespace

std::span<const RunColumn> RunColumns() { return Columns; }

LightRun RunLight(const LightInputs& inputs)
{
    Reader reader;
    const std::optional<double> current = reader.Read("current", "LED Current", inputs.Current);
    const std::optional<double> vf = reader.Read("vf", "LED Vf Voltage", inputs.Vf);
    const std::optional<double> resistance = reader.Read("resistance", "Resistance", inputs.Resistance);
    const std::optional<double> leds = reader.Read("leds", "# of LEDs", inputs.Leds, NumberKind::Whole);
    const std::optional<double> battery = reader.Read("battery", "Battery Input Voltage", inputs.Battery);
    const std::optional<double> capacity = reader.Read("capacity", "Battery mAh Capacity", inputs.Capacity);
    const std::optional<double> internal =
        reader.Read("internal-resistance", "Internal resistance", inputs.InternalResistance);
    const std::optional<double> efficiency = reader.Read("efficiency", "Converter Efficiency", inputs.Efficiency);
    const std::optional<double> dropout = reader.Read("dropout", "Dropout", inputs.Dropout);
    const std::optional<double> step = reader.Read("step", "Step", inputs.Step);
    if (!reader.refusals.empty()) {
        LightRun run;
        run.Refusals = std::move(reader.refusals);
        return run;
    }

    DischargeRequest request;
    Driver& driver = request.Driver;
    driver.Kind = inputs.Driver;
    if (driver.Kind != DriverKind::Direct && !current)
        return Refused("current",
                       std::string("the ") + (driver.Kind == DriverKind::Linear ? "linear" : "converter") +
                           " driver regulates a current; give it in mA",
                       true);
    if (vf && !current)
        return Refused("vf", "give --current too, the current at which the LED has this forward voltage", true);
    if (current && !(*current > 0.0))
        return Refused("current", "the LED current must be above 0 mA");

    LedChoice chosen;
    if (const auto* refusal = std::get_if<std::string>(&inputs.Led)) {
        return Refused("", *refusal);
    } else if (const auto* given = std::get_if<LedChoice>(&inputs.Led)) {
        chosen = *given;
    } else if (vf) {
        if (!(*vf > 0.0))
            return Refused("vf", "the forward voltage must be above 0 V");
        chosen = TypicalThrough(*current, *vf);
    } else {
        return Refused("",
                       "give the LED: --led NAME ('lumora-cli leds' lists them), --led-point MA=V twice or more, "
                       "--led-spice, or --vf with --current",
                       true);
    }

    request.Leds.Curve = chosen.Curve;
    request.Flux = chosen.Flux;
    request.Leds.Count = leds.value_or(1.0);
    if (!(request.Leds.Count >= 1.0))
        return Refused("leds", std::string(ErrorMessage(ErrorWindow::Form8)));
    request.Leds.Wiring = inputs.Wiring;
    request.Leds.ResistorOhms = resistance.value_or(0.0);
    if (current)
        driver.RegulatedAmps = *current / 1000.0;
    if (dropout)
        driver.DropoutVolts = *dropout;
    driver.Efficiency = efficiency.value_or(83.0) / 100.0;
    if (!(driver.Efficiency > 0.0) || driver.Efficiency > 1.0)
        return Refused("efficiency", std::string(ErrorMessage(ErrorWindow::Form6)) + ", and above 0");
    if (driver.Kind == DriverKind::Linear && !(driver.DropoutVolts > 0.0))
        return Refused("dropout", "a linear regulator needs a dropout above 0 V");

    std::string batteryName;
    if (battery && inputs.Cell)
        return Refused("", "--battery and --cell: give one battery, a preset or a flat voltage", true);
    if (battery) {
        if (!(*battery > 0.0) || *battery > LargestBatteryVolts)
            return Refused("battery", *inputs.Battery + " V is no flashlight battery; give 0 to " +
                                          DoubleText(LargestBatteryVolts) + " V");
        request.Cell = FlatCell(*battery, 0.0);
        batteryName = "flat " + *inputs.Battery + " V";
    } else if (inputs.Cell) {
        request.Cell = ModelOf(*inputs.Cell, inputs.CellPack);
        batteryName = NameOf(*inputs.Cell) + ", " + std::to_string(inputs.CellPack.Series) + "S" +
                      std::to_string(inputs.CellPack.Parallel) + "P";
    } else {
        return Refused("", "give the battery: --cell NAME (and --pack), or --battery V for a flat cell", true);
    }
    if (capacity)
        request.Cell.CapacityAh = *capacity / 1000.0;
    if (!capacity && !(request.Cell.CapacityAh > 0.0))
        return Refused("capacity", batteryName + " names no cell format; give the capacity in mAh", true);
    if (!(request.Cell.CapacityAh > 0.0))
        return Refused("capacity", "a capacity of 0 mAh gives no light at all");
    if (internal)
        request.Cell.InternalOhms = *internal / 1000.0;
    const double stepPercent = step.value_or(1.0);
    if (!(stepPercent > 0.0) || stepPercent > 1.0)
        return Refused("step", "a step draws more than 0 and at most 1 % of the capacity");
    if (100.0 / stepPercent > LargestRunRows)
        return Refused("step", *inputs.Step + " % would give more than " + DoubleText(LargestRunRows) + " rows");
    request.StepFraction = stepPercent / 100.0;

    LightRun run;
    run.Run = RunDischarge(request);
    const DischargeSummary& summary = run.Run.Summary;
    const std::string string =
        DoubleText(request.Leds.Count) + (inputs.Wiring == Wiring::Series ? " in series" : " in parallel");
    switch (summary.Start) {
    case DischargeStart::Dark:
        return Refused("", "the full battery (" + DoubleText(OpenCircuitVoltage(request.Cell, 0.0)) +
                               " V) can never light " + string + ": they would carry less than 0.1 mA each");
    case DischargeStart::CannotPower:
        return Refused("", "the full battery cannot run the converter: the LEDs' power would pull it below its "
                           "cut-off of " +
                               DoubleText(request.Cell.CutOffVolts) + " V");
    case DischargeStart::Unlimited:
        return Refused("", "nothing limits the current: the LED curve has no series resistance; give --resistance "
                           "or --internal-resistance");
    case DischargeStart::Lit: break;
    }

    run.Rows = RowTexts(run.Run, request.Cell);
    run.Summary = {
        {"LED", chosen.Name, "", ""},
        {"Driver", DriverName(driver, request.Leds), "", ""},
        {"LEDs", string, "", ""},
        {"Battery", batteryName, "", ""},
        {"Capacity", DoubleText(request.Cell.CapacityAh * 1000.0), "mAh", ""},
        {"Internal resistance", DoubleText(request.Cell.InternalOhms * 1000.0), "mohm", ""},
        {"Start output", OutputText(summary.StartOutput, summary.InLumens), "", ""},
        {"Output at 30 s", OutputText(summary.Output30s, summary.InLumens), "", ""},
        Duration("FL1 runtime", summary.Fl1Hours),
        Duration("Time to 50 %", summary.HalfHours),
        Duration("Time in regulation", summary.RegulatedHours),
        {"Energy drawn", RoundedText(summary.DrawnWh, 2), "Wh", ""},
        {"Energy to the LEDs", RoundedText(summary.DeliveredWh, 2), "Wh", ""},
        {"Average efficiency", RoundedText(summary.AverageEfficiency * 100.0, 1), "%", ""},
        {"End", EndText(summary, request.Cell), "", ""},
    };
    if (!summary.Fl1Reached)
        run.Summary[8].Mark += " at least";
    if (summary.BeyondFluxAmps > 0.0)
        run.Warnings.push_back(
            "output counted in LED current: the LED reaches " + RoundedText(summary.BeyondFluxAmps * 1000.0, 0) +
            " mA, beyond its measured flux (up to " + RoundedText(request.Flux.back().Amps * 1000.0, 0) + " mA)");
    if (inputs.Leds && inputs.Wiring == Wiring::Parallel && request.Leds.Count > 1.0 && request.Leds.ResistorOhms > 0.0)
        run.Warnings.push_back("one resistor feeds " + *inputs.Leds +
                               " LEDs in parallel: how the current shares among them depends on how closely "
                               "their forward voltages match");
    run.Labels = {chosen.Name + ", " + DriverName(driver, request.Leds),
                  batteryName + ": FL1 runtime " + RoundedText(summary.Fl1Hours, 2) + " h"};
    return run;
}

} // namespace lumora
