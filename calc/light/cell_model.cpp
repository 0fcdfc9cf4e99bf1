// SPDX-License-Identifier: MIT
#include "calc/light/cell_model.h"

#include <algorithm>
#include <cmath>

namespace lumora {

CellModel FlatCell(double volts, double capacityAh)
{
    CellModel cell;
    cell.OpenCircuitVolts = {volts};
    cell.CapacityAh = capacityAh;
    return cell;
}

namespace {

// The curve's slope at point k, per step between points: monotone
// piecewise-cubic Hermite interpolation (Fritsch and Carlson, "Monotone
// piecewise cubic interpolation", SIAM J. Numer. Anal. 17(2), 1980) with
// the harmonic mean of the two secants inside, as Fritsch and Butland gave
// it for equal steps (SIAM J. Sci. Stat. Comput. 5(2), 1984): 0 where the
// secants differ in sign, so the curve never turns back between points; at
// the ends the end secant.
double Slope(const std::vector<double>& volts, std::size_t k)
{
    const std::size_t last = volts.size() - 1;
    if (k == 0)
        return volts[1] - volts[0];
    if (k == last)
        return volts[last] - volts[last - 1];
    const double before = volts[k] - volts[k - 1], after = volts[k + 1] - volts[k];
    if (!(before * after > 0.0))
        return 0.0;
    return 2.0 / (1.0 / before + 1.0 / after);
}

// The rest curve at 'at' steps from full, between its points by the cubic
// whose values and slopes meet theirs: smooth, without corners.
double CurveAt(const std::vector<double>& volts, double at)
{
    const double steps = static_cast<double>(volts.size() - 1);
    const auto below = static_cast<std::size_t>(std::min(std::floor(at), steps - 1.0));
    const double t = at - static_cast<double>(below);
    const double t2 = t * t, t3 = t2 * t;
    return (2.0 * t3 - 3.0 * t2 + 1.0) * volts[below] + (t3 - 2.0 * t2 + t) * Slope(volts, below) +
           (-2.0 * t3 + 3.0 * t2) * volts[below + 1] + (t3 - t2) * Slope(volts, below + 1);
}

} // namespace

double OpenCircuitVoltage(const CellModel& cell, double drawnAh)
{
    const std::vector<double>& volts = cell.OpenCircuitVolts;
    if (volts.size() < 2 || !(cell.CapacityAh > 0.0))
        return volts.empty() ? 0.0 : volts.front();
    const double steps = static_cast<double>(volts.size() - 1);
    return CurveAt(volts, std::clamp(drawnAh / cell.CapacityAh, 0.0, 1.0) * steps);
}

double DrawnAtRestVoltage(const CellModel& cell, double volts)
{
    const std::vector<double>& curve = cell.OpenCircuitVolts;
    if (curve.size() < 2 || volts >= curve.front())
        return 0.0;
    const double steps = static_cast<double>(curve.size() - 1);
    for (std::size_t i = 1; i < curve.size(); ++i) {
        if (volts >= curve[i] && curve[i - 1] > curve[i]) {
            // The monotone curve crosses the voltage once between the two points.
            double low = static_cast<double>(i - 1), high = static_cast<double>(i);
            for (int k = 0; k < 60; ++k) {
                const double middle = (low + high) / 2.0;
                (CurveAt(curve, middle) > volts ? low : high) = middle;
            }
            return (low + high) / 2.0 / steps * cell.CapacityAh;
        }
    }
    return cell.CapacityAh;
}

CellState RestingCell(double celsius, double drawnAh)
{
    CellState state;
    state.DrawnAh = drawnAh;
    state.Celsius = celsius;
    return state;
}

double BoundBehind(const CellModel& cell, const CellState& state) { return (1.0 - cell.AvailableShare) * state.Lag; }

double AvailableVoltage(const CellModel& cell, const CellState& state)
{
    return OpenCircuitVoltage(cell, state.DrawnAh + BoundBehind(cell, state));
}

double ArrheniusFactor(double activationKelvin, double celsius)
{
    if (activationKelvin == 0.0)
        return 1.0;
    constexpr double Absolute = 273.15;
    const double kelvin = std::max(celsius, -Absolute + 1.0) + Absolute;
    return std::exp(activationKelvin * (1.0 / kelvin - 1.0 / (CellReferenceC + Absolute)));
}

double ResistanceAt(const CellModel& cell, const CellState& state)
{
    const double warmth = ArrheniusFactor(cell.ResistanceActivationKelvin, state.Celsius);
    if (cell.ResistanceRise == 0.0 || !(cell.CapacityAh > 0.0))
        return cell.InternalOhms * warmth;
    const double x = std::clamp((state.DrawnAh + BoundBehind(cell, state)) / cell.CapacityAh, 0.0, 1.0);
    return cell.InternalOhms * (1.0 + cell.ResistanceRise * x * x) * warmth;
}

bool AvailableEmpty(const CellModel& cell, const CellState& state)
{
    const double share = cell.AvailableShare < 1.0 ? EmptyShare : 0.0; // one well empties exactly
    return state.DrawnAh + BoundBehind(cell, state) >= cell.CapacityAh * (1.0 - share);
}

double PolarisationOhmsAt(const CellModel& cell, const CellState& state)
{
    return cell.PolarisationOhms * ArrheniusFactor(cell.PolarisationActivationKelvin, state.Celsius);
}

double SourceVoltage(const CellModel& cell, const CellState& state)
{
    return AvailableVoltage(cell, state) - state.PolarisationVolts;
}

double CellLossWatts(const CellModel& cell, const CellState& state, double amps)
{
    return amps * amps * ResistanceAt(cell, state) + amps * state.PolarisationVolts;
}

bool HasDynamics(const CellModel& cell)
{
    return cell.AvailableShare < 1.0 || cell.PolarisationOhms > 0.0 || cell.HeatJoulesPerKelvin > 0.0;
}

namespace {

// The wells' lag after the step.
double LagAfter(const CellModel& cell, double lag, double amps, double hours)
{
    const double c = cell.AvailableShare;
    if (!(c < 1.0))
        return lag;
    const double k = std::max(cell.LevellingPerHour, 0.0);
    // (1 - e^(-kt)) / k, which is t when the wells do not level out at all.
    const double filled = k > 0.0 ? -std::expm1(-k * hours) / k : hours;
    return lag * std::exp(-k * hours) + amps / c * filled;
}

// The share of the way from a start to a settled value covered in 'seconds'
// with a time constant: 1 - e^(-t/τ), 1 without one.
double Settled(double seconds, double timeConstant)
{
    return timeConstant > 0.0 ? -std::expm1(-seconds / timeConstant) : 1.0;
}

} // namespace

CellState Advance(const CellModel& cell, CellState state, double amps, double hours, double surroundingsC)
{
    const double seconds = hours * 3600.0;
    const double settledVolts = amps * PolarisationOhmsAt(cell, state);
    const double heatW = CellLossWatts(cell, state, amps);
    state.DrawnAh += amps * hours;
    state.Lag = LagAfter(cell, state.Lag, amps, hours);
    if (cell.PolarisationOhms > 0.0)
        state.PolarisationVolts +=
            (settledVolts - state.PolarisationVolts) * Settled(seconds, cell.PolarisationSeconds);
    if (cell.HeatJoulesPerKelvin > 0.0 && cell.CoolingWattsPerKelvin > 0.0) {
        const double settledC = surroundingsC + heatW / cell.CoolingWattsPerKelvin;
        state.Celsius +=
            (settledC - state.Celsius) * Settled(seconds, cell.HeatJoulesPerKelvin / cell.CoolingWattsPerKelvin);
    } else {
        state.Celsius = surroundingsC;
    }
    return state;
}

} // namespace lumora
