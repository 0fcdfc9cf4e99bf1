// SPDX-License-Identifier: MIT
#pragma once

#include "calc/light/log_fit.h"

#include <optional>
#include <string>
#include <vector>

namespace lumora {

// Cell S001's constant-current logs in the ARTS-Lab Samsung 30Q dataset
// ("Electrothermal Deformation Characterization for Samsung 30Q Cell",
// github.com/ARTS-Laboratory, commit 4e9effd, CC BY-SA 4.0), as the shared
// data holds them: samsung-30q-arts/cc/Q30_S001_<rate>.csv, one row a
// second, no header; time s, current A (negative discharging), voltage V,
// power W, the cell's temperature °C, strain, the air's temperature °C.
// The dataset's other cells are kept for judging and never read here.
inline const std::vector<std::string> S001Rates = {"C10", "1C", "2C", "3C", "4C"};

// A rate's log as a charger's log reads: the rest before the load, then each
// reading under load to the first rest after it; nullopt where the file is
// absent.
std::optional<DischargeLog> S001Log(const std::string& rate);

// The log's charge (Ah) and energy (Wh) at the terminals to the first
// reading below a cut-off, the crossing interpolated.
struct ToCutOff {
    double Ah = 0.0, Wh = 0.0;
};
ToCutOff MeasuredTo(const DischargeLog& log, double cutOffVolts);

// The log's mean current under load and the air's mean temperature.
double MeanAmps(const DischargeLog& log);
double MeanAirC(const DischargeLog& log);

} // namespace lumora
