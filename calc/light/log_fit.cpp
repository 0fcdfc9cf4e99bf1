// SPDX-License-Identifier: MIT
#include "calc/light/log_fit.h"

#include "calc/text/number_text.h"

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

// A log as voltage and current against the charge the rest curve is read
// at (Ah: drawn, plus what a model's load left in its bound well), with the
// polarisation's voltage at each reading (0 without one), its mean current
// and its energy.
// Warmth is the DC resistance's factor at each reading's temperature (1
// where the log has none).
struct Curve {
    std::vector<double> Ah, Volts, Amps, Branch, Warmth;
    double MeanAmps = 0.0, Wh = 0.0;
};

// What the DC resistance takes at a reading: I·R·warmth.
double Drop(const Curve& curve, std::size_t k, double ohms) { return curve.Amps[k] * curve.Warmth[k] * ohms; }

Curve CurveOf(const DischargeLog& log, double activationKelvin = 0.0)
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
        const double celsius = log.Points[k].Celsius;
        curve.Warmth.push_back(std::isfinite(celsius) ? ArrheniusFactor(activationKelvin, celsius) : 1.0);
    }
    curve.Branch.assign(curve.Ah.size(), 0.0);
    const LogTotals totals = TotalsOf(log);
    curve.MeanAmps = totals.MeanAmps;
    curve.Wh = totals.Wh;
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

// Two wells or a polarisation are kept where they leave at most this share
// of the squared voltage errors of the fit without them.
constexpr double ClearlyBetter = 0.8;

