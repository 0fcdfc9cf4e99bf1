// SPDX-License-Identifier: MIT
#include "cli/report.h"

#include "calc/reports/csv_text.h"
#include "calc/text/field_text.h"
#include "calc/text/number_text.h"

#include <algorithm>
#include <cmath>
#include <ostream>

namespace lumora::cli {

namespace {

// Display width of a UTF-8 text: one column per code point.
std::size_t Width(std::string_view text)
{
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

void WriteSummary(const Report& report, std::ostream& out)
{
    std::size_t label = 0;
    for (const SummaryLine& line : report.Summary)
        label = std::max(label, Width(line.Label));
    for (const SummaryLine& line : report.Summary) {
        out << line.Label << std::string(label - Width(line.Label) + 2, ' ') << line.Value;
        if (!line.Unit.empty())
            out << ' ' << line.Unit;
        if (!line.Mark.empty())
            out << "  " << line.Mark;
        out << '\n';
    }
}

void WriteTable(const Report& report, std::ostream& out)
{
    std::vector<std::size_t> shown;
    for (std::size_t c = 0; c < report.Columns.size(); ++c) {
        const bool filled = std::any_of(report.Rows.begin(), report.Rows.end(),
                                        [c](const std::vector<std::string>& row) { return !row[c].empty(); });
        if (report.Columns[c].InText && filled)
            shown.push_back(c);
    }
    std::vector<std::size_t> widths;
    for (std::size_t c : shown) {
        std::size_t width = Width(report.Columns[c].Heading);
        for (const auto& row : report.Rows)
            width = std::max(width, Width(row[c]));
        widths.push_back(width);
    }
    const auto line = [&](const auto& textOf) {
        std::string text;
        for (std::size_t i = 0; i < shown.size(); ++i) {
            const std::string& cell = textOf(shown[i]);
            const std::size_t gap = widths[i] - Width(cell);
            if (i > 0)
                text += "  ";
            if (report.Columns[shown[i]].Numeric)
                text += std::string(gap, ' ') + cell;
            else
                text += cell + (i + 1 < shown.size() ? std::string(gap, ' ') : std::string());
        }
        text.erase(text.find_last_not_of(' ') + 1);
        out << text << '\n';
    };
    line([&](std::size_t c) -> const std::string& { return report.Columns[c].Heading; });
    for (const auto& row : report.Rows)
        line([&](std::size_t c) -> const std::string& { return row[c]; });
}

void WriteCsv(const Report& report, std::ostream& out)
{
    std::vector<std::string> keys;
    for (const Column& column : report.Columns)
        keys.push_back(column.Key);
    out << CsvText(keys, report.Rows);
}

void WriteJsonString(std::ostream& out, std::string_view text)
{
    out << '"';
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out << '\\' << c;
        } else if (byte < 0x20) {
            constexpr char Hex[] = "0123456789abcdef";
            out << "\\u00" << Hex[byte >> 4] << Hex[byte & 0xF];
        } else {
            out << c;
        }
    }
    out << '"';
}

// A number text as JSON wants it ("5." and ".5" are no JSON numbers, 007
// neither): the shortest form that reads back as the same double.
void WriteJsonNumber(std::ostream& out, const std::string& text)
{
    const std::optional<double> value = ReadNumber(text);
    if (!value || !std::isfinite(*value)) {
        WriteJsonString(out, text);
        return;
    }
    out << ShortestText(*value == 0.0 ? 0.0 : *value);
}

void WriteJsonValue(std::ostream& out, const std::string& text, bool numeric)
{
    if (text.empty())
        out << "null";
    else if (numeric && (text == "true" || text == "false"))
        out << text;
    else if (numeric)
        WriteJsonNumber(out, text);
    else
        WriteJsonString(out, text);
}

void WriteJsonRows(const Report& report, std::ostream& out, std::string_view indent)
{
    out << '[';
    for (std::size_t r = 0; r < report.Rows.size(); ++r) {
        out << (r ? ",\n" : "\n") << indent << ' ' << '{';
        for (std::size_t c = 0; c < report.Columns.size(); ++c) {
            out << (c ? ", " : "");
            WriteJsonString(out, report.Columns[c].Key);
            out << ": ";
            WriteJsonValue(out, report.Rows[r][c], report.Columns[c].Numeric);
        }
        out << '}';
    }
    out << (report.Rows.empty() ? "]" : "\n" + std::string(indent) + "]");
}

// The record's objects, each a line: "inputs": {...},
void WriteObjects(const Report& report, std::ostream& out, const std::string& indent)
{
    for (const auto& [name, fields] : report.Record) {
        out << indent << ' ';
        WriteJsonString(out, name);
        out << ": {";
        for (std::size_t f = 0; f < fields.size(); ++f) {
            out << (f ? ", " : "");
            WriteJsonString(out, fields[f].Key);
            out << ": ";
            WriteJsonValue(out, fields[f].Text, fields[f].Numeric);
        }
        out << "},\n";
    }
}

// A report with a record as one JSON object, its lines indented by 'indent'.
void WriteRecord(const Report& report, std::ostream& out, const std::string& indent)
{
    out << "{\n";
    if (!report.Name.empty()) {
        out << indent << " \"name\": ";
        WriteJsonString(out, report.Name);
        out << ",\n";
    }
    for (const auto& [name, texts] : report.Lists) {
        out << indent << ' ';
        WriteJsonString(out, name);
        out << ": [";
        for (std::size_t t = 0; t < texts.size(); ++t) {
            out << (t ? ", " : "");
            WriteJsonString(out, texts[t]);
        }
        out << "],\n";
    }
    WriteObjects(report, out, indent);
    out << indent << " \"warnings\": [";
    for (std::size_t w = 0; w < report.RecordWarnings.size(); ++w) {
        out << (w ? ", " : "");
        WriteJsonString(out, report.RecordWarnings[w]);
    }
    out << "],\n" << indent << " \"rows\": ";
    WriteJsonRows(report, out, indent + " ");
    out << "\n" << indent << "}";
}

void WriteJson(const Report& report, std::ostream& out)
{
    if (!report.PartsName.empty()) {
        out << "{\n";
        WriteObjects(report, out, "");
        for (const Field& field : report.Head) {
            out << ' ';
            WriteJsonString(out, field.Key);
            out << ": ";
            WriteJsonValue(out, field.Text, field.Numeric);
            out << ",\n";
        }
        out << ' ';
        WriteJsonString(out, report.PartsName);
        out << ": [";
        for (std::size_t p = 0; p < report.Parts.size(); ++p) {
            out << (p ? ", " : "");
            WriteRecord(report.Parts[p], out, " ");
        }
        out << "]\n}\n";
        return;
    }
    if (report.Record.empty()) {
        WriteJsonRows(report, out, "");
        out << '\n';
        return;
    }
    WriteRecord(report, out, "");
    out << '\n';
}

} // namespace

void Report::AddRow(const std::vector<std::pair<std::string_view, std::string>>& cells)
{
    std::vector<std::string> row(Columns.size());
    for (const auto& [key, text] : cells) {
        const auto column =
            std::find_if(Columns.begin(), Columns.end(), [&, k = key](const Column& c) { return c.Key == k; });
        if (column != Columns.end())
            row[static_cast<std::size_t>(column - Columns.begin())] = text;
    }
    Rows.push_back(std::move(row));
}

std::optional<Format> FormatNamed(std::string_view name)
{
    if (name == "text")
        return Format::Text;
    if (name == "csv")
        return Format::Csv;
    if (name == "json")
        return Format::Json;
    return std::nullopt;
}

void Write(const Report& report, Format format, std::ostream& out)
{
    switch (format) {
    case Format::Text:
        if (!report.Summary.empty())
            WriteSummary(report, out);
        if (report.Summary.empty() || report.TableInText) {
            if (!report.Summary.empty())
                out << '\n';
            WriteTable(report, out);
        }
        return;
    case Format::Csv: WriteCsv(report, out); return;
    case Format::Json: break;
    }
    WriteJson(report, out);
}

} // namespace lumora::cli
