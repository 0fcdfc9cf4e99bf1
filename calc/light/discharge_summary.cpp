// SPDX-License-Identifier: MIT
#include "calc/light/discharge_step.h"

#include <algorithm>
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

// With a host: the hottest it gets, when it reaches its limit, and what it
// holds there (at the limit, or at the hottest without one).
void SummariseHeat(const std::vector<DischargeRow>& rows, DischargeSummary& summary)
{
    const auto hottest = std::max_element(
        rows.begin(), rows.end(), [](const DischargeRow& a, const DischargeRow& b) { return a.HostC < b.HostC; });
    const auto limited = std::find_if(rows.begin(), rows.end(), [](const DischargeRow& row) { return row.Limited; });
    const DischargeRow& held = limited != rows.end() ? *limited : *hottest;
    summary.PeakHostC = hottest->HostC;
    if (limited != rows.end())
        summary.LimitHours = limited->Hours;
    summary.SustainedOutput = held.Output;
    summary.SustainedLedAmps = held.LedAmps;
    summary.SustainedHeatW = held.HeatW;
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
    if (thermal)
        SummariseHeat(rows, summary);
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
