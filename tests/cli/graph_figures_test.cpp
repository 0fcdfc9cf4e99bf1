// SPDX-License-Identifier: MIT
// The headline figures of lumora-cli graph, one summary line a row: the FL1
// runtime and its 30-second reference, the end of regulation, the energies,
// the pack and the driver's settings. Each row names the slip it catches.
#include "cli/command_line.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace lumora::cli {
namespace {

struct FigureRow {
    const char* name; // what a slip would break
    std::vector<std::string> args;
    const char* label;
    const char* shown; // value, unit and mark, single spaces
};

void PrintTo(const FigureRow& row, std::ostream* os) { *os << row.name; }

// The summary line of a label, its spaces run together: "1.58 h (01:34:41)".
std::string Shown(const std::string& text, const std::string& label)
{
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(label + "  ", 0) != 0)
            continue;
        std::string value = line.substr(label.size()), squeezed;
        for (char c : value) {
            if (c != ' ' || (!squeezed.empty() && squeezed.back() != ' '))
                squeezed += c;
        }
        return squeezed;
    }
    return "(no line " + label + ")";
}

class Figures : public testing::TestWithParam<FigureRow> {};

TEST_P(Figures, AreWhatTheRunGives)
{
    const FigureRow& row = GetParam();
    std::vector<std::string> args{"graph"};
    args.insert(args.end(), row.args.begin(), row.args.end());
    std::ostringstream out, err;
    ASSERT_EQ(RunCommandLine(args, out, err), 0) << err.str();
    EXPECT_EQ(Shown(out.str(), row.label), row.shown);
}

using Args = std::vector<std::string>;
const Args XmL2Direct = {"--led", "xm-l2", "--cell", "18650", "--resistance", "0.2"};
const Args XmL2Linear = {"--driver", "linear", "--led", "xm-l2", "--current", "1000", "--cell", "18650"};
const Args Week = {"--led", "5mm", "--battery", "2.7", "--capacity", "3000"};
const Args FlatConverter = {"--vf",       "3.1",  "--current", "350",       "--battery",    "4.2",
                            "--capacity", "2000", "--driver",  "converter", "--efficiency", "100"};
const Args LinearAt30Pct = {"--led",  "xp-g",      "--cell", "18650",    "--driver",
                            "linear", "--current", "1500",   "--charge", "30"};
const Args HeldAt45 = {"--led",           "xm-l2", "--cell",   "21700",     "--host",    "21700-tube",
                       "--thermal-limit", "45",    "--driver", "converter", "--current", "3000"};
const Args TurboThenSettled = {"--led",     "lh351d", "--cell", "panasonic-ncr18650b", "--driver",    "converter",
                               "--current", "3800",   "--host", "18650-tube",          "--step-down", "3:28"};
const Args TwoParallel = {"--driver", "linear",     "--led",  "xp-g",  "--current", "1000", "--leds",
                          "2",        "--parallel", "--cell", "18650", "--pack",    "1S2P"};

