// SPDX-License-Identifier: MIT
#include "tests/core/published_cell_tests.h"

#include "calc/reports/csv_text.h"
#include "calc/text/field_text.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string_view>
#include <utility>
#include <vector>

namespace lumora {

// The file's text, put in at build time (published_cell_tests_text.cpp.in).
extern const char* const PublishedCellTestsText;

namespace {

[[noreturn]] void Unreadable(const std::string& line, const char* why)
{
    std::fprintf(stderr, "data/published_cell_tests.csv: %s: %s\n", why, line.c_str());
    std::exit(2);
}

std::vector<std::string> Cells(const std::string& line)
{
    std::optional<std::vector<std::string>> cells = CsvCells(line);
    if (!cells)
        Unreadable(line, "a quote left open");
    return std::move(*cells);
}

double Number(const std::string& text, const std::string& line)
{
    if (text.empty())
        return 0.0;
    const std::optional<double> value = ReadNumber(text);
    if (!value)
        Unreadable(line, "not a number");
    return *value;
}

PublishedCellTest::Role RoleNamed(const std::string& text, const std::string& line)
{
    using Role = PublishedCellTest::Role;
    if (text == "fit")
        return Role::Fit;
    if (text == "held-out")
        return Role::HeldOut;
    if (text == "check")
        return Role::Check;
    Unreadable(line, "no role fit, held-out or check");
}

std::vector<PublishedCellTest> Read()
{
    std::vector<PublishedCellTest> tests;
    std::istringstream text(PublishedCellTestsText);
    bool header = true;
    for (std::string line; std::getline(text, line);) {
        if (line.empty() || line.front() == '#')
            continue;
        if (std::exchange(header, false))
            continue;
        const std::vector<std::string> c = Cells(line);
        if (c.size() != 12)
            Unreadable(line, "not twelve cells");
        PublishedCellTest test{c[0],
                               c[1],
                               c[2],
                               Number(c[3], line),
                               Number(c[4], line),
                               Number(c[5], line),
                               Number(c[6], line),
                               RoleNamed(c[7], line),
                               c[8],
                               c[9],
                               Number(c[10], line)};
        if (!c[11].empty())
            test.AmbientC = Number(c[11], line);
        if ((test.Amps > 0.0) == (test.Watts > 0.0))
            Unreadable(line, "neither a current nor a power, or both");
        tests.push_back(std::move(test));
    }
    return tests;
}

} // namespace

CellLoad LoadOf(const PublishedCellTest& test)
{
    return test.Watts > 0.0 ? CellLoad{LoadKind::Power, test.Watts} : CellLoad{LoadKind::Current, test.Amps};
}

CellTest RunPublishedTest(const CellModel& cell, const PublishedCellTest& test)
{
    return RunCellTest(cell, LoadOf(test), test.CutOffVolts, 0.005, test.AmbientC);
}

std::span<const PublishedCellTest> PublishedCellTests()
{
    static const std::vector<PublishedCellTest> tests = Read();
    return tests;
}

} // namespace lumora
