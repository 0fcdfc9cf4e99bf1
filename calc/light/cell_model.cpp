// SPDX-License-Identifier: MIT
#include "calc/light/cell_model.h"

#include <algorithm>
#include <cmath>

namespace lumora {

CellModel FlatCell(double volts, double capacityAh) { return {{volts}, capacityAh, 0.0, 0.0}; }

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

} // namespace lumora
