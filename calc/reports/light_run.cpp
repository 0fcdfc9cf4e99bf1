// SPDX-License-Identifier: MIT
#include "calc/reports/light_run.h"

#include "calc/reports/light_reading.h"

#include "calc/calculators/messages.h"
#include "calc/calculators/runtime_display.h"
#include "calc/reports/resistor_to_buy.h"
#include "calc/text/field_text.h"
#include "calc/text/number_text.h"

#include <array>
#include <map>

namespace lumora {

namespace {

constexpr std::array<RunColumn, 3> HeatColumns = {{{"host_c", "Host C"}, {"junction_c", "Tj C"}, {"heat_w", "Heat W"}}};
// The heat's columns go in before these last two.
constexpr std::size_t TrailingColumns = 2;
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

// Every resistor in the circuit named, not only direct drive's: a resistor
// left in front of a regulator still takes its share.
std::string CircuitName(const Driver& driver, const LedString& leds)
{
    const std::string name = DriverName(driver, leds);
    return driver.Kind != DriverKind::Direct && leds.ResistorOhms > 0.0
               ? name + ", " + DoubleText(leds.ResistorOhms) + " ohm in series"
               : name;
}

std::string EndText(const DischargeSummary& summary, const CellModel& cell, DriverKind driver)
{
    switch (summary.End) {
    case DischargeEnd::CutOff:
        return std::string(driver == DriverKind::Converter ? "converter" : "low-voltage") + " cut-off at " +
               DoubleText(cell.CutOffVolts) + " V";
    case DischargeEnd::Faded: return "output below 1 % of its start";
    case DischargeEnd::LongestRun: return "stopped after 7 days";
    case DischargeEnd::Empty: break;
    }
    return "cell empty";
}

std::vector<std::vector<std::string>> RowTexts(const Discharge& run, const CellModel& cell, DriverKind driver,
                                               bool heat, std::optional<double> stepDownHours)
{
    std::vector<std::vector<std::string>> rows;
    bool regulationEnded = false;
    for (std::size_t i = 0; i < run.Rows.size(); ++i) {
        const DischargeRow& row = run.Rows[i];
        std::string note;
        if (i + 1 == run.Rows.size())
            note = EndText(run.Summary, cell, driver);
        else if (row.Regulated && !run.Rows[i + 1].Regulated && run.Rows[i + 1].Lit && !regulationEnded)
            note = "end of regulation";
        else if (i > 0 && row.Limited && !run.Rows[i - 1].Limited)
            note = "thermal limit: output lowered";
        else if (i > 0 && stepDownHours && row.Hours == *stepDownHours && run.Rows[i - 1].Hours == row.Hours)
            note = "timed step-down";
        regulationEnded = regulationEnded || !row.Regulated;
        std::vector<std::string> texts = {RoundedText(row.Hours, 3),
                                          RoundedText(row.OpenCircuitVolts, 3),
                                          RoundedText(row.TerminalVolts, 3),
                                          RoundedText(row.BatteryAmps, 3),
                                          RoundedText(row.LedAmps * 1000.0, 1),
                                          RoundedText(row.LedVolts, 3),
                                          RoundedText(row.ResistorWatts, 3),
                                          RoundedText(row.LedWatts, 3),
                                          RoundedText(row.LossWatts, 3),
                                          run.Summary.InLumens ? RoundedText(row.Output, 0) : std::string(),
                                          RoundedText(row.OutputPercent, 1)};
        if (heat)
            texts.insert(texts.end(),
                         {RoundedText(row.HostC, 2), RoundedText(row.JunctionC, 2), RoundedText(row.HeatW, 3)});
        texts.insert(texts.end(), {row.Regulated ? "yes" : "no", std::move(note)});
        rows.push_back(std::move(texts));
    }
    return rows;
}

// The summary's lines for people and the same figures for a script: each
// value once, its unit apart in the record.
class Summary {
  public:
    explicit Summary(LightRun& run) : m_run(run) {}

    // A line of the summary, for people.
    void Line(std::string label, std::string value, std::string unit = "")
    {
        m_run.Summary.push_back({std::move(label), std::move(value), std::move(unit), ""});
    }

