// SPDX-License-Identifier: MIT
#pragma once

#include "tests/published/arts_logs.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace lumora {

// Where the 30Q's figures come from, as data/cell-fits.csv names it.
inline const std::string S001Source = "ARTS-Lab 30Q dataset (CC BY-SA 4.0), cell S001's logs at 0.3 to 12 A";

// All five of S001's logs, or nullopt where one is absent.
std::optional<std::vector<DischargeLog>> S001Logs();

// The 30Q as the builder's own fit makes it of logs: lithium-ion's typical
// 30 mohm only stands in where the logs give no resistance.
std::variant<FittedCell, std::string> FitS001(const std::vector<DischargeLog>& logs);

// A cell's test at a log's mean current and air, to a cut-off.
ToCutOff PredictedTo(const CellModel& cell, const DischargeLog& log, double cutOffVolts);

// One log held out: the fit to the other four, and the charge and energy
// it predicts for the held-out log to 3.0 V and to 2.5 V against the log's.
inline constexpr double CutOffs[] = {3.0, 2.5};
struct HeldOut {
    std::string Rate;
    double Amps = 0.0;
    ToCutOff Measured[2], Predicted[2];
};
std::vector<HeldOut> LeaveOneOut(const std::vector<DischargeLog>& logs);

// The rows of data/cell-fits.csv for a fitted cell, each figure with its
// source.
std::string CellFitRows(const std::string& id, const FittedCell& fitted, const std::string& source);

// The leave-one-out table of docs/cell-fits.md.
std::string LeaveOneOutTable(const std::vector<HeldOut>& rows);

} // namespace lumora
