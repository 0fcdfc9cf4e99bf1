// SPDX-License-Identifier: MIT
#include "calc/light/log_fit.h"

#include <algorithm>
#include <cmath>

namespace lumora {

LogTotals TotalsOf(const DischargeLog& log)
{
    LogTotals totals;
    const std::vector<LogPoint>& points = log.Points;
    for (std::size_t k = 1; k < points.size(); ++k) {
        const double hours = (points[k].Seconds - points[k - 1].Seconds) / 3600.0;
        totals.Ah += (points[k].Amps + points[k - 1].Amps) / 2.0 * hours;
        totals.Wh += (points[k].Amps * points[k].Volts + points[k - 1].Amps * points[k - 1].Volts) / 2.0 * hours;
    }
    const double seconds = points.empty() ? 0.0 : points.back().Seconds - points.front().Seconds;
    totals.MeanAmps = seconds > 0.0 ? totals.Ah * 3600.0 / seconds : (points.empty() ? 0.0 : points.front().Amps);
    totals.EndVolts = points.empty() ? 0.0 : points.back().Volts;
    return totals;
}

namespace {

// A log as voltage and current against the charge drawn, Ah.
struct Curve {
    std::vector<double> Ah, Volts, Amps;
    double MeanAmps = 0.0;
};

Curve CurveOf(const DischargeLog& log)
{
    Curve curve;
    double ah = 0.0;
    for (std::size_t k = 0; k < log.Points.size(); ++k) {
        if (k)
            ah += (log.Points[k].Amps + log.Points[k - 1].Amps) / 2.0 *
                  (log.Points[k].Seconds - log.Points[k - 1].Seconds) / 3600.0;
        curve.Ah.push_back(ah);
        curve.Volts.push_back(log.Points[k].Volts);
        curve.Amps.push_back(log.Points[k].Amps);
    }
    curve.MeanAmps = TotalsOf(log).MeanAmps;
    return curve;
}

// A value of the curve at a charge, straight between its points.
double At(const std::vector<double>& ah, const std::vector<double>& values, double q)
{
    const auto above = std::lower_bound(ah.begin(), ah.end(), q);
    if (above == ah.begin())
        return values.front();
    if (above == ah.end())
        return values.back();
    const std::size_t k = static_cast<std::size_t>(above - ah.begin());
    const double span = ah[k] - ah[k - 1];
    return span > 0.0 ? values[k - 1] + (values[k] - values[k - 1]) * (q - ah[k - 1]) / span : values[k];
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

// R as the median over the shared charge of the least-squares slope of
// voltage against current; nullopt where the logs' currents do not differ.
std::optional<double> ResistanceOf(const std::vector<Curve>& curves)
{
    double shared = curves.front().Ah.back();
    for (const Curve& curve : curves)
        shared = std::min(shared, curve.Ah.back());
    std::vector<double> slopes;
    constexpr int Samples = 50;
    for (int s = 1; s < Samples; ++s) {
        const double q = shared * s / Samples;
        double meanI = 0.0, meanV = 0.0;
        for (const Curve& c : curves) {
            meanI += At(c.Ah, c.Amps, q) / static_cast<double>(curves.size());
            meanV += At(c.Ah, c.Volts, q) / static_cast<double>(curves.size());
        }
        double sii = 0.0, siv = 0.0;
        for (const Curve& c : curves) {
            const double di = At(c.Ah, c.Amps, q) - meanI;
            sii += di * di;
            siv += di * (At(c.Ah, c.Volts, q) - meanV);
        }
        if (sii > 1e-12)
            slopes.push_back(-siv / sii);
    }
    if (slopes.empty())
        return std::nullopt;
    return Median(slopes);
}

// The model's voltage at each of the log's readings, at its current and
// charge drawn, against the log's.
LogFitError ErrorOf(const CellModel& model, const DischargeLog& log, const Curve& curve)
{
    LogFitError error{log.Name, curve.MeanAmps, 0.0, 0.0};
    double squares = 0.0, wh = 0.0, previous = 0.0;
    for (std::size_t k = 0; k < curve.Ah.size(); ++k) {
        const double volts = OpenCircuitVoltage(model, curve.Ah[k]) - curve.Amps[k] * model.InternalOhms;
        squares += (volts - curve.Volts[k]) * (volts - curve.Volts[k]);
        const double watts = volts * curve.Amps[k];
        if (k)
            wh += (watts + previous) / 2.0 * (log.Points[k].Seconds - log.Points[k - 1].Seconds) / 3600.0;
        previous = watts;
    }
    error.VoltsRms = std::sqrt(squares / static_cast<double>(curve.Ah.size()));
    error.WhError = wh / TotalsOf(log).Wh - 1.0;
    return error;
}

} // namespace

std::variant<FittedCell, std::string> FitCellToLogs(const std::vector<DischargeLog>& logs, double typicalOhms)
{
    if (logs.empty())
        return std::string("give a log to fit to");
    std::vector<Curve> curves;
    for (const DischargeLog& log : logs)
        curves.push_back(CurveOf(log));
    FittedCell fitted;
    std::optional<double> ohms = curves.size() > 1 ? ResistanceOf(curves) : std::nullopt;
    if (!ohms && logs.front().RestVolts) {
        const LogPoint& first = logs.front().Points.front();
        ohms = (*logs.front().RestVolts - first.Volts) / first.Amps;
    }
    if (!ohms) {
        ohms = typicalOhms;
        fitted.ResistanceFromLogs = false;
    }
    if (!(*ohms >= 0.0))
        return std::string("the logs give a resistance below 0: their voltage rises with the current; "
                           "are they of one cell, from full?");
    // The rest curve over the charge the longest log drew.
    double capacity = 0.0;
    for (const Curve& curve : curves)
        capacity = std::max(capacity, curve.Ah.back());
    CellModel& model = fitted.Model;
    model.CapacityAh = capacity;
    model.InternalOhms = *ohms;
    for (int k = 0; k < RestPoints; ++k) {
        const double q = capacity * k / (RestPoints - 1);
        double sum = 0.0;
        int count = 0;
        for (const Curve& c : curves)
            if (c.Ah.back() >= q - 1e-12) {
                sum += At(c.Ah, c.Volts, q) + At(c.Ah, c.Amps, q) * *ohms;
                ++count;
            }
        model.OpenCircuitVolts.push_back(sum / count);
    }
    // A rest curve falls: where noise lifts a point above the one before, it is held level.
    for (std::size_t k = 1; k < model.OpenCircuitVolts.size(); ++k)
        model.OpenCircuitVolts[k] = std::min(model.OpenCircuitVolts[k], model.OpenCircuitVolts[k - 1]);
    double lowest = logs.front().Points.back().Volts;
    for (const DischargeLog& log : logs)
        lowest = std::min(lowest, log.Points.back().Volts);
    model.CutOffVolts = lowest;
    for (std::size_t i = 0; i < logs.size(); ++i)
        fitted.Errors.push_back(ErrorOf(model, logs[i], curves[i]));
    return fitted;
}

} // namespace lumora
