// SPDX-License-Identifier: MIT
#include "cli/resistor_command.h"

#include "calc/calculators/messages.h"
#include "calc/reports/resistor_to_buy.h"
#include "calc/text/field_text.h"
#include "calc/text/number_text.h"
#include "cli/calculation.h"

#include <algorithm>
#include <array>

namespace lumora::cli {

namespace {

using Q = ResistorQuantity;

// The inputs, in the order of the window's fields, with the column each
// shows in.
struct Quantity {
    Q quantity;
    const char* name;
    const char* unit;
    const char* key;
};

constexpr std::array<Quantity, 5> Quantities = {{
    {Q::BatteryVoltage, "battery", "V", "battery_v"},
    {Q::LedVf, "vf", "V", "vf_v"},
    {Q::LedCurrent, "current", "mA", "current_ma"},
    {Q::Resistance, "resistance", "ohm", "resistance_ohm"},
    {Q::LedCount, "leds", "", "leds"},
}};

const Quantity& Of(Q quantity)
{
    return *std::find_if(Quantities.begin(), Quantities.end(),
                         [&](const Quantity& q) { return q.quantity == quantity; });
}

Report EmptyReport(const std::optional<SweepSpec>& sweep)
{
    Report report;
    report.Columns = {
        {"resistor", "Resistor"},           {"resistance_ohm", "Ohms", true},   {"battery", "Battery"},
        {"battery_v", "Volts", true},       {"current_ma", "LED mA", true},     {"wattage_w", "Power W", true},
        {"rating_w", "Rating W", true},     {"vf_v", "Vf V", true, false},      {"leds", "LEDs", true, false},
        {"wiring", "Wiring", false, false}, {"solved", "Solved", false, false}, {"note", "Note"},
    };
    if (sweep) {
        for (const Quantity& q : Quantities) {
            if (sweep->Name == q.name) {
                for (Column& column : report.Columns)
                    column.InText = column.InText || column.Key == q.key;
            }
        }
    }
    return report;
}

std::string WiringName(Wiring wiring) { return wiring == Wiring::Series ? "series" : "parallel"; }

double Value(const std::string& text) { return ReadNumber(text).value_or(0.0); }

class Calculation {
  public:
    Calculation(const ResistorRequest& request, std::vector<BatteryPoint> range, std::optional<std::string> preset,
                std::optional<LedChoice> led)
        : m_request(request), m_range(std::move(range)), m_preset(std::move(preset)), m_led(std::move(led))
    {
    }

    StepResult operator()(const std::vector<Input>& inputs, bool sweeping, Report& report) const;

