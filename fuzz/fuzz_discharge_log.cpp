// SPDX-License-Identifier: MIT
// A charger-analyzer's discharge log, as a builder brings it: read, and
// where it reads, fitted as a cell that is then written as a file and read
// back.
//
// Input: the bytes are the log's text.

#include "calc/reports/discharge_log_text.h"
#include "calc/request/cell_file.h"
#include "calc/text/printable.h"
#include "fuzz_support.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::variant<lumora::DischargeLog, std::string> read = lumora::ReadDischargeLog(text, "log.csv");
    if (const std::string* refusal = std::get_if<std::string>(&read)) {
        FUZZ_CHECK(!refusal->empty());
        FUZZ_CHECK(lumora::Printable(*refusal) == *refusal);
        return 0;
    }
    const lumora::DischargeLog& log = std::get<lumora::DischargeLog>(read);
    FUZZ_CHECK(log.Points.size() >= 10);
    const auto fitted = lumora::FitCellToLogs({log}, 0.05);
    if (const std::string* refusal = std::get_if<std::string>(&fitted)) {
        FUZZ_CHECK(!refusal->empty());
        return 0;
    }
    // What the fit writes, the cell file reads back.
    const std::string file = lumora::CellFileText(std::get<lumora::FittedCell>(fitted), "fuzzed");
    const auto again = lumora::ReadCellFile(file);
    FUZZ_CHECK(std::holds_alternative<lumora::CellFile>(again));
    return 0;
}