// R as the median over the shared charge of the least-squares slope of
// voltage against current (times the resistance's warmth factor, where the
// logs give the cell's temperature); nullopt where the logs' currents do
// not differ.
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
        const auto drive = [&](const Curve& c) { return At(c.Ah, c.Amps, q) * At(c.Ah, c.Warmth, q); };
        for (const Curve& c : curves) {
            meanI += drive(c) / static_cast<double>(curves.size());
            meanV += At(c.Ah, c.Volts, q) / static_cast<double>(curves.size());
        }
        double sii = 0.0, siv = 0.0;
        for (const Curve& c : curves) {
            const double di = drive(c) - meanI;
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

// The logs as a model reads them: its own law (Advance) run from a full
// cell at rest over each log's intervals at each reading's current and
// temperature (the model's own heat left out: the log has the cell's), the
// charge shifted by what the load left in the bound well and the
// polarisation's voltage kept, reading by reading.
std::vector<Curve> ReadBy(const CellModel& model, const std::vector<DischargeLog>& logs,
                          const std::vector<Curve>& drawn)
{
    std::vector<Curve> read = drawn;
    for (std::size_t i = 0; i < logs.size() && HasDynamics(model); ++i) {
        const std::vector<LogPoint>& points = logs[i].Points;
        CellState state = RestingCell(CellReferenceC);
        for (std::size_t k = 1; k < points.size(); ++k) {
            // At the logged temperature, where there is one, for the polarisation's warmth.
            if (std::isfinite(points[k - 1].Celsius))
                state.Celsius = points[k - 1].Celsius;
            state = Advance(model, state, points[k].Amps, (points[k].Seconds - points[k - 1].Seconds) / 3600.0,
                            state.Celsius);
            read[i].Ah[k] += BoundBehind(model, state);
            read[i].Branch[k] = state.PolarisationVolts;
        }
    }
    return read;
}

// The model's voltage at each of the log's readings, at its current and
// charge drawn, against the log's.
LogFitError ErrorOf(const CellModel& model, const DischargeLog& log, const Curve& curve)
{
    LogFitError error{log.Name, curve.MeanAmps, 0.0, 0.0};
    double squares = 0.0, wh = 0.0, previous = 0.0;
    for (std::size_t k = 0; k < curve.Ah.size(); ++k) {
        const double volts =
            OpenCircuitVoltage(model, curve.Ah[k]) - Drop(curve, k, model.InternalOhms) - curve.Branch[k];
        squares += (volts - curve.Volts[k]) * (volts - curve.Volts[k]);
        const double watts = volts * curve.Amps[k];
        if (k)
            wh += (watts + previous) / 2.0 * (log.Points[k].Seconds - log.Points[k - 1].Seconds) / 3600.0;
        previous = watts;
    }
    error.VoltsRms = std::sqrt(squares / static_cast<double>(curve.Ah.size()));
    error.WhError = wh / curve.Wh - 1.0;
    return error;
}

// The rest curve the logs give for these resistances: each reading's
// voltage plus what the resistance and the polarisation took, averaged over
// the logs that reach each charge; where noise lifts a point above the one
// before, it is held level, for a rest curve falls.
std::vector<double> RestCurveOf(const std::vector<Curve>& curves, const CellModel& model)
{
    std::vector<std::vector<double>> rests;
    for (const Curve& curve : curves) {
        std::vector<double> rest = curve.Branch;
        for (std::size_t k = 0; k < rest.size(); ++k)
            rest[k] += curve.Volts[k] + Drop(curve, k, model.InternalOhms);
        rests.push_back(std::move(rest));
    }
    std::vector<double> curve;
    for (int k = 0; k < RestPoints; ++k) {
        const double q = model.CapacityAh * k / (RestPoints - 1);
        double sum = 0.0;
        int count = 0;
        for (std::size_t i = 0; i < curves.size(); ++i)
            if (curves[i].Ah.back() >= q - 1e-12) {
                sum += At(curves[i].Ah, rests[i], q);
                ++count;
            }
        curve.push_back(curve.empty() ? sum / count : std::min(sum / count, curve.back()));
    }
    return curve;
}

// The model with these resistances, and its errors on the logs as it
// reads them (ReadBy).
FittedCell FitWithOhms(const std::vector<DischargeLog>& logs, const std::vector<Curve>& curves, CellModel model)
{
    FittedCell fitted;
    model.OpenCircuitVolts = RestCurveOf(curves, model);
    fitted.Model = model;
    for (std::size_t i = 0; i < logs.size(); ++i)
        fitted.Errors.push_back(ErrorOf(fitted.Model, logs[i], curves[i]));
    return fitted;
}

double SquaredErrors(const FittedCell& fitted)
{
    double sum = 0.0;
    for (const LogFitError& error : fitted.Errors)
        sum += error.VoltsRms * error.VoltsRms;
    return sum;
}

// The step at a log's switch-on, after a rest reading: the resistance
// before any polarisation has built, R0 = (E - V) / I at the first reading
// under load.
std::optional<double> SwitchOnOhms(const std::vector<DischargeLog>& logs)
{
    for (const DischargeLog& log : logs)
        if (log.RestVolts)
            return (*log.RestVolts - log.Points.front().Volts) / log.Points.front().Amps;
    return std::nullopt;
}

// With logs at two currents, the load's effect on the charge: the kinetic
// battery model's share c and levelling rate k' that, each with the
// resistance and rest curve its logs then give, fit the logs best, of a
// grid (c from 0.5 to 0.95, k' from 0.1 to 30 per hour). Kept only where it
// gives them clearly better than one well.
FittedCell WithRate(const std::vector<DischargeLog>& logs, const std::vector<Curve>& drawn, FittedCell settled)
{
    FittedCell best = settled;
    constexpr int Rates = 12;
    for (const double share : {0.95, 0.9, 0.8, 0.7, 0.6, 0.5})
        for (int k = 0; k < Rates; ++k) {
            CellModel model = settled.Model;
            model.AvailableShare = share;
            model.LevellingPerHour = 0.1 * std::pow(300.0, static_cast<double>(k) / (Rates - 1));
            const std::vector<Curve> read = ReadBy(model, logs, drawn);
            const std::optional<double> ohms = ResistanceOf(read);
            if (!ohms || !(*ohms >= 0.0))
                continue;
            model.InternalOhms = *ohms;
            for (const Curve& curve : read)
                model.CapacityAh = std::max(model.CapacityAh, curve.Ah.back());
            FittedCell candidate = FitWithOhms(logs, read, model);
            if (SquaredErrors(candidate) < SquaredErrors(best))
                best = std::move(candidate);
        }
    if (SquaredErrors(best) < ClearlyBetter * SquaredErrors(settled))
        return best;
    settled.RateNote = "(one well: a rate effect gives the logs no better)";
    return settled;
}

// With logs at two currents, the settled resistance R0 + R1 between them
// is split: R0 and the time constant are the pair, of a grid, that gives
// the logs best (R0 from a fifth to all of the settled resistance, and the
// step at a switch-on from rest where a log has one; τ from 2 s to 20 min).
// The polarisation is kept only where it gives the logs clearly better than
// the settled resistance alone.
FittedCell WithPolarisation(const std::vector<DischargeLog>& logs, const std::vector<Curve>& drawn, FittedCell settled,
                            std::optional<double> switchOnOhms)
{
    const double total = settled.Model.InternalOhms;
    std::vector<double> splits;
    for (int k = 2; k < 10; ++k)
        splits.push_back(total * k / 10.0);
    if (switchOnOhms && *switchOnOhms > 0.0 && *switchOnOhms < total)
        splits.push_back(*switchOnOhms);
    FittedCell best = settled;
    CellModel model = settled.Model;
    constexpr int Grid = 40;
    for (const double ohms : splits)
        for (int k = 0; k < Grid; ++k) {
            model.InternalOhms = ohms;
            model.PolarisationOhms = total - ohms;
            model.PolarisationSeconds = 2.0 * std::pow(600.0, static_cast<double>(k) / (Grid - 1));
            FittedCell candidate = FitWithOhms(logs, ReadBy(model, logs, drawn), model);
            if (SquaredErrors(candidate) < SquaredErrors(best))
                best = std::move(candidate);
        }
    if (!(SquaredErrors(best) < ClearlyBetter * SquaredErrors(settled))) {
        settled.PolarisationNote = "(none: it gives the logs no better)";
        return settled;
    }
    best.RateNote = settled.RateNote;
    best.ResistanceFromLogs = settled.ResistanceFromLogs;
    return best;
}

// Every reading of every log carries the cell's temperature.
bool Warmed(const std::vector<DischargeLog>& logs)
{
    return std::all_of(logs.begin(), logs.end(), [](const DischargeLog& log) {
        return std::all_of(log.Points.begin(), log.Points.end(),
                           [](const LogPoint& point) { return std::isfinite(point.Celsius); });
    });
}

// The settled fit at one activation: the logs' curves with the resistance's
// warmth at their temperatures, the resistance their slope gives, and the
// rest curve; nullopt where the slope is none or below 0.
std::optional<FittedCell> SettledAt(const std::vector<DischargeLog>& logs, CellModel model, double activationKelvin,
                                    std::vector<Curve>& curves)
{
    curves.clear();
    for (const DischargeLog& log : logs)
        curves.push_back(CurveOf(log, activationKelvin));
    const std::optional<double> ohms = ResistanceOf(curves);
    if (!ohms || !(*ohms >= 0.0))
        return std::nullopt;
    model.InternalOhms = *ohms;
    model.ResistanceActivationKelvin = activationKelvin;
    model.PolarisationActivationKelvin = activationKelvin;
    return FitWithOhms(logs, curves, model);
}

// Where the logs give the cell's temperature, the resistance's activation
// (one for R0 and R1, Ea/R from 0 to 2000 K, about 0 to 17 kJ/mol) whose
// settled fit gives the logs best, with its curves; 0 otherwise.
double ActivationOf(const std::vector<DischargeLog>& logs, const CellModel& model, std::vector<Curve>& curves)
{
    if (!Warmed(logs))
        return 0.0;
    double best = 0.0, bestSquares = INFINITY;
    std::vector<Curve> scratch;
    for (int step = 0; step <= 40; ++step) {
        const double kelvin = 50.0 * step;
        const std::optional<FittedCell> fitted = SettledAt(logs, model, kelvin, scratch);
        if (fitted && SquaredErrors(*fitted) < bestSquares) {
            bestSquares = SquaredErrors(*fitted);
            best = kelvin;
        }
    }
    SettledAt(logs, model, best, curves);
    return best;
}

// The cell's heat balance from its logged temperature, the lumped node of
// CellModel: over each interval dT = (P/C - G/C (T - Ta)) dt, with P the
// whole loss I (E - V) at the fitted rest curve and Ta the logged air (or
// the cell's first reading), C and G by linear least squares over every
// log. Kept where both come out above 0 and within what a cell file
// carries (C from 1 J/K to MostHeatJoulesPerKelvin, G to
// MostCoolingWattsPerKelvin).
FittedCell WithHeat(const std::vector<DischargeLog>& logs, const std::vector<Curve>& curves, FittedCell fitted)
{
    double sxx = 0.0, sxy = 0.0, syy = 0.0, sxd = 0.0, syd = 0.0;
    for (std::size_t i = 0; i < logs.size(); ++i) {
        const std::vector<LogPoint>& points = logs[i].Points;
        const double firstAir = logs[i].RestCelsius.value_or(points.front().Celsius);
        for (std::size_t k = 1; k < points.size(); ++k) {
            const double seconds = points[k].Seconds - points[k - 1].Seconds;
            const double air = std::isfinite(points[k].AmbientC) ? points[k].AmbientC : firstAir;
            const double loss = points[k].Amps * (OpenCircuitVoltage(fitted.Model, curves[i].Ah[k]) - points[k].Volts);
            const double x = loss * seconds, y = -(points[k - 1].Celsius - air) * seconds;
            const double d = points[k].Celsius - points[k - 1].Celsius;
            sxx += x * x, sxy += x * y, syy += y * y, sxd += x * d, syd += y * d;
        }
    }
    const double det = sxx * syy - sxy * sxy;
    const double perJoule = det != 0.0 ? (sxd * syy - syd * sxy) / det : 0.0; // 1/C
    const double cooling = det != 0.0 ? (syd * sxx - sxd * sxy) / det : 0.0;  // G/C
    const bool cellLike = perJoule >= 1.0 / MostHeatJoulesPerKelvin && perJoule <= 1.0 && cooling > 0.0 &&
                          cooling / perJoule <= MostCoolingWattsPerKelvin;
    if (!cellLike) {
        fitted.HeatNote = "(none: the logs' temperatures give no heat balance a cell could have)";
        return fitted;
    }
    fitted.Model.HeatJoulesPerKelvin = 1.0 / perJoule;
    fitted.Model.CoolingWattsPerKelvin = cooling / perJoule;
    return fitted;
}

} // namespace

