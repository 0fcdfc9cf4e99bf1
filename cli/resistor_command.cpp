// SPDX-License-Identifier: MIT
#include "cli/resistor_command.h"

#include "calc/field_text.h"
#include "calc/messages.h"
#include "calc/number_text.h"
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

// A battery voltage at which the resistor is looked at.
struct Point {
    std::string label; // "full", "nominal", "empty"; empty for the one voltage given
    std::string volts;
};

// A resistor looked at: the one solved or given, or a standard one.
struct Choice {
    std::string label;
    std::string ohms;
};

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
    Calculation(const ResistorRequest& request, std::vector<Point> range, std::optional<std::string> preset)
        : m_request(request), m_range(std::move(range)), m_preset(std::move(preset))
    {
    }

    StepResult operator()(const std::vector<Input>& inputs, bool sweeping, Report& report) const;

  private:
    std::vector<Choice> Choices(const ResistorFields& solved, Q target, StepResult& result) const;
    void AddChoiceRows(const Choice& choice, bool first, const std::vector<Point>& points, const ResistorOutcome& main,
                       Report& report, StepResult& result) const;

    const ResistorRequest& m_request;
    std::vector<Point> m_range; // empty: the one voltage of the calculation
    std::optional<std::string> m_preset;
};

StepResult Calculation::operator()(const std::vector<Input>& inputs, bool sweeping, Report& report) const
{
    ResistorFields fields;
    fields.Wattage = "0.00";
    for (std::size_t i = 0; i < Quantities.size(); ++i)
        FieldText(fields, Quantities[i].quantity) = inputs[i].Text;
    const ResistorOutcome main = CalculateResistor(fields, m_request.Wiring);

    StepResult result;
    if (!main.Windows.empty()) {
        result.Refusals = RefusalsOf(main.Windows, inputs);
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
    std::vector<Point> points = m_range;
    if (points.empty())
        points.push_back({"", solved.BatteryVoltage});
    else
        points.front().volts = solved.BatteryVoltage;

    const std::vector<Choice> choices = Choices(solved, target, result);
    for (std::size_t c = 0; c < choices.size(); ++c)
        AddChoiceRows(choices[c], c == 0, points, main, report, result);

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
            report.Summary.push_back({std::string(NameOf(q.quantity).Caption), FieldText(solved, q.quantity), q.unit,
                                      q.quantity == target ? "(solved)" : ""});
            if (q.quantity == Q::Resistance)
                report.Summary.push_back({std::string(NameOf(Q::Wattage).Caption), solved.Wattage, "W", ""});
        }
        report.Summary.push_back(
            {std::string(NameOf(Q::LedCount).Caption), solved.LedCount, WiringName(m_request.Wiring), ""});
        if (m_preset)
            report.Summary.push_back({"Battery preset", *m_preset, "", ""});
        report.TableInText = choices.size() > 1 || points.size() > 1;
    }
    return result;
}

std::vector<Choice> Calculation::Choices(const ResistorFields& solved, Q target, StepResult& result) const
{
    std::vector<Choice> choices{{target == Q::Resistance ? "solved" : "given", solved.Resistance}};
    if (!m_request.Series)
        return choices;
    const std::string series(NameOf(*m_request.Series));
    const double ohms = Value(solved.Resistance);
    const StandardNeighbours next = NeighboursOf(*m_request.Series, ohms);
    if (next.Below && next.Below == next.Above) {
        choices.push_back({series, *next.Below});
        return choices;
    }
    if (next.Below)
        choices.push_back({series + " below", *next.Below});
    if (next.Above)
        choices.push_back({series + " above", *next.Above});
    if (ohms >= 0.0 && !next.Below)
        result.Warnings.push_back(series + " is stocked from 0.1 ohm: there is no standard value below " +
                                  solved.Resistance + " ohm");
    if (ohms >= 0.0 && !next.Above)
        result.Warnings.push_back(series + " is stocked up to 10 megohms: there is no standard value above " +
                                  solved.Resistance + " ohm");
    return choices;
}

