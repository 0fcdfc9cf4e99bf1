// SPDX-License-Identifier: MIT
#include "calc/reports/light_run.h"

#include "calc/request/light_assembly.h"
#include "calc/request/light_reading.h"

#include "calc/calculators/messages.h"
#include "calc/calculators/runtime_display.h"
#include "calc/reports/resistor_to_buy.h"
#include "calc/text/field_text.h"
#include "calc/text/number_text.h"

#include <array>
#include <map>

namespace lumora {

namespace {

constexpr std::array<RunColumn, 3> HeatColumns = {
    {{"host_c", "Host °C"}, {"junction_c", "Tj °C"}, {"heat_w", "Heat W"}}};
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
                                               bool heat)
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
        else if (row.SteppedDown)
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

namespace {

using R = LightRequest;

std::string StringName(const LedString& leds)
{
    return DoubleText(leds.Count) + (leds.Wiring == Wiring::Series ? " in series" : " in parallel");
}

// A run that is only a refusal.
LightRun Refused(RequestRefusal refused)
{
    LightRun run;
    run.Refusals.push_back(std::move(refused.Refusal));
    run.Usage = refused.Usage;
    return run;
}
LightRun RefusedRun(std::string text) { return Refused(RunRefused(std::move(text))); }

// A run that never lit, in words; nullopt for one that did.
std::optional<LightRun> StartRefusal(const DischargeRequest& discharge, DischargeStart start)
{
    switch (start) {
    case DischargeStart::Dark:
        return RefusedRun("the full battery (" + DoubleText(OpenCircuitVoltage(discharge.Battery, 0.0)) +
                          " V) can never light " + StringName(discharge.Leds) +
                          ": they would carry less than 0.1 mA each");
    case DischargeStart::CannotPower: {
        const std::string battery = discharge.StartDrawnAh > 0.0 ? "the battery" : "the full battery";
        const std::string cutOff = "cut-off of " + DoubleText(discharge.Battery.CutOffVolts) + " V";
        return RefusedRun(discharge.Driver.Kind == DriverKind::Converter
                              ? battery + " cannot run the converter: the LEDs' power would pull it below its " + cutOff
                              : battery + " falls below its " + cutOff + " as soon as the LEDs are on");
    }
    case DischargeStart::Unlimited:
        return RefusedRun("nothing limits the current: the LED curve has no series resistance; give " +
                          MentionOf(&R::Resistance) + " or " + MentionOf(&R::InternalResistance));
    case DischargeStart::Lit: break;
    }
    return std::nullopt;
}

// The inputs as the run took them: the summary's first lines and the record's.
void DescribeInputs(const AssembledLight& built, Summary& figures)
{
    const DischargeRequest& discharge = built.Discharge;
    const Driver& driver = discharge.Driver;
    const CellModel& cell = discharge.Battery;
    figures.Line("LED", built.Led.Name);
    figures.Line("Driver", CircuitName(driver, discharge.Leds));
    if (built.WantedLumens) {
        // What the drive was solved for, and which of its figures.
        const bool current = built.Solved == SolvedFor::Current;
        figures.Line("Wanted output", DoubleText(*built.WantedLumens), "lm");
        figures.Mark(std::string("at 30 s: the ") + (current ? "current" : "series resistance") + " solved for it");
    }
    figures.Line("LEDs", StringName(discharge.Leds));
    figures.Line("Optics", DoubleText(discharge.OpticsShare * 100.0), "%");
    figures.Mark("of the LEDs' light out the front");
    figures.Line("Battery", built.BatteryName);
    const std::string capacityMah = DoubleText(cell.CapacityAh * 1000.0);
    const std::string internalMilliohms = DoubleText(cell.InternalOhms * 1000.0);
    figures.Line("Capacity", capacityMah, "mAh");
    figures.Line("Internal resistance", internalMilliohms, "mohm");
    const std::string cutOff = DoubleText(cell.CutOffVolts);
    const std::string startCharge = RoundedText((1.0 - discharge.StartDrawnAh / cell.CapacityAh) * 100.0, 1);
    figures.Line("Cut-off", cell.CutOffVolts > 0.0 ? cutOff : "none", cell.CutOffVolts > 0.0 ? "V" : "");
    figures.Line("Charge at start", startCharge, "%");
    figures.Input("led", built.Led.Name, false);
    figures.Input("driver", std::string(DriverKindName(driver.Kind)), false);
    if (driver.Kind != DriverKind::Direct)
        figures.Input("current_ma", DoubleText(driver.RegulatedAmps * 1000.0));
    if (built.WantedLumens) {
        figures.Input("output_lm", DoubleText(*built.WantedLumens));
        figures.Input("solved", built.Solved == SolvedFor::Current ? "current_ma" : "resistance_ohm", false);
    }
    if (driver.Kind == DriverKind::Linear)
        figures.Input("dropout_v", DoubleText(driver.DropoutVolts));
    if (driver.Kind == DriverKind::Converter)
        figures.Input("efficiency_pct", DoubleText(driver.Efficiency * 100.0));
    figures.Input("resistance_ohm", DoubleText(discharge.Leds.ResistorOhms));
    figures.Input("leds", DoubleText(discharge.Leds.Count));
    figures.Input("optics_pct", DoubleText(discharge.OpticsShare * 100.0));
    figures.Input("wiring", discharge.Leds.Wiring == Wiring::Series ? "series" : "parallel", false);
    const Pack pack = built.CellPack;
    figures.Input("battery", built.Cell ? PresetName(*built.Cell) : built.BatteryName, false);
    figures.Input("pack", built.Cell ? std::to_string(pack.Series) + "S" + std::to_string(pack.Parallel) + "P" : "",
                  false);
    figures.Input("capacity_mah", capacityMah);
    figures.Input("internal_resistance_mohm", internalMilliohms);
    figures.Input("cutoff_v", cutOff);
    figures.Input("start_charge_pct", startCharge);
}

// "1530" lm or "2800" mA: the output as the run counts it.
std::string OutputText(const DischargeSummary& summary, double value)
{
    return summary.InLumens ? RoundedText(value, 0) : RoundedText(value * 1000.0, 1);
}

// The FL1 figures, the energies and the end.
void DescribeFigures(const DischargeRequest& discharge, const DischargeSummary& summary, Summary& figures)
{
    const std::string outputUnit = summary.InLumens ? "lm" : "mA";
    figures.Figure("output_unit", outputUnit, false);
    figures.Both("Start output", "start_output", OutputText(summary, summary.StartOutput), outputUnit);
    figures.Both("Output at 30 s", "output_30s", OutputText(summary, summary.Output30s), outputUnit);
    if (summary.TurboHours) {
        // What the light gives until its driver first lowers it.
        const std::string minutes = RoundedText(*summary.TurboHours * 60.0, 1);
        figures.Both("Turbo", "turbo_output", OutputText(summary, summary.Output30s), outputUnit);
        figures.Mark("for " + minutes + " min");
        figures.Figure("turbo_min", minutes);
    }
    figures.Duration("FL1 runtime", "fl1_runtime", summary.Fl1Hours, summary.Fl1Reached ? "" : " at least");
    figures.Figure("fl1_reached", summary.Fl1Reached ? "true" : "false");
    figures.Duration("Time to 50 %", "half", summary.HalfHours);
    figures.Duration("Time in regulation", "regulated", summary.RegulatedHours);
    figures.Both("Energy drawn", "energy_drawn_wh", RoundedText(summary.DrawnWh, 2), "Wh");
    figures.Both("Energy to the LEDs", "energy_to_leds_wh", RoundedText(summary.DeliveredWh, 2), "Wh");
    figures.Both("Average efficiency", "average_efficiency_pct", RoundedText(summary.AverageEfficiency * 100.0, 1),
                 "%");
    figures.Both("End", "end", EndText(summary, discharge.Battery, discharge.Driver.Kind), "", false);
}

// The host, how hot it gets and what it holds.
void DescribeHeat(const Heat& heat, const DischargeSummary& summary, const std::string& hostName, Summary& figures)
{
    const std::string resistance = RoundedText(heat.Host.KelvinPerWatt, 2);
    const std::string capacity = RoundedText(heat.Host.JoulesPerKelvin, 0);
    figures.Line("Host", hostName + ": " + resistance + " K/W to the air, " + capacity + " J/K");
    figures.Input("host_k_per_w", resistance);
    figures.Input("host_j_per_k", capacity);
    figures.Input("ambient_c", DoubleText(heat.AmbientC));
    if (heat.LimitC) {
        figures.Input("thermal_limit_c", DoubleText(*heat.LimitC + heat.SensorOffsetK));
        figures.Input("sensor_offset_k", DoubleText(heat.SensorOffsetK));
        if (heat.SensorOffsetK > 0.0)
            figures.Line("Host held at", RoundedText(*heat.LimitC, 1) + " °C, the sensor " +
                                             DoubleText(heat.SensorOffsetK) + " K hotter at the limit");
    }
    figures.Both("Peak host temperature", "peak_host_c", RoundedText(summary.PeakHostC, 1), "°C");
    if (heat.LimitC) {
        if (summary.LimitHours)
            figures.Duration("Time to the limit", "limit", *summary.LimitHours);
        else
            figures.Both("Time to the limit", "limit", "never", "", false);
    }
}

// FL1 runtime, output at 30 s and, where the run settles, the level it
// sustains, as the summary gives them.
std::string HeadlineOf(const DischargeSummary& summary)
{
    const std::string unit = summary.InLumens ? " lm" : " mA";
    std::string line = "FL1 runtime " + RoundedText(summary.Fl1Hours, 2) + " h" +
                       (summary.Fl1Reached ? "" : " at least") + ", " + OutputText(summary, summary.Output30s) + unit +
                       " at 30 s";
    if (summary.SettledHours)
        line += ", " + OutputText(summary, summary.SustainedOutput) + unit + " sustained";
    return line;
}

// The level the light settles at once the driver has made its last change
// and the host has stopped moving, or "not reached" when the cell fades
// first.
void DescribeSustained(const DischargeSummary& summary, bool heat, Summary& figures)
{
    if (!summary.SettledHours) {
        figures.Both("Sustained output", "sustained_output", "not reached", "", false);
        figures.Mark("(the cell fades first)");
        return;
    }
    const bool atLimit = summary.LimitHours && *summary.SettledHours == *summary.LimitHours;
    const std::string where = atLimit ? "(at the limit)" : "(settled)";
    figures.Both("Sustained output", "sustained_output", OutputText(summary, summary.SustainedOutput),
                 summary.InLumens ? "lm" : "mA");
    figures.Mark(where);
    figures.Both("Sustained LED current", "sustained_led_ma", RoundedText(summary.SustainedLedAmps * 1000.0, 1), "mA");
    figures.Mark(where);
    if (heat) {
        figures.Both("Heat shed", "sustained_heat_w", RoundedText(summary.SustainedHeatW, 2), "W");
        figures.Mark(where);
    }
}

// What would burn an LED or be misread: output beyond the measured flux,
// LEDs sharing a resistor, the LED driven past its rating, a regulator that
// never holds its current.
// A named cell driven past its maker's maximum continuous discharge, at
// the run's highest draw per cell; "" for none.
std::string CellRatingWarning(const AssembledLight& built, const Discharge& run)
{
    if (!built.Cell || !built.Cell->named || !(built.Cell->named->MaxAmps > 0.0))
        return {};
    double mostAmps = 0.0;
    for (const DischargeRow& row : run.Rows)
        mostAmps = std::max(mostAmps, row.BatteryAmps / built.CellPack.Parallel);
    const NamedCell& cell = *built.Cell->named;
    if (!(mostAmps > cell.MaxAmps))
        return {};
    return "each cell gives up to " + RoundedText(mostAmps, 1) + " A, above the " + std::string(cell.TradeName) +
           "'s maximum continuous " + DoubleText(cell.MaxAmps) + " A (" + std::string(cell.MaxSource) + ")";
}

std::vector<std::string> RunWarnings(const DischargeRequest& discharge, const AssembledLight& built,
                                     const Discharge& run, std::string& pastRating)
{
    const LedChoice& led = built.Led;
    std::vector<std::string> warnings;
    const DischargeSummary& summary = run.Summary;
    if (summary.BeyondFluxAmps > 0.0)
        warnings.push_back("output counted in LED current: the LED reaches " +
                           RoundedText(summary.BeyondFluxAmps * 1000.0, 0) + " mA, beyond its measured flux (up to " +
                           RoundedText(discharge.Flux.back().Amps * 1000.0, 0) + " mA)");
    const LedString& leds = discharge.Leds;
    if (built.CountGiven && leds.Wiring == Wiring::Parallel && leds.Count > 1.0 && leds.ResistorOhms > 0.0)
        warnings.push_back(SharingWarning(DoubleText(leds.Count)));
    double mostAmps = 0.0;
    for (const DischargeRow& row : run.Rows)
        mostAmps = std::max(mostAmps, row.LedAmps);
    if (std::string rating = LedRatingWarning(led, mostAmps, built.LedMaxMilliamps); !rating.empty()) {
        pastRating = rating;
        warnings.push_back(std::move(rating));
    }
    const Driver& driver = discharge.Driver;
    if (driver.Kind != DriverKind::Direct && !run.Rows.front().Regulated)
        warnings.push_back("the " + std::string(driver.Kind == DriverKind::Linear ? "linear regulator" : "converter") +
                           " never reaches its " + DoubleText(driver.RegulatedAmps * 1000.0) +
                           " mA: the LEDs get at most " + RoundedText(mostAmps * 1000.0, 0) + " mA");
    if (std::string cell = CellRatingWarning(built, run); !cell.empty()) {
        if (pastRating.empty())
            pastRating = cell;
        warnings.push_back(std::move(cell));
    }
    return warnings;
}

// The run made and put in words: its rows, summary, warnings and labels.
LightRun Describe(const AssembledLight& built, Discharge made)
{
    const DischargeRequest& discharge = built.Discharge;
    LightRun run;
    run.Run = std::move(made);
    const DischargeSummary& summary = run.Run.Summary;
    const bool heat = HasHost(discharge.Heat.Host);
    run.Columns = RunColumns(heat);
    run.Rows = RowTexts(run.Run, discharge.Battery, discharge.Driver.Kind, heat);
    Summary figures(run);
    DescribeInputs(built, figures);
    DescribeFigures(discharge, summary, figures);
    if (heat)
        DescribeHeat(discharge.Heat, summary, built.HostName, figures);
    if (heat || summary.SettledHours)
        DescribeSustained(summary, heat, figures);
    run.Warnings = RunWarnings(discharge, built, run.Run, run.PastRating);
    run.Labels = {built.Led.Name + ", " + CircuitName(discharge.Driver, discharge.Leds),
                  built.BatteryName + ": FL1 runtime " + RoundedText(summary.Fl1Hours, 2) + " h"};
    run.Headline = HeadlineOf(summary);
    return run;
}

} // namespace

LightRun RunLight(const LightRequest& request)
{
    Assembly assembled = AssembleLight(request);
    if (RequestRefusal* refused = std::get_if<RequestRefusal>(&assembled))
        return Refused(std::move(*refused));
    const AssembledLight& light = std::get<AssembledLight>(assembled);
    Discharge run = RunDischarge(light.Discharge);
    if (std::optional<LightRun> refused = StartRefusal(light.Discharge, run.Summary.Start))
        return std::move(*refused);
    return Describe(light, std::move(run));
}

LightRun RunLight(const LightInputs& inputs)
{
    return FromInputs<LightRun>(inputs, [](const LightRequest& request) { return RunLight(request); });
}

namespace {

std::string TextOf(const std::vector<RunField>& fields, std::string_view key)
{
    for (const RunField& field : fields)
        if (field.Key == key)
            return field.Text;
    return "";
}

} // namespace

std::string UnderstoodText(const LightRun& run, std::string_view key) { return TextOf(run.Understood, key); }
std::string FigureText(const LightRun& run, std::string_view key) { return TextOf(run.Figures, key); }

double PeakJunctionC(const LightRun& run)
{
    double peak = 0.0;
    for (const DischargeRow& row : run.Run.Rows)
        peak = std::max(peak, row.JunctionC);
    return peak;
}

} // namespace lumora
