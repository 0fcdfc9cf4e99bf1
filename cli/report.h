// SPDX-License-Identifier: MIT
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::cli {

// What a command prints: a table of field texts, and for one calculation
// also the window's view of it, read from top to bottom.
struct Column {
    std::string Key;     // the CSV heading and JSON name ("current_ma")
    std::string Heading; // the heading of an aligned text table ("LED mA")
    bool Numeric = false;
    bool InText = true; // shown in the aligned text table
};

struct SummaryLine {
    std::string Label, Value, Unit, Mark;
};

// One value of a record for a script: a number, or a text ("true" and
// "false" are JSON's own).
struct Field {
    std::string Key, Text;
    bool Numeric = true;
};

struct Report {
    std::vector<Column> Columns;
    std::vector<std::vector<std::string>> Rows; // one text per column; "" where there is none
    // The text form of a single calculation, label by label; when it is
    // there, the text form shows the table only if TableInText is set.
    std::vector<SummaryLine> Summary;
    bool TableInText = true;
    // When there is a record, JSON is one object: each part of the record
    // by its name, the warnings, then the rows ("rows"); otherwise an array
    // of the rows.
    std::vector<std::pair<std::string, std::vector<Field>>> Record;
    std::vector<std::string> RecordWarnings;
    // Reports of several things side by side (builds compared): JSON is then
    // one object holding them, each a record, as an array named PartsName;
    // a part's Name comes first in its object.
    std::string Name;
    std::string PartsName;
    std::vector<Report> Parts;
    // Lists of texts in a record, after its name ("args": ["graph", ...]),
    // and in the parts' form, figures of the whole before the record's
    // parts and the parts ("searched": 1092).
    std::vector<std::pair<std::string, std::vector<std::string>>> Lists;
    std::vector<Field> Head;

    // Appends a row, its texts given by column key; keys not given stay empty.
    void AddRow(const std::vector<std::pair<std::string_view, std::string>>& cells);
};

// How lumora-cli ends: the documented exit codes.
enum class ExitCode : int {
    Solved = 0,  // the calculation was done (or a list was printed)
    Refused = 1, // an input broke the window's rules or checks
    Usage = 2,   // the command line itself was wrong
    Failed = 3,  // the calculation could not finish (a zero divisor, an overflow)
    Unmet = 4,   // the question was asked, and nothing meets it (choose)
};

// A file a command writes beside its results (the runtime graph's picture).
struct OutputFile {
    std::string Path, Text;
};

// What a command leaves to print: results on stdout, messages on stderr.
struct CommandOutput {
    std::optional<Report> Results;
    std::optional<OutputFile> File;
    std::vector<std::string> Errors;   // printed as "lumora-cli: <text>"
    std::vector<std::string> Warnings; // printed as "lumora-cli: warning: <text>"
    ExitCode Exit = ExitCode::Solved;
};

enum class Format { Text, Csv, Json };
std::optional<Format> FormatNamed(std::string_view name);

// Aligned columns for a terminal; CSV with a header row (RFC 4180 quoting);
// JSON, an array with one object per row, numbers as numbers and empty
// texts as null, or, for a report with a record, an object holding the
// record and that array as "rows".
void Write(const Report& report, Format format, std::ostream& out);

} // namespace lumora::cli
