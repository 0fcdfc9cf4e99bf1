// SPDX-License-Identifier: MIT
#include "calc/reports/csv_text.h"

namespace lumora {

namespace {

void AddLine(std::string& csv, const std::vector<std::string>& cells)
{
    for (std::size_t c = 0; c < cells.size(); ++c) {
        if (c)
            csv += ',';
        const std::string& text = cells[c];
        if (text.find_first_of(",\"\r\n") == std::string::npos) {
            csv += text;
            continue;
        }
        csv += '"';
        for (char ch : text)
            csv += ch == '"' ? std::string("\"\"") : std::string(1, ch);
        csv += '"';
    }
    csv += '\n';
}

} // namespace

std::string CsvText(const std::vector<std::string>& header, const std::vector<std::vector<std::string>>& rows)
{
    std::string csv;
    AddLine(csv, header);
    for (const auto& row : rows)
        AddLine(csv, row);
    return csv;
}

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
