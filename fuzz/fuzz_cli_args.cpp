// SPDX-License-Identifier: MIT
// lumora-cli's argument reader and everything behind it.
//
// Input: the command line, arguments separated by NUL bytes (at most 24).
// Whatever it holds, the program must end with a documented exit code, say
// why on standard error when it refuses, and print nothing on standard
// output but the ASCII of its results: a raw byte of the input never gets
// there, and neither does an infinity or a NaN. What it solves in a CSV
// table must be what the window's calculators make of the row's own texts.
// A --plot file is always standard output.

#include "calc/calculators/resistor_calculator.h"
#include "calc/calculators/runtime_calculator.h"
#include "calc/text/printable.h"
#include "cli/command_line.h"
#include "fuzz_support.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

// One CSV line's cells, quotes undone.
std::vector<std::string> CsvCells(std::string_view line)
{
    std::vector<std::string> cells(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (quoted && line[i] == '"' && i + 1 < line.size() && line[i + 1] == '"')
            cells.back() += line[++i];
        else if (line[i] == '"')
            quoted = !quoted;
        else if (line[i] == ',' && !quoted)
            cells.emplace_back();
        else
            cells.back() += line[i];
    }
    return cells;
}

// A column of a calculator's CSV table, the quantity it shows and the name
// the "solved" column gives it.
template <typename Quantity> struct Column {
    const char* key;
    Quantity quantity;
    const char* solvedName;
};

using CQ = lumora::RuntimeQuantity;
const Column<CQ> RuntimeColumns[] = {
    {"current_ma", CQ::LedCurrent, "current"},    {"vf_v", CQ::LedVf, "vf"},
    {"battery_v", CQ::BatteryVoltage, "battery"}, {"capacity_mah", CQ::Capacity, "capacity"},
    {"runtime_h", CQ::Runtime, "runtime"},        {"efficiency_pct", CQ::Efficiency, "efficiency"},
};

using RQ = lumora::ResistorQuantity;
const Column<RQ> ResistorColumns[] = {
    {"battery_v", RQ::BatteryVoltage, "battery"},
    {"vf_v", RQ::LedVf, "vf"},
    {"current_ma", RQ::LedCurrent, "current"},
    {"resistance_ohm", RQ::Resistance, "resistance"},
    {"wattage_w", RQ::Wattage, ""},
    {"leds", RQ::LedCount, ""},
};

// The row's texts with the solved one blank, through the calculator: it
// must solve that one and give every text of the row.
template <typename Fields, typename Quantity, std::size_t N, typename Calculate>
auto CheckSolvedRow(std::map<std::string, std::string>& row, Fields fields, const Column<Quantity> (&columns)[N],
                    const Calculate& calculate)
{
    const Column<Quantity>* solved = nullptr;
    for (const Column<Quantity>& column : columns) {
        if (row["solved"] == column.solvedName)
            solved = &column;
        else if (*column.solvedName)
            FieldText(fields, column.quantity) = row[column.key];
    }
    FUZZ_CHECK(solved != nullptr);
    const auto outcome = calculate(fields);
    FUZZ_CHECK(outcome.Windows.empty() && outcome.Failure == lumora::Failure::None);
    FUZZ_CHECK(outcome.Target == solved->quantity);
    for (const Column<Quantity>& column : columns)
        FUZZ_CHECK(FieldText(outcome.Fields, column.quantity) == row[column.key]);
    return outcome;
}

// Each solved row of a runtime or resistor CSV table. Of the resistor's rows,
// those of the resistor solved or given at the one or the full voltage: the
// others follow the battery down or try standard values.
void CheckCsv(const std::string& printed)
{
    std::istringstream lines(printed);
    std::string line;
    std::getline(lines, line);
    const std::vector<std::string> keys = CsvCells(line);
    const bool runtime = keys.front() == "current_ma", resistor = keys.front() == "resistor";
    while ((runtime || resistor) && std::getline(lines, line)) {
        const std::vector<std::string> cells = CsvCells(line);
        FUZZ_CHECK(cells.size() == keys.size());
        std::map<std::string, std::string> row;
        for (std::size_t i = 0; i < keys.size(); ++i)
            row[keys[i]] = cells[i];
        if (row["solved"].empty())
            continue;
        if (runtime) {
            lumora::ConverterFields fields;
            fields.Days = "0";
            fields.Clock = "00:00:00";
            const lumora::ConverterOutcome outcome =
                CheckSolvedRow(row, fields, RuntimeColumns, [](const auto& f) { return CalculateConverter(f); });
            FUZZ_CHECK(outcome.Fields.Days == row["days"] && outcome.Fields.Clock == row["clock"]);
        } else if ((row["resistor"] == "solved" || row["resistor"] == "given") &&
                   (row["battery"].empty() || row["battery"] == "full")) {
            lumora::ResistorFields fields;
            fields.Wattage = "0.00";
            fields.LedCount = row["leds"];
            const auto wiring = row["wiring"] == "parallel" ? lumora::Wiring::Parallel : lumora::Wiring::Series;
            CheckSolvedRow(row, fields, ResistorColumns, [&](const auto& f) { return CalculateResistor(f, wiring); });
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    constexpr std::size_t MostArguments = 24;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> args;
    for (std::size_t start = 0; start <= input.size() && args.size() < MostArguments;) {
        std::size_t end = input.find('\0', start);
        if (end == std::string_view::npos)
            end = input.size();
        args.emplace_back(input.substr(start, end - start));
        start = end + 1;
    }

    // The picture goes to standard output, never to a file the input names.
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i].rfind("--plot=", 0) == 0)
            args[i] = "--plot=-";
        else if (args[i] == "--plot" && i + 1 < args.size())
            args[i + 1] = "-";
    }

    // A search for a build runs a whole graph per candidate: held to one
    // LED and count, so that each input stays a few dozen graphs.
    if (!args.empty() && args.front() == "choose")
        args.insert(args.begin() + 1, {"--led", "lh351d", "--max-leds", "1"});

    std::ostringstream out, err;
    const int exit = lumora::cli::RunCommandLine(args, out, err);
    const std::string printed = out.str();
    const std::string told = err.str();

    FUZZ_CHECK(exit >= 0 && exit <= 4);
    FUZZ_CHECK(exit != 4 || args.front() == "choose");
    FUZZ_CHECK(exit == 0 || !told.empty());
    FUZZ_CHECK(exit != 2 || printed.empty());
    // Every printed line is whole UTF-8 without a control character (the
    // units' °C and cm², a difference's minus sign, but nothing a terminal
    // would act on).
    std::istringstream printedLines(printed);
    for (std::string line; std::getline(printedLines, line);)
        FUZZ_CHECK(lumora::Printable(line) == line);
    std::string word;
    for (char c : printed + '\n') {
        if (c == ' ' || c == ',' || c == '\n' || c == '"' || c == ':') {
            FUZZ_CHECK(word != "inf" && word != "-inf" && word != "nan" && word != "-nan");
            word.clear();
        } else {
            word += c;
        }
    }
    // Every message line is the program's own.
    std::istringstream lines(told);
    for (std::string line; std::getline(lines, line);)
        FUZZ_CHECK(line.rfind("lumora-cli: ", 0) == 0 || line.rfind("Try 'lumora-cli --help'", 0) == 0);
    CheckCsv(printed);
    return 0;
}
