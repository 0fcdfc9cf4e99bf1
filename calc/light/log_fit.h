// SPDX-License-Identifier: MIT
#pragma once

#include "calc/light/cell_model.h"

#include <cmath>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace lumora {

// A cell fitted to a builder's own discharge logs (a charger-analyzer's,
// from full at a constant current or power to its cut-off): the rest curve,
// the capacity and the DC resistance of a cell that gives those logs.
//
// At one charge drawn q every log's voltage is the rest curve less its
// current through the resistance, V_i(q) = E(q) - I_i·R (the model's own
// law with one well): with logs at two currents or more, R is the slope of
// V against I at each q (least squares), its median over q taken; E(q) is
// then V_i(q) + I_i·R, averaged over the logs that reach q. A single log
// takes R from the step at its switch-on, where it starts at rest, or else
// the typical resistance given.
//
// Where logs at two currents or more give the settled resistance and one of
// them starts at rest, the step at its switch-on gives the resistance
// before any polarisation has built (R0), and the rest is the polarisation
// R1 of the first-order equivalent circuit (CellModel). Its time constant
// is the one that gives the logs best, each log's branch voltage run from 0
// at its first reading under load. The switch-on reading is taken as the
// instant of switch-on: a log that reads seconds later counts some of R1 in
// R0.
//
// Where every log gives the cell's temperature, the DC resistance and the
// polarisation follow it by Arrhenius's law, one activation energy for
// both (the equivalent circuit's resistances of Hu, Li and Peng, with the
// temperature dependence of Plett, vol. 1, ch. 2), chosen of a grid as the
// one that gives the logs best; and the cell's heat capacity and its
// conductance to the air are fitted to how its temperature moved (the
// lumped energy balance of Bernardi, Pawlikowski and Newman, 1985).
//
// Logs at two currents also give the load's effect on the charge, the
// kinetic battery model's two wells (CellModel): each log's rest curve is
// read at the charge drawn plus what its load left in the bound well, the
// share and levelling rate those that give the logs best.

struct LogPoint {
    double Seconds = 0.0;
    double Volts = 0.0;
    double Amps = 0.0; // drawn, above 0
    // The cell's temperature and the air's around it, °C; NaN where the
    // log gives none.
    double Celsius = NAN;
    double AmbientC = NAN;
};

struct DischargeLog {
    std::string Name;
    std::optional<double> RestVolts;   // before the load, where the log has it
    std::optional<double> RestCelsius; // the cell's temperature then
    std::vector<LogPoint> Points;      // under load, in time's order
};

// A log's charge (Ah) and energy (Wh) by the trapezoid rule, and its mean
// current.
struct LogTotals {
    double Ah = 0.0, Wh = 0.0, MeanAmps = 0.0, EndVolts = 0.0;
};
LogTotals TotalsOf(const DischargeLog& log);

// How well the fitted cell gives a log: its voltage at each reading, at the
// log's own current and charge drawn, against the log's (RMS, V), and the
// energy those voltages give over the log's energy, less 1.
struct LogFitError {
    std::string Name;
    double Amps = 0.0; // the log's mean current
    double VoltsRms = 0.0, WhError = 0.0;
};

struct FittedCell {
    CellModel Model; // rest curve at RestPoints equal steps, capacity, resistances, cut-off
    bool ResistanceFromLogs = true;
    std::string PolarisationNote;    // why there is none, where there is none
    std::string RateNote;            // why there is one well, where there is one
    std::string HeatNote;            // why the cell has no heat of its own, where it has none
    std::vector<LogFitError> Errors; // a log each
};

inline constexpr int RestPoints = 41;
// The charges a fit takes (Ah): from a button cell's to far past any pack a
// light carries; outside them the log's time or current is not in seconds
// and amperes.
inline constexpr double FewestCapacityAh = 0.001, MostCapacityAh = 1000.0;
// The most heat capacity (J/K) and cooling (W/K) a cell file carries: far
// past any cell with its holder; a heat balance beyond them is not a cell's.
inline constexpr double MostHeatJoulesPerKelvin = 1e6, MostCoolingWattsPerKelvin = 1e3;

// The fit, or why the logs cannot give one (no log, a log whose voltage
// rises under load past its rest value, a resistance that comes out below
// 0, a charge outside FewestCapacityAh to MostCapacityAh).
std::variant<FittedCell, std::string> FitCellToLogs(const std::vector<DischargeLog>& logs, double typicalOhms);

} // namespace lumora
