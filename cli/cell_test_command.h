// SPDX-License-Identifier: MIT
#pragma once

#include "calc/reports/cell_comparison.h"
#include "cli/report.h"

#include <optional>
#include <string>

namespace lumora::cli {

// "lumora-cli cells --test": cells side by side at constant currents or
// powers to a cut-off, as CompareCells makes the table, with their voltage
// curves as an SVG picture on request.
struct CellTestRequest {
    CellComparisonRequest Comparison;
    std::optional<std::string> Plot; // the SVG file to write
    bool Curve = false;              // the curves' rows in place of the summary
};

CommandOutput RunCellTestCommand(const CellTestRequest& request);

} // namespace lumora::cli
