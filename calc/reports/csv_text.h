// SPDX-License-Identifier: MIT
#pragma once

#include "calc/text/csv_cells.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumora {

// A table as CSV: the header row, then one line per row, each ended by "\n";
// a cell holding a comma, quote or line break is quoted (RFC 4180).
std::string CsvText(const std::vector<std::string>& header, const std::vector<std::vector<std::string>>& rows);

// A log's cell as a column's name or a number's text: the blanks around it
// dropped, its letters in lower case.
std::string CsvName(std::string_view cell);

// "line 5: ", the start of a refusal that names a log's line.
std::string LineMention(std::size_t line);

// Each line of a log that holds something, with its number from 1: LF or
// CRLF, blank lines and lines starting with '#' passed over. Stops at the
// first refusal 'each' gives and returns it; nullopt when none did.
std::optional<std::string>
ForEachLogLine(std::string_view text,
               const std::function<std::optional<std::string>(const std::string& line, std::size_t number)>& each);

} // namespace lumora