void Calculation::AddChoiceRows(const Choice& choice, bool first, const std::vector<Point>& points,
                                const ResistorOutcome& main, Report& report, StepResult& result) const
{
    const Wiring wiring = m_request.Wiring;
    std::vector<std::vector<std::pair<std::string_view, std::string>>> rows;
    double worst = 0.0; // the most the resistor dissipates at any point, W
    for (std::size_t p = 0; p < points.size(); ++p) {
        ResistorOutcome outcome = main;
        if (!first || p > 0) {
            // The window's calculation with this voltage and resistor, the current left blank.
            ResistorFields fields = main.Fields;
            fields.BatteryVoltage = points[p].volts;
            fields.Resistance = choice.ohms;
            fields.LedCurrent.clear();
            fields.Wattage = "0.00";
            outcome = CalculateResistor(fields, wiring);
        }
        std::vector<std::pair<std::string_view, std::string>> row = {
            {"resistor", choice.label}, {"battery", points[p].label}, {"wiring", WiringName(wiring)}};
        for (const Quantity& q : Quantities)
            row.emplace_back(q.key, FieldText(outcome.Fields, q.quantity));
        if (outcome.Failure != Failure::None) {
            row.emplace_back("note", FailureText(outcome));
            rows.push_back(std::move(row));
            continue;
        }
        row.emplace_back("wattage_w", outcome.Fields.Wattage);
        row.emplace_back("solved", Of(*outcome.Target).name);
        if (Value(outcome.Fields.LedCurrent) <= 0.0 && (!first || p > 0)) {
            // Below their forward voltage the LEDs pass no current, whatever
            // the straight-line model gives.
            row.emplace_back("current_ma", "0");
            row.emplace_back("wattage_w", "0");
            row.emplace_back("note", "LED dark");
            result.Warnings.push_back("at " + points[p].volts + " V" +
                                      (points[p].label.empty() ? "" : " (" + points[p].label + ")") +
                                      " the battery is below the LEDs' forward voltage: the LEDs go dark");
        } else {
            worst = std::max(worst, Value(outcome.Fields.Wattage));
        }
        rows.push_back(std::move(row));
    }
    // A resistance of 0 or below is no part to buy.
    const std::optional<double> rating = Value(choice.ohms) > 0.0 ? RatingFor(worst) : std::nullopt;
    if (!rating && Value(choice.ohms) > 0.0)
        result.Warnings.push_back("a " + choice.ohms + " ohm resistor dissipates up to " + DoubleText(worst) +
                                  " W: no common rating is twice that");
    for (auto& row : rows) {
        if (rating)
            row.emplace_back("rating_w", DoubleText(*rating));
        report.AddRow(row);
    }
}

// FULL:EMPTY or FULL:NOMINAL:EMPTY, each a field text; a refusal otherwise.
std::variant<std::vector<Point>, std::string> RangeOf(const Input& battery, const std::string& text)
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
    std::vector<Point> points;
    for (const std::string& part : parts) {
        if (std::optional<std::string> refusal = RefusalOf(battery, part))
            return *refusal;
        if (!IsNumberText(part))
            return "--battery: each voltage of a range must be a number, not \"" + part + "\"";
        if (!points.empty() && Value(part) > Value(points.back().volts))
            return std::string("--battery: a range goes from the full voltage down to the empty one");
        points.push_back({"", part});
    }
    points.front().label = "full";
    points.back().label = "empty";
    if (points.size() == 3)
        points[1].label = "nominal";
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

    std::vector<Point> range;
    std::optional<std::string> preset;
    const bool sweepingBattery = request.Sweep && request.Sweep->Name == battery.Name;
    if (battery.Given && battery.Given->find(':') != std::string::npos) {
        auto parsed = RangeOf(battery, *battery.Given);
        if (auto* refusal = std::get_if<std::string>(&parsed))
            return Stop(ExitCode::Refused, std::move(*refusal));
        range = std::move(std::get<std::vector<Point>>(parsed));
        battery.Given = battery.Text = range.front().volts;
    } else if (request.Cell && !battery.Given && !sweepingBattery) {
        const PackTexts pack = TextsOf(*request.Cell, request.CellPack);
        range = {{"full", pack.Full}, {"nominal", pack.Nominal}, {"empty", pack.Empty}};
        battery.Text = pack.Full;
        preset = NameOf(*request.Cell) + ", " + std::to_string(request.CellPack.Series) + "S";
    }
    const Calculation calculation(request, std::move(range), std::move(preset));
    return RunCalculation(inputs, request.Sweep, EmptyReport(request.Sweep), std::cref(calculation));
}

} // namespace lumora::cli
