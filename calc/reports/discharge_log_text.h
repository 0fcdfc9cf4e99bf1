// SPDX-License-Identifier: MIT
#pragma once

#include "calc/light/log_fit.h"

#include <string>
#include <string_view>
#include <variant>

namespace lumora {

// A charger-analyzer's discharge log as its export writes it: a header row
// and a row per reading, the cells apart by commas, tabs or semicolons.
// The columns are found by name: time_s, voltage_v and current_a, or an
// analyzer's own names for them (SecTimer, AvgCellVolts and AvgAmps of a
// PowerLab; "Time(s)", "Voltage(V)", "Current(A)"); other columns are
// passed over. The current may be logged negative for a discharge; rest
// readings (no current) before the load give the rest voltage. A column
// cell_c (the cell's temperature, °C) and ambient_c (the air's), where
// the log has them, are read with each reading.
//
// Refused, naming the line: a missing column, a cell that is no number, a
// voltage outside 0.5 to 5 V (no single cell gives one), a temperature
// outside -40 to 120 °C, time running
// backwards, the current changing sign, a rest amid the load, fewer than
// ten readings under load.
std::variant<DischargeLog, std::string> ReadDischargeLog(std::string_view text, const std::string& name);

} // namespace lumora
