// SPDX-License-Identifier: MIT
#include "calc/reports/resistor_to_buy.h"

#include "calc/light/operating_point.h"
#include "calc/text/field_text.h"
#include "calc/text/number_text.h"

#include <algorithm>

namespace lumora {

namespace {

using Q = ResistorQuantity;

// The fields at a current and forward voltage found on the curve: the
// window's own power from the rounded current and resistance, which it
// computes after solving the battery voltage the current needs.
ResistorOutcome AtCurrent(const ResistorFields& fields, Wiring wiring, double ledAmps, double ledVolts)
{
    ResistorFields asked = fields;
    asked.BatteryVoltage.clear();
    asked.LedVf = DoubleText(ledVolts);
    asked.LedCurrent = RoundedText(ledAmps * 1000.0, 2);
    asked.Wattage = "0.00";
    ResistorOutcome outcome = CalculateResistor(asked, wiring);
    outcome.Fields.BatteryVoltage = fields.BatteryVoltage;
    outcome.Fields.LedVf = RoundedText(ledVolts, 2);
    if (outcome.Target)
        outcome.Target = Q::LedCurrent;
    return outcome;
}

LedString StringOf(const ResistorFields& fields, Wiring wiring, const LedCurve& curve)
{
    LedString string;
    string.Curve = curve;
    string.Count = NumberOrZero(fields.LedCount);
    string.Wiring = wiring;
    string.ResistorOhms = NumberOrZero(fields.Resistance);
    return string;
}

} // namespace

ResistorOutcome CalculateResistorOnCurve(const ResistorFields& fields, Wiring wiring, const LedCurve& curve)
{
    // The checks with the forward voltage as given: it is never the blank one.
    ResistorFields checked = fields;
    checked.LedVf = "0";
    ResistorOutcome outcome = CalculateResistor(checked, wiring);
    if (!outcome.Windows.empty() || outcome.Failure == Failure::UnreadableText) {
        outcome.Fields.LedVf = fields.LedVf;
        return outcome;
    }
    if (IsBlank(fields.LedCurrent)) {
        const double count = NumberOrZero(fields.LedCount);
        if (NumberOrZero(fields.Resistance) < 0.0 || !(count >= 1.0))
            return outcome;
        const OperatingPoint point =
            SolveOperatingPoint(StringOf(fields, wiring, curve), NumberOrZero(fields.BatteryVoltage), 0.0);
        return AtCurrent(fields, wiring, point.LedAmps, point.LedVolts);
    }
    const double amps = NumberOrZero(fields.LedCurrent) / 1000.0;
    if (!(amps > 0.0))
        return outcome; // the window's own outcome with a forward voltage of 0
    checked.LedVf = DoubleText(ForwardVoltage(curve, amps));
    outcome = CalculateResistor(checked, wiring);
    outcome.Fields.LedVf = RoundedText(ForwardVoltage(curve, amps), 2);
    return outcome;
}

std::vector<ResistorChoice> WithStandardNeighbours(const ResistorChoice& resistor, ESeries series,
                                                   std::vector<std::string>& warnings)
{
    std::vector<ResistorChoice> choices{resistor};
    const std::string name(SeriesName(series));
    const double ohms = NumberOrZero(resistor.Ohms);
    const StandardNeighbours next = NeighboursOf(series, ohms);
    if (next.Below && next.Below == next.Above) {
        choices.push_back({name, *next.Below});
        return choices;
    }
    if (next.Below)
        choices.push_back({name + " below", *next.Below});
    if (next.Above)
        choices.push_back({name + " above", *next.Above});
    if (ohms >= 0.0 && !next.Below)
        warnings.push_back(name + " is stocked from 0.1 ohm: there is no standard value below " + resistor.Ohms +
                           " ohm");
    if (ohms >= 0.0 && !next.Above)
        warnings.push_back(name + " is stocked up to 10 megohms: there is no standard value above " + resistor.Ohms +
                           " ohm");
    return choices;
}

ChoiceTable ChoiceRows(const ResistorOutcome& solved, Wiring wiring, const std::vector<ResistorChoice>& choices,
                       const std::vector<BatteryPoint>& points, const std::optional<LedCurve>& curve)
{
    ChoiceTable table;
    for (std::size_t c = 0; c < choices.size(); ++c) {
        const ResistorChoice& choice = choices[c];
        std::vector<ChoiceRow> rows;
        double worst = 0.0; // the most the resistor dissipates at any point, W
        for (std::size_t p = 0; p < points.size(); ++p) {
            ChoiceRow row{choice.Label, points[p].Label, solved, std::nullopt, false};
            if (c > 0 || p > 0) {
                ResistorFields fields = solved.Fields;
                fields.BatteryVoltage = points[p].Volts;
                fields.Resistance = choice.Ohms;
                fields.LedCurrent.clear();
                fields.Wattage = "0.00";
                row.Outcome =
                    curve ? CalculateResistorOnCurve(fields, wiring, *curve) : CalculateResistor(fields, wiring);
                const bool failed = row.Outcome.Failure != Failure::None || !row.Outcome.Windows.empty();
                const double milliamps = NumberOrZero(row.Outcome.Fields.LedCurrent);
                row.Dark = !failed && (curve ? milliamps / 1000.0 < DarkLedAmps : milliamps <= 0.0);
                if (row.Dark && !curve) {
                    // Below its forward voltage the window's line gives no current.
                    row.Outcome.Fields.LedCurrent = "0";
                    row.Outcome.Fields.Wattage = "0";
                }
                if (row.Dark)
                    table.Warnings.push_back(
                        "at " + points[p].Volts + " V" + (points[p].Label.empty() ? "" : " (" + points[p].Label + ")") +
                        (curve ? " the LEDs carry less than 0.1 mA each: they go dark"
                               : " the battery is below the LEDs' forward voltage: the LEDs go dark"));
            }
            if (row.Outcome.Failure == Failure::None && !row.Dark)
                worst = std::max(worst, NumberOrZero(row.Outcome.Fields.Wattage));
            rows.push_back(std::move(row));
        }
        // A resistance of 0 or below is no part to buy.
        const std::optional<double> rating = NumberOrZero(choice.Ohms) > 0.0 ? RatingFor(worst) : std::nullopt;
        if (!rating && NumberOrZero(choice.Ohms) > 0.0)
            table.Warnings.push_back("a " + choice.Ohms + " ohm resistor dissipates up to " + DoubleText(worst) +
                                     " W: no common rating is twice that");
        for (ChoiceRow& row : rows) {
            row.RatingWatts = rating;
            table.Rows.push_back(std::move(row));
        }
    }
    return table;
}

namespace {

// The most current an LED carries in any row that lights.
double MostLedAmps(const std::vector<ChoiceRow>& rows)
{
    double most = 0.0;
    for (const ChoiceRow& row : rows)
        if (row.Outcome.Failure == Failure::None && !row.Dark)
            most = std::max(most, NumberOrZero(row.Outcome.Fields.LedCurrent) / 1000.0);
    return most;
}

// Where the battery gives the LEDs no headroom: less than they need (a
// negative result, solved for the resistance or the current), or just what
// they need (a resistance of 0), when the current follows the battery's
// voltage and the LEDs' own spread and no resistor can set it. Empty where
// there is headroom.
std::string HeadroomWarning(const ResistorOutcome& outcome, Wiring wiring)
{
    const ResistorFields& solved = outcome.Fields;
    const ResistorQuantity target = *outcome.Target;
    const bool series = wiring == Wiring::Series && NumberOrZero(solved.LedCount) > 1.0;
    const std::string leds = series ? "the " + solved.LedCount + " LEDs in series need" : "the LED needs";
    if (target == ResistorQuantity::Resistance && NumberOrZero(solved.Resistance) == 0.0)
        return "the battery's " + solved.BatteryVoltage + " V is just what " + leds +
               ": no resistor is left to set the current, which then follows the battery's voltage and the LEDs' "
               "own spread; use a higher battery voltage or a current regulator";
    const bool negative = (target == ResistorQuantity::Resistance && NumberOrZero(solved.Resistance) < 0.0) ||
                          (target == ResistorQuantity::LedCurrent && NumberOrZero(solved.LedCurrent) < 0.0);
    if (!negative)
        return {};
    const double needs = NumberOrZero(solved.LedVf) * (series ? NumberOrZero(solved.LedCount) : 1.0);
    return leds + " " + DoubleText(needs) + (series ? " V together" : " V") + ", more than the battery's " +
           solved.BatteryVoltage + " V: no resistor can make this work (the negative result says so); use " +
           (series ? "fewer LEDs in series, wire them in parallel, or " : "") + "a higher battery voltage";
}

} // namespace

std::string SharingWarning(std::string_view count)
{
    return "one resistor feeds " + std::string(count) +
           " LEDs in parallel: how the current shares among them depends on how closely their forward voltages "
           "match";
}

ResistorToBuy BuyResistor(const ResistorToBuyRequest& request)
{
    const ResistorFields& solved = request.Solved.Fields;
    const Q target = *request.Solved.Target;
    std::vector<BatteryPoint> points = request.Points;
    if (points.empty())
        points.push_back({"", solved.BatteryVoltage});
    else
        points.front().Volts = solved.BatteryVoltage;

    ResistorToBuy bought;
    std::vector<ResistorChoice> choices{{target == Q::Resistance ? "solved" : "given", solved.Resistance}};
    // A solved resistance of 0 or below is no part: no standard value beside it.
    const bool noPart = target == Q::Resistance && !(NumberOrZero(solved.Resistance) > 0.0);
    if (request.Series && !noPart)
        choices = WithStandardNeighbours(choices.front(), *request.Series, bought.Warnings);
    bought.Curve = request.Led;
    if (!bought.Curve && NumberOrZero(solved.LedCurrent) > 0.0 && NumberOrZero(solved.LedVf) > 0.0)
        bought.Curve = TypicalThrough(NumberOrZero(solved.LedCurrent), NumberOrZero(solved.LedVf));
    bought.RowsBeyond = choices.size() > 1 || points.size() > 1;
    ChoiceTable table = ChoiceRows(request.Solved, request.Wiring, choices, points,
                                   bought.Curve ? std::optional<LedCurve>(bought.Curve->Curve) : std::nullopt);
    bought.Rows = std::move(table.Rows);
    for (std::string& warning : table.Warnings) {
        if (std::find(bought.Warnings.begin(), bought.Warnings.end(), warning) == bought.Warnings.end())
            bought.Warnings.push_back(std::move(warning));
    }
    if (request.Wiring == Wiring::Parallel && NumberOrZero(solved.LedCount) > 1.0)
        bought.Warnings.push_back(SharingWarning(solved.LedCount));
    if (request.Led)
        if (std::string rating = LedRatingWarning(*request.Led, MostLedAmps(bought.Rows)); !rating.empty())
            bought.Warnings.push_back(std::move(rating));
    if (std::string headroom = HeadroomWarning(request.Solved, request.Wiring); !headroom.empty())
        bought.Warnings.push_back(std::move(headroom));
    if (target == Q::Resistance && request.Series && !noPart) {
        const std::string name(SeriesName(*request.Series));
        for (ChoiceRow& row : bought.Rows) {
            if (row.Resistor == name + " above" || row.Resistor == name) {
                row.Buy = true;
                break;
            }
        }
    }
    return bought;
}

} // namespace lumora
