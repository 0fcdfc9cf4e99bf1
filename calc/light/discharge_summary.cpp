// SPDX-License-Identifier: MIT
#include "calc/light/discharge_step.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace lumora::discharge_step {

namespace {

constexpr double ThirtySecondsInHours = 30.0 / 3600.0;

// When the output first falls to 'level', interpolated between rows; nullopt if never.
std::optional<double> FallsTo(const std::vector<DischargeRow>& rows, double level)
{
    for (std::size_t k = 1; k < rows.size(); ++k) {
        if (rows[k].Output <= level && rows[k - 1].Output > level) {
            const double part = (rows[k - 1].Output - level) / (rows[k - 1].Output - rows[k].Output);
            return rows[k - 1].Hours + part * (rows[k].Hours - rows[k - 1].Hours);
        }
    }
    return std::nullopt;
}

double OutputAt(const std::vector<DischargeRow>& rows, double hours)
{
    for (std::size_t k = 1; k < rows.size(); ++k) {
        if (rows[k].Hours >= hours && rows[k].Hours > rows[k - 1].Hours) {
            const double part = (hours - rows[k - 1].Hours) / (rows[k].Hours - rows[k - 1].Hours);
            return rows[k - 1].Output + part * (rows[k].Output - rows[k - 1].Output);
        }
    }
    return rows.back().Lit ? rows.back().Output : rows.front().Output;
}

// A change of the driver's own: a timed step-down, or the limit reached.
bool Changes(const std::vector<DischargeRow>& rows, std::size_t i)
{
    return rows[i].SteppedDown || (rows[i].Limited && (i == 0 || !rows[i - 1].Limited));
}

// A row's value at a time, interpolated between the rows around it.
double ValueAt(const std::vector<DischargeRow>& rows, double hours, double DischargeRow::*value)
{
    for (std::size_t k = 1; k < rows.size(); ++k) {
        if (rows[k].Hours >= hours && rows[k].Hours > rows[k - 1].Hours) {
            const double part = (hours - rows[k - 1].Hours) / (rows[k].Hours - rows[k - 1].Hours);
            return rows[k - 1].*value + part * (rows[k].*value - rows[k - 1].*value);
        }
    }
    return rows.back().*value;
}

// Whether the host and the output still move over the SettledMinutes after
// a time: the host by more than SettledKelvins, or the output by more than
// SettledShare of itself.
bool Moves(const std::vector<DischargeRow>& rows, double hours)
{
    const double later = hours + SettledMinutes / 60.0;
    const double output = ValueAt(rows, hours, &DischargeRow::Output);
    return std::fabs(ValueAt(rows, later, &DischargeRow::HostC) - ValueAt(rows, hours, &DischargeRow::HostC)) >
               SettledKelvins ||
           std::fabs(ValueAt(rows, later, &DischargeRow::Output) - output) > SettledShare * output;
}

// When the light settles (see SettledKelvins): the first time after the
// driver's last change from which neither the host nor the output moves
// (Moves), found between rows by bisection; nullopt when the light goes out
// or fades before it could be.
// The moment the light settles: a time, and the row itself where it settles
// at a change, whose moment has a row before the change and one after.
struct Settled {
    double hours = 0.0;
    std::optional<std::size_t> row;
};

std::optional<Settled> SettledAt(const std::vector<DischargeRow>& rows, bool thermal)
{
    std::optional<std::size_t> lastChange;
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (Changes(rows, i))
            lastChange = i;
    if (!thermal)
        return lastChange ? std::optional<Settled>({rows[*lastChange].Hours, lastChange}) : std::nullopt;
    const std::size_t from = lastChange.value_or(0);
    const auto lit = std::find_if(rows.begin() + static_cast<std::ptrdiff_t>(from), rows.end(),
                                  [](const DischargeRow& row) { return !row.Lit; });
    const double lastLit = (lit == rows.end() ? rows.back() : *(lit - 1)).Hours - SettledMinutes / 60.0;
    // Held at its limit, the driver keeps the host still: the light has
    // settled there, its output following the cell as the heat stays.
    if (rows[from].Limited || !Moves(rows, rows[from].Hours))
        return rows[from].Hours <= lastLit ? std::optional<Settled>({rows[from].Hours, from}) : std::nullopt;
    for (std::size_t i = from + 1; i < rows.size() && rows[i].Hours <= lastLit; ++i) {
        if (Moves(rows, rows[i].Hours))
            continue;
        double low = rows[i - 1].Hours, high = rows[i].Hours;
        for (int k = 0; k < 50; ++k) {
            const double middle = (low + high) / 2.0;
            (Moves(rows, middle) ? low : high) = middle;
        }
        return Settled{high, std::nullopt};
    }
    return std::nullopt;
}

// When the driver first lowers its output, the hottest the host gets, when
// it reaches its limit, and the level the light settles at.
void SummariseHeld(const std::vector<DischargeRow>& rows, bool thermal, DischargeSummary& summary)
{
    for (std::size_t i = 0; i < rows.size() && !summary.TurboHours; ++i)
        if (Changes(rows, i))
            summary.TurboHours = rows[i].Hours;
    if (thermal) {
        const auto hottest = std::max_element(
            rows.begin(), rows.end(), [](const DischargeRow& a, const DischargeRow& b) { return a.HostC < b.HostC; });
        summary.PeakHostC = hottest->HostC;
        const auto limited =
            std::find_if(rows.begin(), rows.end(), [](const DischargeRow& row) { return row.Limited; });
        if (limited != rows.end())
            summary.LimitHours = limited->Hours;
    }
    if (const std::optional<Settled> settled = SettledAt(rows, thermal)) {
        const auto value = [&](double DischargeRow::*field) {
            return settled->row ? rows[*settled->row].*field : ValueAt(rows, settled->hours, field);
        };
        summary.SettledHours = settled->hours;
        summary.SustainedOutput = value(&DischargeRow::Output);
        summary.SustainedLedAmps = value(&DischargeRow::LedAmps);
        summary.SustainedHeatW = value(&DischargeRow::HeatW);
    }
}

} // namespace

void Summarise(Discharge& result, bool thermal)
{
    DischargeSummary& summary = result.Summary;
    std::vector<DischargeRow>& rows = result.Rows;
    for (const DischargeRow& row : rows) {
        if (!row.Regulated)
            break;
        summary.RegulatedHours = row.Hours;
    }
    SummariseHeld(rows, thermal, summary);
    // The ANSI/PLATO FL1 figures: the output 30 s after switch-on, and the
    // times until it falls to 10 % and 50 % of that.
    summary.Output30s = OutputAt(rows, ThirtySecondsInHours);
    if (!(summary.Output30s > 0.0))
        summary.Output30s = summary.StartOutput;
    for (DischargeRow& row : rows)
        row.OutputPercent = 100.0 * row.Output / summary.Output30s;
    const std::optional<double> fl1 = FallsTo(rows, 0.1 * summary.Output30s);
    const std::optional<double> half = FallsTo(rows, 0.5 * summary.Output30s);
    summary.Fl1Hours = fl1.value_or(summary.EndHours);
    summary.Fl1Reached = fl1 || summary.End != DischargeEnd::LongestRun;
    summary.HalfHours = half.value_or(summary.EndHours);
    summary.AverageEfficiency = summary.DrawnWh > 0.0 ? summary.DeliveredWh / summary.DrawnWh : 0.0;
}

} // namespace lumora::discharge_step