std::variant<FittedCell, std::string> FitCellToLogs(const std::vector<DischargeLog>& logs, double typicalOhms)
{
    if (logs.empty())
        return std::string("give a log to fit to");
    std::vector<Curve> curves;
    for (const DischargeLog& log : logs)
        curves.push_back(CurveOf(log));
    const std::optional<double> switchOn = SwitchOnOhms(logs);
    std::optional<double> ohms = curves.size() > 1 ? ResistanceOf(curves) : std::nullopt;
    const bool settled = ohms.has_value();
    bool fromLogs = true;
    if (!ohms)
        ohms = switchOn;
    if (!ohms) {
        ohms = typicalOhms;
        fromLogs = false;
    }
    if (!(*ohms >= 0.0))
        return std::string("the logs give a resistance below 0: their voltage rises with the current; "
                           "are they of one cell, from full?");
    // The rest curve over the charge the longest log drew, to the lowest voltage a log reached.
    CellModel model;
    for (const Curve& curve : curves)
        model.CapacityAh = std::max(model.CapacityAh, curve.Ah.back());
    if (!(model.CapacityAh >= FewestCapacityAh) || !(model.CapacityAh <= MostCapacityAh))
        return "the logs draw " + DoubleText(model.CapacityAh * 1000.0) + " mAh, outside the " +
               DoubleText(FewestCapacityAh * 1000.0) + " to " + DoubleText(MostCapacityAh * 1000.0) +
               " mAh of a cell; are the times in seconds and the currents in amperes?";
    model.InternalOhms = *ohms;
    model.CutOffVolts = logs.front().Points.back().Volts;
    for (const DischargeLog& log : logs)
        model.CutOffVolts = std::min(model.CutOffVolts, log.Points.back().Volts);
    const double activation = settled ? ActivationOf(logs, model, curves) : 0.0;
    if (activation > 0.0) {
        model.InternalOhms = *ResistanceOf(curves);
        model.ResistanceActivationKelvin = model.PolarisationActivationKelvin = activation;
    }
    FittedCell fitted = FitWithOhms(logs, curves, model);
    const std::vector<double>& rest = fitted.Model.OpenCircuitVolts;
    if (std::any_of(rest.begin(), rest.end(), [](double volts) { return !(volts > 0.0) || volts > 5.0; }))
        return std::string("the logs give a cell whose rest voltage is outside 0 to 5 V; "
                           "are they of one cell, its current in amperes?");
    fitted.ResistanceFromLogs = fromLogs;
    if (settled)
        fitted = WithPolarisation(logs, curves, WithRate(logs, curves, std::move(fitted)), switchOn);
    else {
        fitted.PolarisationNote = "(none: give logs at two currents)";
        fitted.RateNote = "(one well: give logs at two currents)";
    }
    if (!Warmed(logs)) {
        fitted.HeatNote = "(none: give logs with the cell's temperature, cell_c)";
        return fitted;
    }
    return WithHeat(logs, curves, std::move(fitted));
}

} // namespace lumora
