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

} // namespace lumora
