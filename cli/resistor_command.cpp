// SPDX-License-Identifier: MIT
#include "cli/resistor_command.h"

#include "calc/reports/resistor_picture.h"

#include "cli/command.h"
#include "cli/options.h"
#include <CLI/CLI.hpp>

#include "calc/calculators/messages.h"
#include "calc/calculators/quantities.h"
#include "calc/reports/resistor_to_buy.h"
#include "calc/text/field_text.h"
#include "calc/text/number_text.h"
#include "cli/field_input.h"

#include <algorithm>
#include <array>

namespace lumora::cli {

namespace {

using Q = ResistorQuantity;

// The quantities typed, in the order of the window's fields: all but the
// wattage, which the calculator writes.
std::vector<Q> Typed()
{
    std::vector<Q> typed;
    for (std::size_t i = 0; i < ResistorQuantities().size(); ++i) {
        if (!ResistorQuantities()[i].Written)
            typed.push_back(static_cast<Q>(i));
    }
    return typed;
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
        for (const QuantityRow& row : ResistorQuantities()) {
            if (sweep->Name == row.Key) {
                for (Column& column : report.Columns)
                    column.InText = column.InText || column.Key == row.Column;
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
    // The resistor to buy of the one calculation made, for its picture.
    const std::optional<ResistorPicture>& Picture() const { return m_picture; }

  private:
    StepResult Checked(const ResistorOutcome& main, const std::vector<Input>& inputs) const;
    void AddChoiceRows(const ResistorToBuy& bought, Report& report) const;
    void Summarise(const ResistorOutcome& main, const ResistorToBuy& bought, Report& report) const;

    const ResistorRequest& m_request;
    std::vector<BatteryPoint> m_range; // empty: the one voltage of the calculation
    std::optional<std::string> m_preset;
    std::optional<LedChoice> m_led; // the LED's curve, when given instead of --vf
    mutable std::optional<ResistorPicture> m_picture;
};

StepResult Calculation::operator()(const std::vector<Input>& inputs, bool sweeping, Report& report) const
{
    const std::vector<Q> typed = Typed();
    ResistorFields fields;
    fields.Wattage = RowOf(Q::Wattage).Start;
    for (std::size_t i = 0; i < typed.size(); ++i)
        FieldText(fields, typed[i]) = inputs[i].Text;
    const ResistorOutcome main = m_led ? CalculateResistorOnCurve(fields, m_request.Wiring, m_led->Curve)
                                       : CalculateResistor(fields, m_request.Wiring);
    StepResult result = Checked(main, inputs);
    if (!result.Refusals.empty() || !result.Failure.empty()) {
        if (sweeping) {
            std::vector<std::pair<std::string_view, std::string>> row;
            for (Q q : typed)
                row.emplace_back(RowOf(q).Column, FieldText(fields, q));
            row.emplace_back("wiring", WiringName(m_request.Wiring));
            row.emplace_back("note", result.Refusals.empty() ? result.Failure : result.Refusals.front());
            report.AddRow(row);
        }
        return result;
    }
    const ResistorToBuy bought = BuyResistor({main, m_request.Wiring, m_request.Series, m_range, m_led});
    AddChoiceRows(bought, report);
    result.Warnings = bought.Warnings;
    if (!sweeping) {
        Summarise(main, bought, report);
        m_picture = PictureToBuy(bought, m_request.Series, m_request.Wiring);
    }
    return result;
}

// The refusals of the window's messages, or the failure with the input to
// blame; neither for a calculation that was made.
StepResult Calculation::Checked(const ResistorOutcome& main, const std::vector<Input>& inputs) const
{
    const std::vector<Q> typed = Typed();
    StepResult result;
    if (!main.Windows.empty()) {
        std::vector<Input> named = inputs;
        if (m_led)
            named.erase(named.begin() + 1); // the curve gives the forward voltage
        result.Refusals = RefusalsOf(main.Windows, named);
    } else if (main.Failure != Failure::None) {
        const auto culprit = std::find(typed.begin(), typed.end(), main.Culprit);
        result.Failure =
            FailureOf(FailureText(main),
                      culprit == typed.end() ? nullptr : &inputs[static_cast<std::size_t>(culprit - typed.begin())]);
    }
    return result;
}

// A row for each resistor and battery voltage of the resistor to buy.
void Calculation::AddChoiceRows(const ResistorToBuy& bought, Report& report) const
{
    for (const ChoiceRow& choiceRow : bought.Rows) {
        const ResistorOutcome& outcome = choiceRow.Outcome;
        std::vector<std::pair<std::string_view, std::string>> row = {
            {"resistor", choiceRow.Resistor}, {"battery", choiceRow.Battery}, {"wiring", WiringName(m_request.Wiring)}};
        for (Q q : Typed())
            row.emplace_back(RowOf(q).Column, FieldText(outcome.Fields, q));
        if (outcome.Failure != Failure::None) {
            row.emplace_back("note", FailureText(outcome));
        } else {
            row.emplace_back("wattage_w", outcome.Fields.Wattage);
            row.emplace_back("solved", RowOf(*outcome.Target).Key);
            if (choiceRow.Dark)
                row.emplace_back("note", "LED dark");
            else if (choiceRow.Buy)
                row.emplace_back("note", "buy this");
            if (choiceRow.RatingWatts)
                row.emplace_back("rating_w", DoubleText(*choiceRow.RatingWatts));
        }
        report.AddRow(row);
    }
}

// The summary of one calculation: each quantity, the solved one marked.
void Calculation::Summarise(const ResistorOutcome& main, const ResistorToBuy& bought, Report& report) const
{
    const ResistorFields& solved = main.Fields;
    for (Q q : Typed()) {
        if (q == Q::LedCount)
            continue;
        const QuantityRow& shown = RowOf(q);
        const bool fromCurve = m_led && q == Q::LedVf;
        report.Summary.push_back({std::string(shown.Caption), FieldText(solved, q), std::string(shown.Unit),
                                  fromCurve           ? "(LED curve)"
                                  : q == *main.Target ? "(solved)"
                                                      : ""});
        if (q == Q::Resistance)
            report.Summary.push_back(
                {std::string(RowOf(Q::Wattage).Caption), solved.Wattage, std::string(RowOf(Q::Wattage).Unit), ""});
    }
    report.Summary.push_back(
        {std::string(RowOf(Q::LedCount).Caption), solved.LedCount, WiringName(m_request.Wiring), ""});
    if (m_preset)
        report.Summary.push_back({"Battery preset", *m_preset, "", ""});
    if (bought.Curve && bought.RowsBeyond)
        report.Summary.push_back({"LED curve", bought.Curve->Name, "", ""});
    report.TableInText = bought.RowsBeyond;
    if (bought.Curve && bought.RowsBeyond) {
        for (Column& column : report.Columns)
            column.InText = column.InText || column.Key == "vf_v";
    }
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
    std::vector<Input> inputs;
    for (Q q : Typed())
        inputs.push_back(InputOf(RowOf(q), GivenText(request.Texts, RowOf(q).Key)));
    Input& battery = inputs[0];

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
        preset = PackName(*request.Cell, request.CellPack, PackCounts::SeriesOnly);
    }
    const Calculation calculation(request, std::move(range), std::move(preset), std::move(curve));
    CommandOutput output = RunCalculation(inputs, request.Sweep, EmptyReport(request.Sweep), std::cref(calculation));
    if (request.Plot && calculation.Picture())
        output.File = OutputFile{*request.Plot, ResistorPictureSvg(*calculation.Picture())};
    return output;
}

namespace {

class Resistor final : public Command {
  public:
    CLI::App* Add(CLI::App& program) override
    {
        return program.add_subcommand("resistor",
                                      "the resistor calculator: give three of battery, vf, current and resistance");
    }

    void AddOptions(CLI::App& subcommand) override
    {
        CLI::App* command = &subcommand;
        const std::vector<CLI::Option*> options =
            AddQuantities(*command, ResistorQuantities(), m_request.Texts,
                          {{"battery", "; FULL:EMPTY or FULL:NOMINAL:EMPTY follows the current over a discharge"}});
        CLI::Option* series = command->add_flag("--series", m_series, "the LEDs in series (the default)");
        command->add_flag("--parallel", m_parallel, "the LEDs in parallel behind the one resistor")->excludes(series);
        command
            ->add_option("--e-series", m_eSeries,
                         "the standard resistors just below and above, with their current and power: E6, E12, E24 "
                         "(when no series is named), E48, E96 or E192")
            ->option_text("[SERIES]")
            ->expected(0, 1)
            ->check([](const std::string& text) {
                return text.empty() || ESeriesNamed(text)
                           ? std::string()
                           : "no series \"" + text + "\"; known: E6, E12, E24, E48, E96, E192";
            });
        AddLedOptions(*command, m_request.Led, options[static_cast<std::size_t>(ResistorQuantity::LedVf)]);
        AddCalculatorOptions(*command, m_common, m_format);
        command
            ->add_option("--plot", m_request.Plot,
                         "also write the resistor to buy, its colour bands and the LEDs as wired, as an SVG picture; "
                         "'-' writes it to standard output in place of the table")
            ->option_text("FILE.svg")
            ->excludes("--sweep");
    }

    CommandOutput Run() override
    {
        m_common.Apply(m_request);
        m_request.Wiring = m_parallel ? Wiring::Parallel : Wiring::Series;
        if (m_eSeries)
            m_request.Series = m_eSeries->empty() ? ESeries::E24 : *ESeriesNamed(*m_eSeries);
        return RunResistor(m_request);
    }

  private:
    ResistorRequest m_request;
    CalculatorOptions m_common;
    std::optional<std::string> m_eSeries;
    bool m_series = false, m_parallel = false;
};

} // namespace

std::unique_ptr<Command> ResistorCommand() { return std::make_unique<Resistor>(); }

} // namespace lumora::cli
