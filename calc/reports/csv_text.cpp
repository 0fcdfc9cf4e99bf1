// SPDX-License-Identifier: MIT
#include "calc/reports/csv_text.h"

#include "calc/text/number_text.h"

#include <algorithm>
#include <cctype>

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

std::string CsvName(std::string_view cell)
{
    while (!cell.empty() && std::isspace(static_cast<unsigned char>(cell.front())))
        cell.remove_prefix(1);
    while (!cell.empty() && std::isspace(static_cast<unsigned char>(cell.back())))
        cell.remove_suffix(1);
    std::string name(cell);
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    return name;
}

std::string LineMention(std::size_t line) { return "line " + DoubleText(static_cast<double>(line)) + ": "; }

std::optional<std::string>
ForEachLogLine(std::string_view text,
               const std::function<std::optional<std::string>(const std::string& line, std::size_t number)>& each)
{
    std::size_t number = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string line(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::string held = CsvName(line);
        if (held.empty() || held.front() == '#')
            continue;
        if (std::optional<std::string> refusal = each(line, number))
            return refusal;
    }
    return std::nullopt;
}

} // namespace lumora