  private:
    const ResistorRequest& m_request;
    std::vector<BatteryPoint> m_range; // empty: the one voltage of the calculation
    std::optional<std::string> m_preset;
    std::optional<LedChoice> m_led; // the LED's curve, when given instead of --vf
};

StepResult Calculation::operator()(const std::vector<Input>& inputs, bool sweeping, Report& report) const
{
    ResistorFields fields;
    fields.Wattage = "0.00";
    for (std::size_t i = 0; i < Quantities.size(); ++i)
        FieldText(fields, Quantities[i].quantity) = inputs[i].Text;
    const ResistorOutcome main = m_led ? CalculateResistorOnCurve(fields, m_request.Wiring, m_led->Curve)
                                       : CalculateResistor(fields, m_request.Wiring);

    StepResult result;
    if (!main.Windows.empty()) {
        std::vector<Input> named = inputs;
        if (m_led)
            named.erase(named.begin() + 1); // the curve gives the forward voltage
        result.Refusals = RefusalsOf(main.Windows, named);
    } else if (main.Failure != Failure::None) {
        const auto culprit = std::find_if(Quantities.begin(), Quantities.end(),
                                          [&](const Quantity& q) { return main.Culprit == q.quantity; });
        result.Failure = FailureOf(
            FailureText(main),
            culprit == Quantities.end() ? nullptr : &inputs[static_cast<std::size_t>(culprit - Quantities.begin())]);
    }
    if (!result.Refusals.empty() || !result.Failure.empty()) {
        if (sweeping) {
            std::vector<std::pair<std::string_view, std::string>> row;
            for (const Quantity& q : Quantities)
                row.emplace_back(q.key, FieldText(fields, q.quantity));
            row.emplace_back("wiring", WiringName(m_request.Wiring));
            row.emplace_back("note", result.Refusals.empty() ? result.Failure : result.Refusals.front());
            report.AddRow(row);
        }
        return result;
    }

    const ResistorFields& solved = main.Fields;
    const Q target = *main.Target;
    std::vector<BatteryPoint> points = m_range;
    if (points.empty())
        points.push_back({"", solved.BatteryVoltage});
    else
        points.front().Volts = solved.BatteryVoltage;

    std::vector<ResistorChoice> choices{{target == Q::Resistance ? "solved" : "given", solved.Resistance}};
    if (m_request.Series)
        choices = WithStandardNeighbours(choices.front(), *m_request.Series, result.Warnings);
    // The rows beyond the solved one follow the LED's curve: the one given,
    // or with --vf the typical one through the solved point.
    std::optional<LedChoice> led = m_led;
    if (!led && Value(solved.LedCurrent) > 0.0 && Value(solved.LedVf) > 0.0)
        led = TypicalThrough(Value(solved.LedCurrent), Value(solved.LedVf));
    const bool rowsBeyond = choices.size() > 1 || points.size() > 1;
    const ChoiceTable table =
        ChoiceRows(main, m_request.Wiring, choices, points, led ? std::optional<LedCurve>(led->Curve) : std::nullopt);
    for (const ChoiceRow& choiceRow : table.Rows) {
        const ResistorOutcome& outcome = choiceRow.Outcome;
        std::vector<std::pair<std::string_view, std::string>> row = {
            {"resistor", choiceRow.Resistor}, {"battery", choiceRow.Battery}, {"wiring", WiringName(m_request.Wiring)}};
        for (const Quantity& q : Quantities)
            row.emplace_back(q.key, FieldText(outcome.Fields, q.quantity));
        if (outcome.Failure != Failure::None) {
            row.emplace_back("note", FailureText(outcome));
        } else {
            row.emplace_back("wattage_w", outcome.Fields.Wattage);
            row.emplace_back("solved", Of(*outcome.Target).name);
            if (choiceRow.Dark)
                row.emplace_back("note", "LED dark");
            if (choiceRow.RatingWatts)
                row.emplace_back("rating_w", DoubleText(*choiceRow.RatingWatts));
        }
        report.AddRow(row);
    }
    result.Warnings.insert(result.Warnings.end(), table.Warnings.begin(), table.Warnings.end());

    if (m_request.Wiring == Wiring::Parallel && Value(solved.LedCount) > 1.0)
        result.Warnings.push_back("one resistor feeds " + solved.LedCount +
                                  " LEDs in parallel: how the current shares among them depends on how closely "
                                  "their forward voltages match");
    if ((target == Q::Resistance && Value(solved.Resistance) < 0.0) ||
        (target == Q::LedCurrent && Value(solved.LedCurrent) < 0.0))
        result.Warnings.push_back("the battery voltage is below the LEDs' forward voltage: the negative result means "
                                  "this wiring cannot work");

    if (!sweeping) {
        for (const Quantity& q : Quantities) {
            if (q.quantity == Q::LedCount)
                continue;
            const bool fromCurve = m_led && q.quantity == Q::LedVf;
            report.Summary.push_back({std::string(NameOf(q.quantity).Caption), FieldText(solved, q.quantity), q.unit,
                                      fromCurve              ? "(LED curve)"
                                      : q.quantity == target ? "(solved)"
                                                             : ""});
            if (q.quantity == Q::Resistance)
                report.Summary.push_back({std::string(NameOf(Q::Wattage).Caption), solved.Wattage, "W", ""});
        }
        report.Summary.push_back(
            {std::string(NameOf(Q::LedCount).Caption), solved.LedCount, WiringName(m_request.Wiring), ""});
        if (m_preset)
            report.Summary.push_back({"Battery preset", *m_preset, "", ""});
        if (led && rowsBeyond)
            report.Summary.push_back({"LED curve", led->Name, "", ""});
        report.TableInText = rowsBeyond;
        if (led && rowsBeyond) {
            for (Column& column : report.Columns)
                column.InText = column.InText || column.Key == "vf_v";
        }
    }
    return result;
}

// FULL:EMPTY or FULL:NOMINAL:EMPTY, each a field text; a refusal otherwise.
std::variant<std::vector<BatteryPoint>, std::string> RangeOf(const Input& battery, const std::string& text)
{
    std::vector<std::string> parts;
    for (std::size_t start = 0;;) {
        const std::size_t colon = text.find(':', start);
        parts.push_back(text.substr(start, colon == std::string::npos ? std::string::npos : colon - start));
        if (colon == std::string::npos)
            break;
        start = colon + 1;
    }
    if (parts.size() < 2 || parts.size() > 3)
        return std::string("--battery: write a range as FULL:EMPTY or FULL:NOMINAL:EMPTY, for example 4.2:3.0");
    std::vector<BatteryPoint> points;
    for (const std::string& part : parts) {
        if (std::optional<std::string> refusal = RefusalOf(battery, part))
            return *refusal;
        if (!IsNumberText(part))
            return "--battery: each voltage of a range must be a number, not \"" + part + "\"";
        if (!points.empty() && Value(part) > Value(points.back().Volts))
            return std::string("--battery: a range goes from the full voltage down to the empty one");
        points.push_back({"", part});
    }
    points.front().Label = "full";
    points.back().Label = "empty";
    if (points.size() == 3)
        points[1].Label = "nominal";
    return points;
}

} // namespace

CommandOutput RunResistor(const ResistorRequest& request)
{
    const std::optional<std::string>* given[] = {&request.Battery, &request.Vf, &request.Current, &request.Resistance,
                                                 &request.Leds};
    std::vector<Input> inputs;
    for (std::size_t i = 0; i < Quantities.size(); ++i)
        inputs.push_back(MakeInput(Quantities[i].name, NameOf(Quantities[i].quantity).Caption, *given[i]));
    Input& battery = inputs[0];
    Input& leds = inputs[4];
    leds.Kind = NumberKind::Whole;
    leds.Solvable = false;
    if (!leds.Given)
        leds.Text = "1"; // the window's start text

    auto led = LedFrom(request.Led);
    if (auto* refusal = std::get_if<std::string>(&led))
        return Stop(ExitCode::Refused, std::move(*refusal));
    std::optional<LedChoice> curve;
    if (auto* chosen = std::get_if<LedChoice>(&led)) {
        curve = std::move(*chosen);
        inputs[1].Solvable = false;
    }

    std::vector<BatteryPoint> range;
    std::optional<std::string> preset;
    const bool sweepingBattery = request.Sweep && request.Sweep->Name == battery.Name;
    if (battery.Given && battery.Given->find(':') != std::string::npos) {
        auto parsed = RangeOf(battery, *battery.Given);
        if (auto* refusal = std::get_if<std::string>(&parsed))
            return Stop(ExitCode::Refused, std::move(*refusal));
        range = std::move(std::get<std::vector<BatteryPoint>>(parsed));
        battery.Given = battery.Text = range.front().Volts;
    } else if (request.Cell && !battery.Given && !sweepingBattery) {
        const PackTexts pack = TextsOf(*request.Cell, request.CellPack);
        range = {{"full", pack.Full}, {"nominal", pack.Nominal}, {"empty", pack.Empty}};
        battery.Text = pack.Full;
        preset = NameOf(*request.Cell) + ", " + std::to_string(request.CellPack.Series) + "S";
    }
    const Calculation calculation(request, std::move(range), std::move(preset), std::move(curve));
    return RunCalculation(inputs, request.Sweep, EmptyReport(request.Sweep), std::cref(calculation));
}

} // namespace lumora::cli
