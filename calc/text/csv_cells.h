// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumora {

// The cells of one CSV line: commas apart, quotes around a cell that holds
// one, a doubled quote for a quote (RFC 4180); nullopt for a quote left open.
std::optional<std::vector<std::string>> CsvCells(std::string_view line);

} // namespace lumora
