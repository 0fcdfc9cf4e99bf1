// SPDX-License-Identifier: MIT
#pragma once

#include "calc/light/cell_model.h"

#include <vector>

namespace lumora {

// The test every cell review shows: a cell from full, at a constant current
// or a constant power, until its terminal voltage falls to a cut-off; the
// charge and energy it gave, how long it took and its voltage at
// mid-discharge.

enum class LoadKind { Current, Power };

struct CellLoad {
    LoadKind Kind = LoadKind::Current;
    double Value = 0.0; // A, or W
};

struct CellTestPoint {
    double Hours = 0.0;
    double DeliveredAh = 0.0;
    double TerminalVolts = 0.0;
    double Amps = 0.0;
    double DeliveredWh = 0.0;
    double Celsius = CellReferenceC; // the cell's own temperature
};

enum class CellTestEnd {
    CutOff,       // the terminal voltage reached the cut-off
    Exhausted,    // the available charge ran out first (below the rest curve's end)
    NeverStarted, // the full cell is below the cut-off at this load, or cannot give this power
};

struct CellTest {
    CellTestEnd End = CellTestEnd::NeverStarted;
    double DeliveredAh = 0.0;
    double DeliveredWh = 0.0; // at the terminals
    double Hours = 0.0;
    double MidVolts = 0.0; // terminal voltage once half the delivered charge is out
    std::vector<CellTestPoint> Curve;
};

// Steps the charge drawn, at most 'stepFraction' of the capacity a step
// (less where the voltage falls fast), each step's time and the bound
// well's lag found together as in a light's run; the cut-off is found by
// bisection.
// The cell starts at rest at 'ambientC' and warms as its own losses heat it.
CellTest RunCellTest(const CellModel& cell, CellLoad load, double cutOffVolts, double stepFraction = 0.005,
                     double ambientC = CellReferenceC);

} // namespace lumora
