// SPDX-License-Identifier: MIT
#pragma once

#include "calc/light/log_fit.h"

#include <string>
#include <string_view>
#include <variant>

namespace lumora {

// A builder's own cell as a JSON file: what lumora-cli cells --fit writes
// and --cell-file reads back.
//
//   {"lumora_cell": 1, "name": "My 30Q", "capacity_mah": 2950.1,
//    "internal_mohm": 21.3, "cutoff_v": 2.8, "rest_v": [4.18, ..., 3.01],
//    "fitted_to": [{"log": "a.csv", "amps": 1.0, "rms_error_mv": 8.2,
//    "wh_error_pct": -0.4}, ...], "resistance_from_logs": true}
//
// Where the fit found them: "available_share" and "levelling_per_h" (two
// wells), "polarisation_mohm" and "polarisation_s", "activation_k" (Ea/R
// of both resistances, K) and "heat_j_per_k" with "cooling_w_per_k" (the
// cell's own heat).

struct CellFile {
    std::string Name;
    CellModel Model;
};

std::string CellFileText(const FittedCell& fitted, const std::string& name);

// The cell read back, or why the text is none: not JSON, a member missing
// or of the wrong kind, a rest curve of fewer than two points or rising, a
// capacity or resistance out of range.
std::variant<CellFile, std::string> ReadCellFile(std::string_view text);

} // namespace lumora
