// SPDX-License-Identifier: MIT
// lumora-cli and the window's calculators on the same texts: every quantity
// left out in turn, in either wiring, must give the window's very texts.
#include "calc/calculators/resistor_calculator.h"
#include "calc/calculators/runtime_calculator.h"
#include "cli/command_line.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace lumora::cli {
namespace {

struct CliRun {
    int exit = 0;
    std::map<std::string, std::string> first; // the first CSV row by column
};

CliRun RunCsv(std::vector<std::string> args)
{
    args.insert(args.end(), {"--format", "csv"});
    std::ostringstream out, err;
    CliRun run;
    run.exit = RunCommandLine(args, out, err);
    std::istringstream lines(out.str());
    std::string header, row;
    std::getline(lines, header);
    std::getline(lines, row);
    std::istringstream keys(header), cells(row);
    for (std::string key, cell; std::getline(keys, key, ',');) {
        std::getline(cells, cell, ',');
        run.first[key] = cell;
    }
    return run;
}

int ExpectedExit(const std::vector<ErrorWindow>& windows, Failure failure)
{
    return !windows.empty() ? 1 : failure != Failure::None ? 3 : 0;
}

// Inputs in record order; the sets the window's examples start from, a zero
// that fails some solves, and texts written as a user may type them.
const std::array<std::array<const char*, 6>, 5> ConverterSets = {{
    {"750", "3.5", "4.2", "2000", "2.66", "83"},
    {"100", "3.4", "3.6", "9000", "85.76", "90"},
    {"20", "3", "3", "1000", "40", "100"},
    {"0", "3.5", "4.2", "2000", "1", "83"},
    {"007", ".5", "5.", "12345678", "0.01", "0"},
}};

TEST(CliDifferential, RuntimeGivesTheWindowsTexts)
{
    const char* const options[] = {"--current", "--vf", "--battery", "--capacity", "--runtime", "--efficiency"};
    const char* const keys[] = {"current_ma", "vf_v", "battery_v", "capacity_mah", "runtime_h", "efficiency_pct"};
    for (const auto& set : ConverterSets) {
        for (std::size_t blank = 0; blank < set.size(); ++blank) {
            SCOPED_TRACE(::testing::Message() << set[0] << " " << set[1] << ", " << options[blank] << " left out");
            ConverterFields fields{"", "", "", "", "", "", "0", "00:00:00"};
            std::vector<std::string> args{"runtime"};
            for (std::size_t i = 0; i < set.size(); ++i) {
                const std::string text = i == blank ? "" : set[i];
                FieldText(fields, static_cast<RuntimeQuantity>(i)) = text;
                if (!text.empty() || i == 5)
                    args.insert(args.end(), {options[i], text});
            }
            const ConverterOutcome window = CalculateConverter(fields);
            const CliRun cli = RunCsv(args);
            ASSERT_EQ(cli.exit, ExpectedExit(window.Windows, window.Failure));
            if (cli.exit != 0)
                continue;
            for (std::size_t i = 0; i < set.size(); ++i)
                EXPECT_EQ(cli.first.at(keys[i]), FieldText(window.Fields, static_cast<RuntimeQuantity>(i)));
            EXPECT_EQ(cli.first.at("days"), window.Fields.Days);
            EXPECT_EQ(cli.first.at("clock"), window.Fields.Clock);
        }
    }
}

// V, F, I, R, n.
const std::array<std::array<const char*, 5>, 6> ResistorSets = {{
    {"9", "3.5", "20", "100", "2"},
    {"5", "3.2", "20", "30", "3"},
    {"4.2", "3.6", "75", "2", "4"},
    {"5", "3.3", "300", "5.67", "1"},
    {"3", "3.5", "20", "25", "1"},
    {"3.7", "3.3", "0", "0", "1"},
}};

TEST(CliDifferential, ResistorGivesTheWindowsTexts)
{
    const char* const options[] = {"--battery", "--vf", "--current", "--resistance", "--leds"};
    const std::pair<ResistorQuantity, const char*> keys[] = {
        {ResistorQuantity::BatteryVoltage, "battery_v"}, {ResistorQuantity::LedVf, "vf_v"},
        {ResistorQuantity::LedCurrent, "current_ma"},    {ResistorQuantity::Resistance, "resistance_ohm"},
        {ResistorQuantity::Wattage, "wattage_w"},        {ResistorQuantity::LedCount, "leds"}};
    for (const Wiring wiring : {Wiring::Series, Wiring::Parallel}) {
        for (const auto& set : ResistorSets) {
            for (std::size_t blank = 0; blank < 4; ++blank) {
                SCOPED_TRACE(::testing::Message() << set[0] << " " << set[1] << " " << set[2] << " " << set[3] << ", "
                                                  << options[blank] << " left out");
                ResistorFields fields{set[0], set[1], set[2], set[3], "0.00", set[4]};
                FieldText(fields, static_cast<ResistorQuantity>(blank)).clear();
                std::vector<std::string> args{"resistor", wiring == Wiring::Series ? "--series" : "--parallel"};
                for (std::size_t i = 0; i < 5; ++i) {
                    if (i != blank)
                        args.insert(args.end(), {options[i], set[i]});
                }
                const ResistorOutcome window = CalculateResistor(fields, wiring);
                const CliRun cli = RunCsv(args);
                ASSERT_EQ(cli.exit, ExpectedExit(window.Windows, window.Failure));
                if (cli.exit != 0)
                    continue;
                for (const auto& [quantity, key] : keys)
                    EXPECT_EQ(cli.first.at(key), FieldText(window.Fields, quantity)) << key;
            }
        }
    }
}

} // namespace
} // namespace lumora::cli
