// SPDX-License-Identifier: MIT
#pragma once

#include <vector>

namespace lumora {

// A battery as a discharge sees it: its open-circuit voltage against the
// charge drawn, its capacity, its internal resistance, the terminal voltage
// at which the driver stops, and how its usable charge and voltage follow
// the load.
//
// The load dependence is the kinetic battery model of Manwell and McGowan
// ("Lead acid battery storage model for hybrid energy systems", Solar
// Energy 50(5), 1993), as Jongerden and Haverkort review it for portable
// cells ("Which battery model to use?", IET Software 3(6), 2009): the
// charge sits in two wells, a share c the load draws from directly and the
// rest bound, flowing over at a rate proportional to the difference of the
// wells' heights. A heavy load empties the available well faster than the
// bound charge can follow, so the cell reaches its end early, and rest lets
// it recover. Here the rest curve is read at the available well's level:
// drawn charge plus the charge the load has left behind in the bound well,
// u = (1 - c)·δ, with δ the heights' difference. So a heavy load depresses
// the voltage as published discharge curves show, and reaches a cut-off
// sooner. With c = 1 there is one well, u is 0, and the rest curve is read
// at the charge drawn: the model without load dependence.
struct CellModel {
    // Open-circuit volts at equal steps of charge drawn, from full (first)
    // to empty (last); a single value for a flat cell.
    std::vector<double> OpenCircuitVolts;
    double CapacityAh = 0.0;
    double InternalOhms = 0.0; // DC resistance of the full cell, at 25 °C
    // How the DC resistance falls as the cell warms, Ea / R in kelvin, as
    // the polarisation's does (ArrheniusFactor); 0 for a resistance that
    // does not follow the temperature.
    double ResistanceActivationKelvin = 0.0;
    double CutOffVolts = 0.0; // terminal voltage below which the driver stops; 0 for none
    // The kinetic battery model's share of the charge the load draws from
    // directly (c, above 0 and at most 1) and the rate at which the wells
    // level out (k' = k / (c (1 - c)), per hour).
    double AvailableShare = 1.0;
    double LevellingPerHour = 0.0;
    // How much the resistance rises by the end of the charge, as a share of
    // the full cell's: R = R0 (1 + rise · x²) with x the share drawn.
    double ResistanceRise = 0.0;
    // Polarisation: a resistance with a capacitance across it, in series
    // with InternalOhms, the first-order equivalent circuit (Hu, Li and Peng,
    // "A comparative study of equivalent circuit models for Li-ion
    // batteries", J. Power Sources 198, 2012; Plett, "Battery Management
    // Systems", vol. 1, 2015, ch. 2). Its voltage settles at I·R1 with the
    // time constant R1·C1. R1 is at 25 °C and falls as the cell warms by
    // Arrhenius's law with an activation energy Ea (PolarisationOhmsAt);
    // 0 for none.
    double PolarisationOhms = 0.0;
    double PolarisationSeconds = 0.0;
    double PolarisationActivationKelvin = 0.0; // Ea / R
    // The cell's own temperature, one lumped node (Bernardi, Pawlikowski and
    // Newman, "A general energy balance for battery systems", J. Electrochem.
    // Soc. 132(1), 1985, without the entropic term): its heat capacity, J/K,
    // warmed by I·(E - V), and its conductance to its surroundings, W/K.
    // 0 for a cell always at its surroundings' temperature.
    double HeatJoulesPerKelvin = 0.0;
    double CoolingWattsPerKelvin = 0.0;
};

// The temperature at which a cell's resistances are given, °C.
inline constexpr double CellReferenceC = 25.0;

// The gas constant, J/(mol K): an activation energy Ea is GasConstant times
// its Ea/R in kelvin.
inline constexpr double GasConstant = 8.314462618;

// A cell of constant voltage and no internal resistance, the runtime
// calculator's own assumption.
CellModel FlatCell(double volts, double capacityAh);

// The open-circuit voltage once 'drawnAh' has been taken from full (clamped
// to the capacity), interpolated linearly.
double OpenCircuitVoltage(const CellModel& cell, double drawnAh);

// The charge drawn at which a rest voltage is reached, the inverse of
// OpenCircuitVoltage on the falling rest curve (0 above its first point,
// the capacity below its last).
double DrawnAtRestVoltage(const CellModel& cell, double volts);

// Where a cell stands: the charge drawn from full, and the difference of the
// wells' heights (δ, in Ah of the whole capacity) that a load builds and
// rest levels out.
struct CellState {
    double DrawnAh = 0.0;
    double Lag = 0.0;
    double PolarisationVolts = 0.0; // across the RC branch
    double Celsius = CellReferenceC;
};

// A full cell at rest at a temperature.
CellState RestingCell(double celsius, double drawnAh = 0.0);

// The charge the load has left behind in the bound well: (1 - c)·δ.
double BoundBehind(const CellModel& cell, const CellState& state);

// The rest curve at the available well's level: the voltage the cell gives
// at no current just now, before it recovers.
double AvailableVoltage(const CellModel& cell, const CellState& state);

// Arrhenius's law for a resistance given at 25 °C:
// exp(Ea/R · (1/T - 1/298.15 K)), 1 for no activation.
double ArrheniusFactor(double activationKelvin, double celsius);

// The internal resistance at this state: its rise with the charge drawn,
// and its fall with the cell's temperature.
double ResistanceAt(const CellModel& cell, const CellState& state);

// The polarisation resistance at the cell's temperature:
// R1(T) = R1(25 °C) · exp(Ea/R · (1/T - 1/298.15 K)).
double PolarisationOhmsAt(const CellModel& cell, const CellState& state);

// What the load sees behind the internal resistance: the rest curve at the
// available well's level less the polarisation's voltage.
double SourceVoltage(const CellModel& cell, const CellState& state);

// The power lost inside the cell at a current: I²·R0 and I·V across the
// polarisation; all of it warms the cell.
double CellLossWatts(const CellModel& cell, const CellState& state, double amps);

// Whether the cell's state moves with time as well as with charge: a
// bound well, a polarisation or a temperature of its own.
bool HasDynamics(const CellModel& cell);

// The available well is empty: the cell gives nothing more until it rests.
// With two wells, empty to within this share of the capacity, since the
// bound well's lag refills what a step draws ever more slightly as the well
// nears empty: no step then draws a meaningful charge, and a run would add
// rows of the same moment, as many as rounding allows.
inline constexpr double EmptyShare = 1e-6;
bool AvailableEmpty(const CellModel& cell, const CellState& state);

// The state after 'hours' at a constant current of 'amps' (0 at rest), the
// cell among surroundings at 'surroundingsC': each part by its closed form
// for a constant current,
//   the wells' lag     δ(t) = δ0 e^(-k't) + I/(c k') (1 - e^(-k't)),
//   the polarisation   v(t) = v0 e^(-t/τ) + I R1 (1 - e^(-t/τ)),
//   the temperature    T(t) = Ts + Q/G + (T0 - Ts - Q/G) e^(-G t / C),
// R1 and the heat Q taken at the step's start.
CellState Advance(const CellModel& cell, CellState state, double amps, double hours,
                  double surroundingsC = CellReferenceC);

} // namespace lumora
