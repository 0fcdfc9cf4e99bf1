// SPDX-License-Identifier: MIT
#pragma once

#include <vector>

namespace lumora {

// A battery as the discharge sees it: its open-circuit voltage against the
// charge drawn, its capacity, its internal resistance and the terminal
// voltage at which a driver stops.
struct CellModel {
    // Open-circuit volts at equal steps of charge drawn, from full (first)
    // to empty (last); a single value for a flat cell.
    std::vector<double> OpenCircuitVolts;
    double CapacityAh = 0.0;
    double InternalOhms = 0.0;
    double CutOffVolts = 0.0; // terminal voltage below which a converter stops; 0 for none
};

// A cell of constant voltage and no internal resistance, the runtime
// calculator's own assumption.
CellModel FlatCell(double volts, double capacityAh);

// The open-circuit voltage once 'drawnAh' has been taken from full (clamped
// to the capacity), interpolated linearly.
double OpenCircuitVoltage(const CellModel& cell, double drawnAh);

} // namespace lumora