    // A field of the record, for a script: an input as the run took it, or
    // one of its figures.
    void Input(std::string key, std::string text, bool numeric = true)
    {
        m_run.Understood.push_back({std::move(key), std::move(text), numeric});
    }
    void Figure(std::string key, std::string text, bool numeric = true)
    {
        m_run.Figures.push_back({std::move(key), std::move(text), numeric});
    }

    // A line whose value is a figure of the record too.
    void Both(std::string label, std::string key, std::string value, std::string unit = "", bool numeric = true)
    {
        Figure(std::move(key), value, numeric);
        Line(std::move(label), std::move(value), std::move(unit));
    }

    // A mark after the last line's value and unit: "(at the limit)".
    void Mark(std::string mark) { m_run.Summary.back().Mark = std::move(mark); }

    // "0.73 h" and its clock "(00:43:49)", whole days taken off first; the
    // record holds the hours ("fl1_runtime_h") and the clock text.
    void Duration(std::string label, const std::string& key, double hours, const std::string& mark = "")
    {
        const RuntimeDisplayText display = RuntimeDisplay(hours);
        const std::string days = display.Days && *display.Days != "0" ? *display.Days + " d " : "";
        const std::string clock = days + display.Clock;
        m_run.Figures.push_back({key + "_h", RoundedText(hours, 2), true});
        m_run.Figures.push_back({key + "_clock", clock, false});
        m_run.Summary.push_back({std::move(label), RoundedText(hours, 2), "h", "(" + clock + ")" + mark});
    }

