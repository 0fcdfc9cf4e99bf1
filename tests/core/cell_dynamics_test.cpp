// SPDX-License-Identifier: MIT
#include "calc/light/battery_presets.h"
#include "calc/light/cell_model.h"
#include "calc/light/cell_test.h"

#include <gtest/gtest.h>

#include <cmath>

namespace lumora {
namespace {

// A named cell with a polarisation and a temperature of its own.
CellModel Vtc6(Pack pack = {}) { return ModelOf(*BatteryNamed("sony-vtc6"), pack); }

// A polarisation whose time constant is short against the test is, at a
// constant current and temperature, a resistance in series: the test gives
// what the same cell gives with R0 + R1 and no polarisation.
TEST(CellDynamics, SettledPolarisationIsASeriesResistance)
{
    CellModel cell = Vtc6();
    cell.HeatJoulesPerKelvin = cell.CoolingWattsPerKelvin = 0.0; // at 25 degC throughout
    cell.ResistanceRise = 0.0;                                   // R0 alone rises with the charge drawn
    CellModel series = cell;
    series.InternalOhms += series.PolarisationOhms;
    series.PolarisationOhms = 0.0;
    for (double amps : {1.0, 5.0, 15.0}) {
        const CellTest a = RunCellTest(cell, {LoadKind::Current, amps}, 3.0);
        const CellTest b = RunCellTest(series, {LoadKind::Current, amps}, 3.0);
        EXPECT_NEAR(a.DeliveredWh, b.DeliveredWh, 0.01 * b.DeliveredWh) << amps << " A";
        EXPECT_GT(a.Curve.front().TerminalVolts, b.Curve.front().TerminalVolts + 0.9 * amps * cell.PolarisationOhms)
            << "the polarisation builds up from nothing at the switch-on: " << amps << " A";
    }
}

// The polarisation's voltage reaches 1 - 1/e of I·R1 in one time constant,
// and the cell's temperature 1 - 1/e of its rise Q/G in C/G.
TEST(CellDynamics, TimeConstants)
{
    CellModel cell = Vtc6();
    const double amps = 10.0;
    const CellState start = RestingCell(25.0);
    const double tau = cell.PolarisationSeconds;
    const CellState after = Advance(cell, start, amps, tau / 3600.0, 25.0);
    EXPECT_NEAR(after.PolarisationVolts, (1.0 - std::exp(-1.0)) * amps * cell.PolarisationOhms, 1e-9);
    cell.PolarisationOhms = 0.0; // a constant loss, I²·R0
    const double rise = amps * amps * cell.InternalOhms / cell.CoolingWattsPerKelvin;
    const double thermal = cell.HeatJoulesPerKelvin / cell.CoolingWattsPerKelvin;
    EXPECT_NEAR(Advance(cell, start, amps, thermal / 3600.0, 25.0).Celsius - 25.0, (1.0 - std::exp(-1.0)) * rise,
                1e-6 * rise);
    EXPECT_NEAR(Advance(cell, start, amps, 50.0 * thermal / 3600.0, 25.0).Celsius, 25.0 + rise, 1e-6 * rise);
    EXPECT_NEAR(Advance(cell, start, 0.0, 10.0, 40.0).Celsius, 40.0, 1e-6) << "at rest it takes the air's temperature";
}

// A cell warmed by its own losses gives more energy at a high power than the
// same cell held at the air's temperature, and a cell in colder air less.
TEST(CellDynamics, WarmthLowersThePolarisation)
{
    const CellModel cell = Vtc6();
    CellModel held = cell;
    held.CoolingWattsPerKelvin = 1e6; // at the air's temperature
    const CellLoad load{LoadKind::Power, 60.0};
    const double warmed = RunCellTest(cell, load, 3.0, 0.005, 14.0).DeliveredWh;
    EXPECT_GT(warmed, 1.1 * RunCellTest(held, load, 3.0, 0.005, 14.0).DeliveredWh);
    EXPECT_LT(RunCellTest(cell, load, 3.0, 0.005, 0.0).DeliveredWh, warmed);
    const CellTest test = RunCellTest(cell, load, 2.5, 0.005, 14.0);
    EXPECT_GT(test.Curve.back().Celsius, 60.0) << "60 W from an 18650 heats it hard";
}

// Cells of a pack share the load alike: a 2S2P pack at four times the power
// gives four times the energy of one cell, at the same temperature.
TEST(CellDynamics, PackOfCellsAlike)
{
    const CellLoad one{LoadKind::Power, 40.0}, four{LoadKind::Power, 160.0};
    const CellTest cell = RunCellTest(Vtc6(), one, 3.0, 0.005, 20.0);
    const CellTest pack = RunCellTest(Vtc6({2, 2}), four, 6.0, 0.005, 20.0);
    EXPECT_NEAR(pack.DeliveredWh, 4.0 * cell.DeliveredWh, 0.005 * pack.DeliveredWh);
    EXPECT_NEAR(pack.Curve.back().Celsius, cell.Curve.back().Celsius, 0.5);
}

} // namespace
} // namespace lumora