INSTANTIATE_TEST_SUITE_P(
    Rows, Figures,
    testing::Values(
        // The 30-s reference taken at 30 min, the 10 % from the switch-on
        // output, or the crossing interpolated from the wrong end of a step.
        FigureRow{"Fl1FromThe30sOutput", XmL2Direct, "FL1 runtime", "1.84 h (01:50:27)"},
        FigureRow{"OutputAt30s", XmL2Direct, "Output at 30 s", "1189 lm"},
        FigureRow{"HalfFromThe30sOutput", XmL2Direct, "Time to 50 %", "1.35 h (01:20:55)"},
        // Energies by the trapezoid, not the step's end power.
        FigureRow{"DrawnByTheTrapezoid", XmL2Direct, "Energy drawn", "11.66 Wh"},
        FigureRow{"DeliveredByTheTrapezoid", XmL2Direct, "Energy to the LEDs", "10.28 Wh"},
        // The end of regulation found by bisection, not at a step's end.
        FigureRow{"RegulationEndBisected", XmL2Linear, "Time in regulation", "2.93 h (02:55:58)"},
        FigureRow{"LinearRunsToEmpty", XmL2Linear, "End", "cell empty"},
        // "At least" on the FL1 runtime of a run stopped after a week, and
        // nowhere else; a whole week carries to 7 days.
        FigureRow{"AtLeastOnAStoppedFl1", Week, "FL1 runtime", "168 h (7 d 00:00:00) at least"},
        FigureRow{"NoAtLeastOnTheHalf", Week, "Time to 50 %", "168 h (7 d 00:00:00)"},
        FigureRow{"StoppedAfterAWeek", Week, "End", "stopped after 7 days"},
        FigureRow{"NoAtLeastWhenCrossedWithinTheWeek",
                  {"--led", "5mm", "--cell", "AAA", "--pack", "2S"},
                  "FL1 runtime",
                  "143.84 h (5 d 23:50:24)"},
        // A run that ends above 10 % (the cell empty) ends its FL1 runtime
        // there, with no "at least"; 100 % efficiency is a converter too.
        FigureRow{"NoAtLeastWhenTheCellEmpties", FlatConverter, "FL1 runtime", "7.74 h (07:44:31)"},
        FigureRow{"LosslessConverter", FlatConverter, "Average efficiency", "100 %"},
        // Cells in parallel add their capacity.
        FigureRow{"ParallelCellsDoubleTheCapacity",
                  {"--led", "xm-l2", "--cell", "18650", "--pack", "1S2P", "--driver", "converter", "--current", "1000"},
                  "FL1 runtime",
                  "6.17 h (06:10:11)"},
        // A linear regulator passes the whole current of parallel LEDs: its
        // pass resistance is the dropout over that current.
        FigureRow{"LinearPassResistanceForParallelLeds", TwoParallel, "Time in regulation", "2.78 h (02:47:05)"},
        // The dropout given is the dropout used.
        FigureRow{"DropoutIsRead",
                  {"--driver", "linear", "--led", "xm-l2", "--current", "1000", "--cell", "18650", "--dropout", "0.5"},
                  "Time in regulation",
                  "2.21 h (02:12:24)"},
        // A cut-off is per cell: two in series stop at twice it, and a
        // linear driver names it as the low-voltage cut-off it is.
        FigureRow{"CutOffTimesTheCellsInSeries",
                  {"--driver", "linear", "--led", "xm-l2", "--current", "1000", "--leds", "2", "--cell", "18650",
                   "--pack", "2S", "--cutoff", "3.3"},
                  "End",
                  "low-voltage cut-off at 6.6 V"},
        // Half the charge runs a flat cell's converter half as long.
        FigureRow{"HalfChargeHalfTheRun",
                  {"--vf", "3.1", "--current", "350", "--battery", "4.2", "--capacity", "2000", "--driver", "converter",
                   "--efficiency", "100", "--charge", "50"},
                  "FL1 runtime",
                  "3.87 h (03:52:15)"},
        // A start voltage is read on the rest curve: 3.7 V lies between its
        // 3.740 V at 50 % drawn and 3.693 V at 55 %.
        FigureRow{"StartReadOnTheRestCurve",
                  {"--led", "xm-l2", "--cell", "18650", "--resistance", "0.2", "--start", "3.7"},
                  "Charge at start",
                  "45.8 %"},
        // Below the first flux point the lumens fall with the current; 87 %
        // of them leave through the optics.
        FigureRow{"LumensBelowTheFirstFluxPoint",
                  {"--driver", "converter", "--led", "lh351d", "--current", "500", "--cell", "18650"},
                  "Start output",
                  "187 lm"},
        FigureRow{
            "BareEmitter",
            {"--driver", "converter", "--led", "lh351d", "--current", "500", "--cell", "18650", "--optics", "100"},
            "Start output",
            "215 lm"},
        FigureRow{"ConverterStopsAtItsCutOff",
                  {"--driver", "converter", "--led", "lh351d", "--current", "500", "--cell", "18650"},
                  "End",
                  "converter cut-off at 3 V"},
        // A cell of 1 mAh fades within seconds: its FL1 runtime is reached,
        // so it carries no "at least".
        FigureRow{"NoAtLeastWhenTheLightFades",
                  {"--led", "xm-l2", "--cell", "18650", "--capacity", "1", "--resistance", "0.2"},
                  "FL1 runtime",
                  "0 h (00:00:03)"},
        // A start voltage is per cell: 3.8 V on two in series is 7.6 V,
        // and a converter runs from there.
        FigureRow{"StartPerCellOfASeriesPack",
                  {"--led", "xp-g", "--cell", "18650", "--pack", "2S", "--driver", "converter", "--current", "1000",
                   "--start", "3.8"},
                  "Charge at start",
                  "56.3 %"},
        // A charge below full is taken, and runs a preset cell from its
        // rest voltage there.
        FigureRow{"ChargeOfAPresetCell", LinearAt30Pct, "Charge at start", "30 %"},
        FigureRow{"ChargeShortensTheRun", LinearAt30Pct, "FL1 runtime", "1 h (01:00:02)"},
        // A step-down to 100 % changes nothing and is taken.
        FigureRow{"StepDownToTheWholeOutput",
                  {"--led", "xm-l2", "--cell", "21700", "--host", "21700-tube", "--step-down", "3:100", "--driver",
                   "converter", "--current", "3000"},
                  "Peak host temperature",
                  "75.9 °C"},
        // A timed step-down needs no host: at 3 min the current falls to
        // 40 %, below half of the 30-s output at once.
        FigureRow{
            "StepDownWithoutAHost",
            {"--led", "xp-g", "--cell", "18650", "--driver", "linear", "--current", "1000", "--step-down", "3:40"},
            "Time to 50 %",
            "0.05 h (00:03:00)"},
        // After a timed step-down the light settles at its stepped level,
        // once the host has stopped moving; the turbo and its length apart.
        FigureRow{"SettledAfterAStepDown", TurboThenSettled, "Sustained output", "378 lm (settled)"},
        FigureRow{"TurboAndItsLength", TurboThenSettled, "Turbo", "1058 lm for 3 min"},
        // A named cell by the name it is sold by, not its preset's key.
        FigureRow{"CellByItsTradeName", TurboThenSettled, "Battery", "Panasonic NCR18650B, 1S1P"},
        // Direct drive dims with its cell: it never settles.
        FigureRow{"NeverSettlesOnAFadingCell",
                  {"--led", "lh351d", "--cell", "18650", "--host", "18650-tube"},
                  "Sustained output",
                  "not reached (the cell fades first)"},
        // The throttle that holds the limit is found from both sides: one
        // converging from above alone holds less and runs longer.
        FigureRow{"ThermalLimitThrottle", HeldAt45, "FL1 runtime", "2.71 h (02:42:38)"},
        FigureRow{"ThermalLimitCurrent", HeldAt45, "Sustained LED current", "1504.6 mA (at the limit)"}),
    [](const auto& info) { return std::string(info.param.name); });