  private:
    LightRun& m_run;
};

} // namespace

std::vector<RunColumn> RunColumns(bool heat)
{
    std::vector<RunColumn> columns(Columns.begin(), Columns.end());
    if (heat)
        columns.insert(columns.end() - TrailingColumns, HeatColumns.begin(), HeatColumns.end());
    return columns;
}

LightRun RunLight(const LightInputs& inputs)
{
    const Reader reader(inputs);
    if (!reader.refusals.empty()) {
        LightRun run;
        run.Refusals = reader.refusals;
        return run;
    }
    if (const std::optional<RunRefusal> unknown = UnknownChoice(inputs))
        return Refused(unknown->Input, unknown->Text, true);
    const std::optional<double> current = reader.Given("current");
    const std::optional<double> vf = reader.Given("vf");
    const std::optional<double> battery = reader.Given("battery");
    const std::optional<double> capacity = reader.Given("capacity");
    const std::optional<double> internal = reader.Given("internal-resistance");
    const std::optional<std::string> cellName = inputs.Text("cell");
    const std::optional<BatteryChoice> cell = cellName ? BatteryNamed(*cellName) : std::nullopt;
    const Pack pack = *PackNamed(inputs.Text("pack").value_or("1S1P"));
    const Wiring wiring = inputs.Text("wiring").value_or("series") == "parallel" ? Wiring::Parallel : Wiring::Series;

    DischargeRequest request;
    Driver& driver = request.Driver;
    driver.Kind = ShapeOf(inputs).Driver;
    if (driver.Kind != DriverKind::Direct && !current)
        return Refused("current",
                       std::string("the ") + (driver.Kind == DriverKind::Linear ? "linear" : "converter") +
                           " driver regulates a current; give it in mA",
                       true);
    if (vf && !current)
        return Refused("vf", "give {current} too, the current at which the LED has this forward voltage", true);
    if (current && !(*current > 0.0))
        return Refused("current", "the LED current must be above 0 mA");

    LedChoice chosen;
    if (std::optional<LedOutcome> named = NamedLed(inputs)) {
        if (const auto* refusal = std::get_if<LedRefusal>(&*named))
            return Refused(refusal->Input, refusal->Text);
        chosen = std::get<LedChoice>(std::move(*named));
    } else if (vf) {
        if (!(*vf > 0.0))
            return Refused("vf", "the forward voltage must be above 0 V");
        chosen = TypicalThrough(*current, *vf);
    } else {
        return Refused("",
                       "give the LED: {led NAME ('lumora-cli leds' lists them)}, {led-point MA=V} twice or more, "
                       "{led-spice}, or {vf} with {current}",
                       true);
    }

    request.Leds.Curve = chosen.Curve;
    request.Flux = chosen.Flux;
    request.Leds.Count = *reader.Value("leds");
    if (!(request.Leds.Count >= 1.0))
        return Refused("leds", std::string(ErrorMessage(ErrorWindow::Form8)));
    request.Leds.Wiring = wiring;
    request.Leds.ResistorOhms = *reader.Value("resistance");
    if (current)
        driver.RegulatedAmps = *current / 1000.0;
    driver.DropoutVolts = *reader.Value("dropout");
    driver.Efficiency = *reader.Value("efficiency") / 100.0;
    if (!(driver.Efficiency > 0.0) || driver.Efficiency > 1.0)
        return Refused("efficiency", std::string(ErrorMessage(ErrorWindow::Form6)) + ", and above 0");
    if (driver.Kind == DriverKind::Linear && !(driver.DropoutVolts > 0.0))
        return Refused("dropout", "a linear regulator needs a dropout above 0 V");

    std::string batteryName;
    if (battery && cell)
        return Refused("", "{battery} and {cell}: give one battery, a preset or a flat voltage", true);
    if (battery) {
        if (!(*battery > 0.0) || *battery > LargestBatteryVolts)
            return Refused("battery", *inputs.Text("battery") + " V is no flashlight battery; give 0 to " +
                                          DoubleText(LargestBatteryVolts) + " V");
        request.Cell = FlatCell(*battery, 0.0);
        batteryName = "flat " + *inputs.Text("battery") + " V";
    } else if (cell) {
        request.Cell = ModelOf(*cell, pack);
        batteryName = PackName(*cell, pack);
    } else {
        return Refused("", "give the battery: {cell NAME} (and {pack}), or {battery V} for a flat cell", true);
    }
    // Only a converter stops at the chemistry's end of discharge unless a
    // cut-off is given: a direct or linear driver runs until the light fades.
    if (driver.Kind != DriverKind::Converter)
        request.Cell.CutOffVolts = 0.0;
    if (capacity)
        request.Cell.CapacityAh = *capacity / 1000.0;
    if (!capacity && !(request.Cell.CapacityAh > 0.0))
        return Refused("capacity", batteryName + " names no cell format; give the capacity in mAh", true);
    if (!(request.Cell.CapacityAh > 0.0))
        return Refused("capacity", "a capacity of 0 mAh gives no light at all");
    if (internal)
        request.Cell.InternalOhms = *internal / 1000.0;
    if (std::optional<LightRun> refused = SetCutOffAndCharge(reader, cell ? pack.Series : 1, request))
        return std::move(*refused);
    std::string hostName;
    if (std::optional<LightRun> refused = SetHeat(reader, inputs, chosen, request, hostName))
        return std::move(*refused);
    const double stepPercent = *reader.Value("step");
    if (!(stepPercent > 0.0) || stepPercent > 1.0)
        return Refused("step", "a step draws more than 0 and at most 1 % of the capacity");
    if (100.0 / stepPercent > LargestRunRows)
        return Refused("step",
                       *inputs.Text("step") + " % would give more than " + DoubleText(LargestRunRows) + " rows");
    request.StepFraction = stepPercent / 100.0;

    LightRun run;
    run.Run = RunDischarge(request);
    const DischargeSummary& summary = run.Run.Summary;
    const std::string string =
        DoubleText(request.Leds.Count) + (wiring == Wiring::Series ? " in series" : " in parallel");
    switch (summary.Start) {
    case DischargeStart::Dark:
        return Refused("", "the full battery (" + DoubleText(OpenCircuitVoltage(request.Cell, 0.0)) +
                               " V) can never light " + string + ": they would carry less than 0.1 mA each");
    case DischargeStart::CannotPower: {
        const std::string battery = request.StartDrawnAh > 0.0 ? "the battery" : "the full battery";
        const std::string cutOff = "cut-off of " + DoubleText(request.Cell.CutOffVolts) + " V";
        return Refused("",
                       driver.Kind == DriverKind::Converter
                           ? battery + " cannot run the converter: the LEDs' power would pull it below its " + cutOff
                           : battery + " falls below its " + cutOff + " as soon as the LEDs are on");
    }
    case DischargeStart::Unlimited:
        return Refused("", "nothing limits the current: the LED curve has no series resistance; give {resistance} "
                           "or {internal-resistance}");
    case DischargeStart::Lit: break;
    }

    const bool heat = HasHost(request.Heat.Light);
    run.Columns = RunColumns(heat);
    const std::optional<StepDown>& stepDown = request.Heat.TimedStepDown;
    run.Rows = RowTexts(run.Run, request.Cell, driver.Kind, heat,
                        stepDown ? std::optional<double>(stepDown->AfterMinutes / 60.0) : std::nullopt);
    const std::string driverName = CircuitName(driver, request.Leds);
    const std::string outputUnit = summary.InLumens ? "lm" : "mA";
    const auto output = [&](double value) {
        return summary.InLumens ? RoundedText(value, 0) : RoundedText(value * 1000.0, 1);
    };
    Summary figures(run);
    figures.Line("LED", chosen.Name);
    figures.Line("Driver", driverName);
    figures.Line("LEDs", string);
    figures.Line("Battery", batteryName);
    const std::string capacityMah = DoubleText(request.Cell.CapacityAh * 1000.0);
    const std::string internalMilliohms = DoubleText(request.Cell.InternalOhms * 1000.0);
    figures.Line("Capacity", capacityMah, "mAh");
    figures.Line("Internal resistance", internalMilliohms, "mohm");
    const std::string cutOff = DoubleText(request.Cell.CutOffVolts);
    const std::string startCharge = RoundedText((1.0 - request.StartDrawnAh / request.Cell.CapacityAh) * 100.0, 1);
    figures.Line("Cut-off", request.Cell.CutOffVolts > 0.0 ? cutOff : "none",
                 request.Cell.CutOffVolts > 0.0 ? "V" : "");
    figures.Line("Charge at start", startCharge, "%");
    figures.Input("led", chosen.Name, false);
    figures.Input("driver", std::string(DriverKindName(driver.Kind)), false);
    if (driver.Kind != DriverKind::Direct)
        figures.Input("current_ma", DoubleText(driver.RegulatedAmps * 1000.0));
    if (driver.Kind == DriverKind::Linear)
        figures.Input("dropout_v", DoubleText(driver.DropoutVolts));
    if (driver.Kind == DriverKind::Converter)
        figures.Input("efficiency_pct", DoubleText(driver.Efficiency * 100.0));
    figures.Input("resistance_ohm", DoubleText(request.Leds.ResistorOhms));
    figures.Input("leds", DoubleText(request.Leds.Count));
    figures.Input("wiring", wiring == Wiring::Series ? "series" : "parallel", false);
    figures.Input("battery", cell ? PresetName(*cell) : "flat " + *inputs.Text("battery") + " V", false);
    figures.Input("pack", cell ? std::to_string(pack.Series) + "S" + std::to_string(pack.Parallel) + "P" : "", false);
    figures.Input("capacity_mah", capacityMah);
    figures.Input("internal_resistance_mohm", internalMilliohms);
    figures.Input("cutoff_v", cutOff);
    figures.Input("start_charge_pct", startCharge);
    figures.Figure("output_unit", outputUnit, false);
    figures.Both("Start output", "start_output", output(summary.StartOutput), outputUnit);
    figures.Both("Output at 30 s", "output_30s", output(summary.Output30s), outputUnit);
    figures.Duration("FL1 runtime", "fl1_runtime", summary.Fl1Hours, summary.Fl1Reached ? "" : " at least");
    figures.Figure("fl1_reached", summary.Fl1Reached ? "true" : "false");
    figures.Duration("Time to 50 %", "half", summary.HalfHours);
    figures.Duration("Time in regulation", "regulated", summary.RegulatedHours);
    figures.Both("Energy drawn", "energy_drawn_wh", RoundedText(summary.DrawnWh, 2), "Wh");
    figures.Both("Energy to the LEDs", "energy_to_leds_wh", RoundedText(summary.DeliveredWh, 2), "Wh");
    figures.Both("Average efficiency", "average_efficiency_pct", RoundedText(summary.AverageEfficiency * 100.0, 1),
                 "%");
    figures.Both("End", "end", EndText(summary, request.Cell, driver.Kind), "", false);
    if (heat) {
        const Heat& h = request.Heat;
        const std::string resistance = RoundedText(h.Light.KelvinPerWatt, 2);
        const std::string capacity = RoundedText(h.Light.JoulesPerKelvin, 0);
        figures.Line("Host", hostName + ": " + resistance + " K/W to the air, " + capacity + " J/K");
        figures.Input("host_k_per_w", resistance);
        figures.Input("host_j_per_k", capacity);
        figures.Input("ambient_c", DoubleText(h.AmbientC));
        if (h.LimitC)
            figures.Input("thermal_limit_c", DoubleText(*h.LimitC));
        figures.Both("Peak host temperature", "peak_host_c", RoundedText(summary.PeakHostC, 1), "C");
        if (h.LimitC) {
            if (summary.LimitHours)
                figures.Duration("Time to the limit", "limit", *summary.LimitHours);
            else
                figures.Both("Time to the limit", "limit", "never", "", false);
        }
        const std::string where = summary.LimitHours ? "(at the limit)" : "(at the hottest)";
        figures.Both("Sustained output", "sustained_output", output(summary.SustainedOutput), outputUnit);
        figures.Mark(where);
        figures.Both("Sustained LED current", "sustained_led_ma", RoundedText(summary.SustainedLedAmps * 1000.0, 1),
                     "mA");
        figures.Mark(where);
        figures.Both("Heat shed", "sustained_heat_w", RoundedText(summary.SustainedHeatW, 2), "W");
        figures.Mark(where);
    }
    if (summary.BeyondFluxAmps > 0.0)
        run.Warnings.push_back(
            "output counted in LED current: the LED reaches " + RoundedText(summary.BeyondFluxAmps * 1000.0, 0) +
            " mA, beyond its measured flux (up to " + RoundedText(request.Flux.back().Amps * 1000.0, 0) + " mA)");
    if (inputs.Text("leds") && wiring == Wiring::Parallel && request.Leds.Count > 1.0 &&
        request.Leds.ResistorOhms > 0.0)
        run.Warnings.push_back(SharingWarning(*inputs.Text("leds")));
    // What would burn an LED or be misread: the LED driven past its rating,
    // a regulator that never holds its current.
    double mostAmps = 0.0;
    for (const DischargeRow& row : run.Run.Rows)
        mostAmps = std::max(mostAmps, row.LedAmps);
    const std::optional<double> ledMax = reader.Given("led-max");
    const double ratedAmps = ledMax ? *ledMax / 1000.0 : chosen.MaxAmps;
    if (ratedAmps > 0.0 && mostAmps > ratedAmps)
        run.Warnings.push_back("the LED carries up to " + RoundedText(mostAmps * 1000.0, 0) + " mA, above its " +
                               (ledMax ? "given" : "data sheet's") + " maximum of " +
                               RoundedText(ratedAmps * 1000.0, 0) + " mA" +
                               (mostAmps > 2.0 * ratedAmps ? ": it will not last" : ""));
    if (driver.Kind != DriverKind::Direct && !run.Run.Rows.front().Regulated)
        run.Warnings.push_back("the " +
                               std::string(driver.Kind == DriverKind::Linear ? "linear regulator" : "converter") +
                               " never reaches its " + DoubleText(driver.RegulatedAmps * 1000.0) +
                               " mA: the LEDs get at most " + RoundedText(mostAmps * 1000.0, 0) + " mA");
    run.Labels = {chosen.Name + ", " + CircuitName(driver, request.Leds),
                  batteryName + ": FL1 runtime " + RoundedText(summary.Fl1Hours, 2) + " h"};
    return run;
}

} // namespace lumora
