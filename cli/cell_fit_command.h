// SPDX-License-Identifier: MIT
#pragma once

#include "cli/report.h"

#include <string>
#include <utility>
#include <vector>

namespace lumora::cli {

// "lumora-cli cells --fit": a cell fitted to a builder's discharge logs,
// its fit error per log, and the cell written as a file (cell_file.h) that
// --cell-file reads back; nothing is written when a log is refused.
struct CellFitRequest {
    std::vector<std::pair<std::string, std::string>> Logs; // each file's name and text
    std::string Name;
    std::string Out; // the cell file to write; '-' for standard output
};

CommandOutput RunCellFit(const CellFitRequest& request);

} // namespace lumora::cli
