// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumora {

// A table as CSV: the header row, then one line per row, each ended by "\n";
// a cell holding a comma, quote or line break is quoted (RFC 4180).
std::string CsvText(const std::vector<std::string>& header, const std::vector<std::vector<std::string>>& rows);

// The cells of one CSV line: commas apart, quotes around a cell that holds
// one, a doubled quote for a quote (RFC 4180); nullopt for a quote left open.
std::optional<std::vector<std::string>> CsvCells(std::string_view line);

} // namespace lumora
