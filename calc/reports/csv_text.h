// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

namespace lumora {

// A table as CSV: the header row, then one line per row, each ended by "\n";
// a cell holding a comma, quote or line break is quoted (RFC 4180).
std::string CsvText(const std::vector<std::string>& header, const std::vector<std::vector<std::string>>& rows);

} // namespace lumora