// The warnings a run gives on standard error, beside its figures.
struct WarningRow {
    const char* name;
    std::vector<std::string> args;
    const char* warning; // "" for none at all
};

void PrintTo(const WarningRow& row, std::ostream* os) { *os << row.name; }

class Warnings : public testing::TestWithParam<WarningRow> {};

TEST_P(Warnings, AreGiven)
{
    const WarningRow& row = GetParam();
    std::vector<std::string> args{"graph"};
    args.insert(args.end(), row.args.begin(), row.args.end());
    std::ostringstream out, err;
    ASSERT_EQ(RunCommandLine(args, out, err), 0) << err.str();
    if (std::string(row.warning).empty())
        EXPECT_EQ(err.str(), "");
    else
        EXPECT_NE(err.str().find(row.warning), std::string::npos) << err.str();
}

const Args Xpg1500 = {"--led", "xp-g", "--cell", "18650", "--driver", "linear", "--current", "1500"};

INSTANTIATE_TEST_SUITE_P(
    Rows, Warnings,
    testing::Values(
        // A given rating below the current is the one warned of, in place of
        // the data sheet's (1500 mA, which this run does not pass).
        WarningRow{"GivenRatingBelowTheCurrent",
                   {"--led", "xp-g", "--cell", "18650", "--driver", "linear", "--current", "1500", "--led-max", "1000"},
                   "the LED carries up to 1500 mA, above its given maximum of 1000 mA"},
        WarningRow{"WithinTheDataSheetsRating", Xpg1500, ""},
        WarningRow{"GivenRatingAboveTheCurrent",
                   {"--led", "xp-g", "--cell", "18650", "--driver", "linear", "--current", "1500", "--led-max", "1600"},
                   ""},
        // A named cell past its maker's maximum continuous discharge, per
        // cell of the pack: direct drive takes 11.8 A from a 35E rated 8 A;
        // two in parallel share it, 5.9 A each, within the rating.
        WarningRow{"CellPastItsRating",
                   {"--led", "sft-40", "--cell", "samsung-35e", "--driver", "direct"},
                   "each cell gives up to 11.8 A, above the Samsung INR18650-35E's maximum continuous 8 A"},
        WarningRow{
            "CellsInParallelShareTheDraw",
            {"--led", "sft-40", "--cell", "samsung-35e", "--pack", "1S2P", "--driver", "direct", "--led-max", "20000"},
            ""},
        // Twice the rating and more will not last.
        WarningRow{"TwiceTheRating",
                   {"--led", "xp-g", "--cell", "18650", "--driver", "linear", "--current", "1500", "--led-max", "700"},
                   "above its given maximum of 700 mA: it will not last"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace lumora::cli
