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

double OpenCircuitVoltage(const CellModel& cell, double drawnAh)
{
    const std::vector<double>& volts = cell.OpenCircuitVolts;
    if (volts.size() < 2 || !(cell.CapacityAh > 0.0))
        return volts.empty() ? 0.0 : volts.front();
    const double steps = static_cast<double>(volts.size() - 1);
    const double at = std::clamp(drawnAh / cell.CapacityAh, 0.0, 1.0) * steps;
    const auto below = static_cast<std::size_t>(std::min(std::floor(at), steps - 1.0));
    const double part = at - static_cast<double>(below);
    return volts[below] + (volts[below + 1] - volts[below]) * part;
}

double DrawnAtRestVoltage(const CellModel& cell, double volts)
{
    const std::vector<double>& curve = cell.OpenCircuitVolts;
    if (curve.size() < 2 || volts >= curve.front())
        return 0.0;
    const double steps = static_cast<double>(curve.size() - 1);
    for (std::size_t i = 1; i < curve.size(); ++i) {
        if (volts >= curve[i] && curve[i - 1] > curve[i]) {
            const double part = (curve[i - 1] - volts) / (curve[i - 1] - curve[i]);
            return (static_cast<double>(i - 1) + part) / steps * cell.CapacityAh;
        }
    }
    return cell.CapacityAh;
}

double BoundBehind(const CellModel& cell, const CellState& state) { return (1.0 - cell.AvailableShare) * state.Lag; }

double AvailableVoltage(const CellModel& cell, const CellState& state)
{
    return OpenCircuitVoltage(cell, state.DrawnAh + BoundBehind(cell, state));
}

double ResistanceAt(const CellModel& cell, const CellState& state)
{
    if (cell.ResistanceRise == 0.0 || !(cell.CapacityAh > 0.0))
        return cell.InternalOhms;
    const double x = std::clamp((state.DrawnAh + BoundBehind(cell, state)) / cell.CapacityAh, 0.0, 1.0);
    return cell.InternalOhms * (1.0 + cell.ResistanceRise * x * x);
}

bool AvailableEmpty(const CellModel& cell, const CellState& state)
{
    return state.DrawnAh + BoundBehind(cell, state) >= cell.CapacityAh;
}

CellState Advance(const CellModel& cell, CellState state, double amps, double hours)
{
    state.DrawnAh += amps * hours;
    const double c = cell.AvailableShare;
    if (!(c < 1.0))
        return state;
    const double k = std::max(cell.LevellingPerHour, 0.0);
    // (1 - e^(-kt)) / k, which is t when the wells do not level out at all.
    const double filled = k > 0.0 ? -std::expm1(-k * hours) / k : hours;
    state.Lag = state.Lag * std::exp(-k * hours) + amps / c * filled;
    return state;
}

} // namespace lumora
