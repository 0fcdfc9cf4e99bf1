// SPDX-License-Identifier: MIT
#include "tests/published/shared_data.h"

#include "calc/text/csv_cells.h"

#include <fstream>
#include <sstream>
#include <utility>

namespace lumora {

std::optional<std::string> SharedDataText(const std::string& name)
{
    std::ifstream file(std::string(LUMORA_SHARED_DATA) + "/" + name, std::ios::binary);
    if (!file)
        return std::nullopt;
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string AbsentText(const std::string& name, const std::string& purpose)
{
    return "../shared/data/" + name + " is absent: " + purpose;
}

std::vector<std::vector<std::string>> CsvRows(const std::string& text)
{
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(text);
    bool header = true;
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line.front() == '#')
            continue;
        std::optional<std::vector<std::string>> cells = CsvCells(line);
        if (cells && !std::exchange(header, false))
            rows.push_back(std::move(*cells));
    }
    return rows;
}

} // namespace lumora
