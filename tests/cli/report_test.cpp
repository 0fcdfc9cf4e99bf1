// SPDX-License-Identifier: MIT
// The report writer's quoting, against RFC 4180 (CSV) and RFC 8259 (JSON). No
// report holds such a text yet; a user-named preset or a later field could.
#include "cli/report.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace lumora::cli {
namespace {

TEST(ReportWriter, QuotesAndEscapesWhatCsvAndJsonCannotTakeBare)
{
    const struct {
        const char* name;
        std::string cell, csv, json;
    } rows[] = {
        {"Quote", R"(AA "Eneloop")", R"("AA ""Eneloop""")", R"("AA \"Eneloop\"")"},
        {"Backslash", R"(C:\cells)", R"(C:\cells)", R"("C:\\cells")"},
    };
    for (const auto& row : rows) {
        Report report;
        report.Columns = {{"name", "Name"}};
        report.AddRow({{"name", row.cell}});
        std::ostringstream csv, json;
        Write(report, Format::Csv, csv);
        Write(report, Format::Json, json);
        EXPECT_EQ(csv.str(), "name\n" + row.csv + "\n") << row.name;
        EXPECT_EQ(json.str(), "[\n {\"name\": " + row.json + "}\n]\n") << row.name;
    }
}

} // namespace
} // namespace lumora::cli
