// SPDX-License-Identifier: MIT
#include "calc/text/csv_cells.h"

namespace lumora {

std::optional<std::vector<std::string>> CsvCells(std::string_view line)
{
    std::vector<std::string> cells(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"')
            cells.back() += line[++i];
        else if (c == '"')
            quoted = !quoted;
        else if (c == ',' && !quoted)
            cells.emplace_back();
        else
            cells.back() += c;
    }
    if (quoted)
        return std::nullopt;
    return cells;
}

} // namespace lumora
