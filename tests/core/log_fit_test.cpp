// SPDX-License-Identifier: MIT
// A cell fitted to discharge logs: logs the model itself made fit back, a
// fit from two currents predicts a third, a charger's export is read as it
// comes, and a log no cell can give is refused by its line.
#include "calc/light/battery_presets.h"
#include "calc/light/cell_test.h"
#include "calc/reports/discharge_log_text.h"
#include "calc/request/cell_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace lumora {
namespace {

// The log a tester would write of this cell at a constant current.
// With 'warm', its temperature logged too, in air at 22 °C.
DischargeLog LogOf(const CellModel& cell, double amps, double cutOff, bool rest = false, bool warm = false)
{
    constexpr double Air = 22.0;
    const CellTest test = RunCellTest(cell, {LoadKind::Current, amps}, cutOff, 0.005, warm ? Air : CellReferenceC);
    DischargeLog log;
    log.Name = std::to_string(amps) + " A";
    if (rest)
        log.RestVolts = OpenCircuitVoltage(cell, 0.0);
    for (const CellTestPoint& point : test.Curve)
        log.Points.push_back(
            {point.Hours * 3600.0, point.TerminalVolts, point.Amps, warm ? point.Celsius : NAN, warm ? Air : NAN});
    return log;
}

// One well, a resistance that does not rise: the family the fit draws from.
CellModel Simple()
{
    CellModel cell = ModelOf(*BatteryNamed("18650"), Pack{});
    cell.AvailableShare = 1.0;
    cell.ResistanceRise = 0.0;
    cell.InternalOhms = 0.035;
    return cell;
}

double Predicted(const CellModel& cell, double amps, double cutOff, bool energy)
{
    const CellTest test = RunCellTest(cell, {LoadKind::Current, amps}, cutOff);
    return energy ? test.DeliveredWh : test.DeliveredAh;
}

// Logs made by the model from known parameters fit back within 1 %: the
// resistance, and the charge and energy at a current between theirs.
TEST(LogFit, LogsOfTheModelFitBack)
{
    const CellModel cell = Simple();
    for (const bool two : {true, false}) {
        std::vector<DischargeLog> logs = {LogOf(cell, 1.0, 2.8, !two)};
        if (two)
            logs.push_back(LogOf(cell, 4.0, 2.8));
        const auto fit = FitCellToLogs(logs, 0.028);
        ASSERT_TRUE(std::holds_alternative<FittedCell>(fit)) << std::get<std::string>(fit);
        const FittedCell& fitted = std::get<FittedCell>(fit);
        EXPECT_TRUE(fitted.ResistanceFromLogs);
        EXPECT_NEAR(fitted.Model.InternalOhms, cell.InternalOhms, 0.01 * cell.InternalOhms) << two;
        for (const bool energy : {false, true})
            EXPECT_NEAR(Predicted(fitted.Model, 2.0, 2.8, energy), Predicted(cell, 2.0, 2.8, energy),
                        0.01 * Predicted(cell, 2.0, 2.8, energy))
                << two << energy;
        for (const LogFitError& error : fitted.Errors) {
            EXPECT_LT(error.VoltsRms, 0.005) << error.Name;
            EXPECT_LT(std::abs(error.WhError), 0.005) << error.Name;
        }
    }
}

// A named cell with two wells and a rising resistance, logged at 1 and 5 A:
// the cell fitted to those logs predicts 3 A within 3 %.
TEST(LogFit, TwoCurrentsPredictAThird)
{
    const CellModel cell = ModelOf(*BatteryNamed("samsung-30q"), Pack{});
    const auto fit = FitCellToLogs({LogOf(cell, 1.0, 2.5), LogOf(cell, 5.0, 2.5)}, 0.028);
    ASSERT_TRUE(std::holds_alternative<FittedCell>(fit));
    const CellModel& fitted = std::get<FittedCell>(fit).Model;
    for (const bool energy : {false, true})
        EXPECT_NEAR(Predicted(fitted, 3.0, 2.5, energy), Predicted(cell, 3.0, 2.5, energy),
                    0.03 * Predicted(cell, 3.0, 2.5, energy))
            << energy;
}

// A cell with a polarisation (R0 20 mohm, R1 15 mohm, τ 30 s), logged at 1 A
// and 5 A: the fit splits the settled resistance back into R0 and R1 and
// finds τ, and the fitted cell gives the 5 A log's first minutes; a cell
// without one is fitted without one.
TEST(LogFit, APolarisationFitsBack)
{
    CellModel cell = Simple();
    cell.InternalOhms = 0.020;
    cell.PolarisationOhms = 0.015;
    cell.PolarisationSeconds = 30.0;
    const auto fit = FitCellToLogs({LogOf(cell, 1.0, 2.8), LogOf(cell, 5.0, 2.8, true)}, 0.028);
    ASSERT_TRUE(std::holds_alternative<FittedCell>(fit));
    const FittedCell& fitted = std::get<FittedCell>(fit);
    EXPECT_EQ(fitted.PolarisationNote, "");
    EXPECT_NEAR(fitted.Model.InternalOhms, 0.020, 0.002);
    EXPECT_NEAR(fitted.Model.PolarisationOhms, 0.015, 0.002);
    EXPECT_NEAR(fitted.Model.PolarisationSeconds, 30.0, 6.0);
    for (const LogFitError& error : fitted.Errors)
        EXPECT_LT(error.VoltsRms, 0.003) << error.Name;

    const auto plain = FitCellToLogs({LogOf(Simple(), 1.0, 2.8), LogOf(Simple(), 5.0, 2.8, true)}, 0.028);
    ASSERT_TRUE(std::holds_alternative<FittedCell>(plain));
    EXPECT_EQ(std::get<FittedCell>(plain).Model.PolarisationOhms, 0.0);
    EXPECT_NE(std::get<FittedCell>(plain).PolarisationNote, "");
}

// A cell that warms by its losses, its resistance falling as it does
// (Ea/R 700 K, 60 J/K, 30 mW/K to the air), logged with its temperature at
// 1 A and 8 A: the fit finds the activation and the heat back, and the
// cell it makes gives a 12 A run's energy within 2 %; fitted without the
// temperature, the same logs miss it by more. Logs without a temperature
// say why the fit has no heat.
TEST(LogFit, AWarmingCellFitsBackItsActivationAndHeat)
{
    CellModel cell = Simple();
    cell.InternalOhms = 0.040;
    cell.ResistanceActivationKelvin = 700.0;
    cell.HeatJoulesPerKelvin = 60.0;
    cell.CoolingWattsPerKelvin = 0.030;
    const auto fit = FitCellToLogs({LogOf(cell, 1.0, 2.8, true, true), LogOf(cell, 8.0, 2.8, true, true)}, 0.028);
    ASSERT_TRUE(std::holds_alternative<FittedCell>(fit));
    const CellModel& fitted = std::get<FittedCell>(fit).Model;
    EXPECT_NEAR(fitted.ResistanceActivationKelvin, 700.0, 100.0);
    EXPECT_NEAR(fitted.HeatJoulesPerKelvin, 60.0, 9.0);
    EXPECT_NEAR(fitted.CoolingWattsPerKelvin, 0.030, 0.006);
    const double air = 22.0;
    const double truth = RunCellTest(cell, {LoadKind::Current, 12.0}, 3.0, 0.005, air).DeliveredWh;
    EXPECT_NEAR(RunCellTest(fitted, {LoadKind::Current, 12.0}, 3.0, 0.005, air).DeliveredWh / truth, 1.0, 0.02);

    const auto cold = FitCellToLogs({LogOf(cell, 1.0, 2.8, true), LogOf(cell, 8.0, 2.8, true)}, 0.028);
    ASSERT_TRUE(std::holds_alternative<FittedCell>(cold));
    EXPECT_NE(std::get<FittedCell>(cold).HeatNote.find("cell_c"), std::string::npos);
    const double coldWh =
        RunCellTest(std::get<FittedCell>(cold).Model, {LoadKind::Current, 12.0}, 3.0, 0.005, air).DeliveredWh;
    EXPECT_GT(std::fabs(coldWh / truth - 1.0), 0.02);
}

// Logs whose cell barely warms under its losses (the rise a ten-millionth of
// a real cell's) would give a heat capacity no cell has: the fit leaves the
// heat out, says why, and the cell file it writes reads back.
TEST(LogFit, AHeatBalancePastAnyCellIsLeftOut)
{
    CellModel cell = Simple();
    cell.HeatJoulesPerKelvin = 60.0;
    cell.CoolingWattsPerKelvin = 0.030;
    std::vector<DischargeLog> logs = {LogOf(cell, 1.0, 2.8, true, true), LogOf(cell, 8.0, 2.8, true, true)};
    for (DischargeLog& log : logs)
        for (LogPoint& point : log.Points)
            point.Celsius = point.AmbientC + (point.Celsius - point.AmbientC) * 1e-7;
    const auto fit = FitCellToLogs(logs, 0.028);
    ASSERT_TRUE(std::holds_alternative<FittedCell>(fit));
    const FittedCell& fitted = std::get<FittedCell>(fit);
    EXPECT_EQ(fitted.Model.HeatJoulesPerKelvin, 0.0);
    EXPECT_NE(fitted.HeatNote, "");
    EXPECT_TRUE(std::holds_alternative<CellFile>(ReadCellFile(CellFileText(fitted, "still"))));
}

// A cell whose load leaves charge behind (two wells, c 0.7, k' 2 per hour),
// logged at 1 A and 5 A: the fit finds the wells back near their figures,
// and the fitted cell gives a 10 A run's charge within 3 %, where one well
// and a resistance alone miss it by more. One well fitted to one well's
// logs stays one well.
TEST(LogFit, TwoWellsFitBackAndPredictAHeavierLoad)
{
    CellModel cell = Simple();
    cell.AvailableShare = 0.7;
    cell.LevellingPerHour = 2.0;
    const std::vector<DischargeLog> logs = {LogOf(cell, 1.0, 2.8), LogOf(cell, 5.0, 2.8)};
    const auto fit = FitCellToLogs(logs, 0.028);
    ASSERT_TRUE(std::holds_alternative<FittedCell>(fit));
    const FittedCell& fitted = std::get<FittedCell>(fit);
    EXPECT_EQ(fitted.RateNote, "");
    EXPECT_NEAR(fitted.Model.AvailableShare, 0.7, 0.1);
    EXPECT_NEAR(fitted.Model.InternalOhms, cell.InternalOhms, 0.2 * cell.InternalOhms);
    const double measured = Predicted(cell, 10.0, 2.8, false);
    EXPECT_NEAR(Predicted(fitted.Model, 10.0, 2.8, false), measured, 0.03 * measured);
    CellModel oneWell = fitted.Model;
    oneWell.AvailableShare = 1.0;
    oneWell.OpenCircuitVolts =
        std::get<FittedCell>(FitCellToLogs({logs.front()}, cell.InternalOhms)).Model.OpenCircuitVolts;
    EXPECT_GT(std::abs(Predicted(oneWell, 10.0, 2.8, false) / measured - 1.0), 0.03);

    const auto plain = FitCellToLogs({LogOf(Simple(), 1.0, 2.8), LogOf(Simple(), 5.0, 2.8)}, 0.028);
    EXPECT_EQ(std::get<FittedCell>(plain).Model.AvailableShare, 1.0);
    EXPECT_NE(std::get<FittedCell>(plain).RateNote, "");
}

// One well whose resistance rises towards empty, logged at 1 A and 3 A: two
// wells give those logs a little better (some nine tenths of one well's
// squared error), not clearly better, so the fit keeps one well.
TEST(LogFit, ASmallGainKeepsOneWell)
{
    CellModel cell = ModelOf(*BatteryNamed("18650"), Pack{});
    cell.AvailableShare = 1.0;
    cell.ResistanceRise = 0.3;
    const auto fit = FitCellToLogs({LogOf(cell, 1.0, 2.8, true), LogOf(cell, 3.0, 2.8)}, 0.028);
    ASSERT_TRUE(std::holds_alternative<FittedCell>(fit));
    EXPECT_EQ(std::get<FittedCell>(fit).Model.AvailableShare, 1.0);
    EXPECT_NE(std::get<FittedCell>(fit).RateNote.find("one well"), std::string::npos);
}

// One log without a rest before it: the typical resistance, said so.
TEST(LogFit, OneLogWithoutARestTakesTheTypicalResistance)
{
    const auto fit = FitCellToLogs({LogOf(Simple(), 1.0, 2.8)}, 0.028);
    ASSERT_TRUE(std::holds_alternative<FittedCell>(fit));
    EXPECT_FALSE(std::get<FittedCell>(fit).ResistanceFromLogs);
    EXPECT_DOUBLE_EQ(std::get<FittedCell>(fit).Model.InternalOhms, 0.028);
}

// A log whose time or current is not in seconds and amperes gives a cell
// that is none: a charge no cell holds, at either end, or a rest voltage
// above any cell's; refused with the question to ask (a cell file of
// 10^28 mAh, or of 13 V, used to be written and then refused on reading).
TEST(LogFit, ALogOfNoCellIsRefused)
{
    for (const double seconds : {1e26, 0.0001}) {
        DischargeLog log = LogOf(Simple(), 1.0, 2.8);
        const double end = log.Points.back().Seconds;
        for (LogPoint& point : log.Points)
            point.Seconds *= seconds / end;
        const auto fit = FitCellToLogs({log}, 0.028);
        ASSERT_TRUE(std::holds_alternative<std::string>(fit)) << seconds;
        EXPECT_NE(std::get<std::string>(fit).find("are the times in seconds"), std::string::npos);
    }
    // A log near 5 V at 90 A, with the typical resistance, puts the rest
    // curve above any cell's.
    DischargeLog log = LogOf(Simple(), 1.0, 2.8);
    for (LogPoint& point : log.Points) {
        point.Volts += 0.7;
        point.Amps = 90.0;
    }
    const auto fit = FitCellToLogs({log}, 0.05);
    ASSERT_TRUE(std::holds_alternative<std::string>(fit));
    EXPECT_NE(std::get<std::string>(fit).find("rest voltage is outside 0 to 5 V"), std::string::npos);
}

// A charger-analyzer's export: tabs, its own column names, the discharge
// logged negative, a rest reading first.
TEST(DischargeLogs, ReadAnAnalyzersExport)
{
    std::string text = "DateTime\tSecTimer\tAvgCellVolts\tAvgAmps\n1/1/22\t9\t4.195\t0\n";
    for (int k = 0; k < 12; ++k)
        text += "1/1/22\t" + std::to_string(10 + 10 * k) + "\t" + std::to_string(4.1 - 0.01 * k) + "\t-9.95\r\n";
    const auto read = ReadDischargeLog(text, "storage.txt");
    ASSERT_TRUE(std::holds_alternative<DischargeLog>(read)) << std::get<std::string>(read);
    const DischargeLog& log = std::get<DischargeLog>(read);
    ASSERT_TRUE(log.RestVolts);
    EXPECT_DOUBLE_EQ(*log.RestVolts, 4.195);
    ASSERT_EQ(log.Points.size(), 12u);
    EXPECT_DOUBLE_EQ(log.Points.front().Amps, 9.95);
}

// A log's cell and air temperatures, where it has them, are read with each
// reading and before the load.
TEST(DischargeLogs, ReadTheCellsTemperature)
{
    std::string text = "time_s,voltage_v,current_a,cell_c,ambient_c\n0,4.19,0,21.5,21\n";
    for (int k = 0; k < 12; ++k)
        text += std::to_string(10 + 10 * k) + "," + std::to_string(4.1 - 0.01 * k) + ",3," + std::to_string(22 + k) +
                ",21\n";
    const auto read = ReadDischargeLog(text, "warm.csv");
    ASSERT_TRUE(std::holds_alternative<DischargeLog>(read)) << std::get<std::string>(read);
    const DischargeLog& log = std::get<DischargeLog>(read);
    ASSERT_TRUE(log.RestCelsius);
    EXPECT_DOUBLE_EQ(*log.RestCelsius, 21.5);
    EXPECT_DOUBLE_EQ(log.Points.back().Celsius, 33.0);
    EXPECT_DOUBLE_EQ(log.Points.back().AmbientC, 21.0);
    std::string plain = "time_s,voltage_v,current_a\n";
    for (int k = 0; k < 12; ++k)
        plain += std::to_string(10 + 10 * k) + ",3.9,3\n";
    EXPECT_TRUE(std::isnan(std::get<DischargeLog>(ReadDischargeLog(plain, "plain.csv")).Points.front().Celsius));
}

std::string Readings(int count, const char* first = "");

// Ten readings under load are the fewest a fit takes (nine are refused, below).
TEST(DischargeLogs, TenReadingsAreEnough)
{
    const auto read = ReadDischargeLog(Readings(10), "ten.csv");
    ASSERT_TRUE(std::holds_alternative<DischargeLog>(read)) << std::get<std::string>(read);
    EXPECT_EQ(std::get<DischargeLog>(read).Points.size(), 10u);
}

struct RefusedDischargeLog {
    const char* name;
    std::string text;
    const char* words;
};

void PrintTo(const RefusedDischargeLog& row, std::ostream* os) { *os << row.name; }

std::string Readings(int count, const char* first)
{
    std::string text = std::string("time_s,voltage_v,current_a\n") + first;
    for (int k = 0; k < count; ++k)
        text += std::to_string(60 * k + 60) + ",3.9,1\n";
    return text;
}

class RefusedDischargeLogs : public testing::TestWithParam<RefusedDischargeLog> {};

TEST_P(RefusedDischargeLogs, NameTheirLine)
{
    const auto read = ReadDischargeLog(GetParam().text, "log.csv");
    ASSERT_TRUE(std::holds_alternative<std::string>(read));
    EXPECT_NE(std::get<std::string>(read).find(GetParam().words), std::string::npos) << std::get<std::string>(read);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RefusedDischargeLogs,
    testing::Values(RefusedDischargeLog{"Empty", "", "empty"},
                    RefusedDischargeLog{"NoCurrent", "time_s,voltage_v\n0,4\n",
                                        "line 1: the header has no column current_a"},
                    RefusedDischargeLog{"TooFew", Readings(9), "only 9 readings"},
                    RefusedDischargeLog{"TooHigh", Readings(12, "30,5.2,1\n"), "line 2: 5.2 V is outside"},
                    RefusedDischargeLog{"TooMuchCurrent", Readings(12, "30,3.9,186.2\n"),
                                        "line 2: 186.2 A is more than one cell gives"},
                    RefusedDischargeLog{"TooHot", "time_s,voltage_v,current_a,cell_c\n10,3.9,1,25\n20,3.9,1,130\n",
                                        "line 3: 130 °C is outside -40 to 120 °C"},
                    RefusedDischargeLog{"NoTemperature", "time_s,voltage_v,current_a,cell_c\n10,3.9,1,\n",
                                        "line 2: no number for cell_c"},
                    RefusedDischargeLog{"TooLow", Readings(12, "30,0.4,1\n"), "line 2: 0.4 V is outside"},
                    RefusedDischargeLog{"Backwards", Readings(12, "9999,3.9,1\n"), "line 3: time runs backwards"},
                    RefusedDischargeLog{"SignChanges", Readings(12, "30,3.9,-1\n"), "line 3: the current changes sign"},
                    RefusedDischargeLog{"RestAmidTheLoad", "time_s,voltage_v,current_a\n0,3.9,1\n1,3.95,0\n2,3.9,1\n",
                                        "line 4: the load starts again"},
                    RefusedDischargeLog{"NoNumber", Readings(12, "30,full,1\n"), "line 2: no number for voltage_v"}),
    [](const auto& info) { return std::string(info.param.name); });

// The cell file gives back the cell written to it, to its rounding; a file
// that is no cell is refused.
TEST(CellFiles, GiveBackTheCellWritten)
{
    CellModel cell = Simple();
    cell.PolarisationOhms = 0.012;
    cell.PolarisationSeconds = 40.0;
    const auto fit = FitCellToLogs({LogOf(cell, 1.0, 2.8), LogOf(cell, 3.0, 2.8, true)}, 0.028);
    const FittedCell& fitted = std::get<FittedCell>(fit);
    ASSERT_GT(fitted.Model.PolarisationOhms, 0.0);
    const auto read = ReadCellFile(CellFileText(fitted, "Mine \xff"));
    ASSERT_TRUE(std::holds_alternative<CellFile>(read)) << std::get<std::string>(read);
    const CellModel& back = std::get<CellFile>(read).Model;
    EXPECT_NEAR(back.CapacityAh, fitted.Model.CapacityAh, 1e-4);
    EXPECT_NEAR(back.InternalOhms, fitted.Model.InternalOhms, 1e-5);
    EXPECT_NEAR(back.PolarisationOhms, fitted.Model.PolarisationOhms, 1e-5);
    EXPECT_NEAR(back.PolarisationSeconds, fitted.Model.PolarisationSeconds, 0.05);
    FittedCell wells = fitted;
    wells.Model.AvailableShare = 0.8;
    wells.Model.LevellingPerHour = 3.0;
    const CellModel twoWells = std::get<CellFile>(ReadCellFile(CellFileText(wells, "wells"))).Model;
    EXPECT_EQ(twoWells.AvailableShare, 0.8);
    EXPECT_EQ(twoWells.LevellingPerHour, 3.0);
    // Figures far smaller than a cell's usual ones are written, not rounded to 0.
    FittedCell small = fitted;
    small.Model.HeatJoulesPerKelvin = 40.0;
    small.Model.CoolingWattsPerKelvin = 3.2e-5;
    small.Model.PolarisationSeconds = 0.04;
    small.Model.InternalOhms = 2e-7;
    const auto smallRead = ReadCellFile(CellFileText(small, "small"));
    ASSERT_TRUE(std::holds_alternative<CellFile>(smallRead)) << std::get<std::string>(smallRead);
    const CellModel& smallBack = std::get<CellFile>(smallRead).Model;
    EXPECT_DOUBLE_EQ(smallBack.CoolingWattsPerKelvin, 3.2e-5);
    EXPECT_DOUBLE_EQ(smallBack.PolarisationSeconds, 0.04);
    EXPECT_DOUBLE_EQ(smallBack.InternalOhms, 2e-7);
    ASSERT_EQ(back.OpenCircuitVolts.size(), fitted.Model.OpenCircuitVolts.size());
    for (std::size_t k = 0; k < back.OpenCircuitVolts.size(); ++k)
        EXPECT_NEAR(back.OpenCircuitVolts[k], fitted.Model.OpenCircuitVolts[k], 1e-4);
    // A rest curve may hold level; only a rising stretch is refused.
    const char* level = "{\"lumora_cell\": 1, \"capacity_mah\": 3000, \"internal_mohm\": 30, \"cutoff_v\": 2.5, "
                        "\"rest_v\": [4.2, 3.8, 3.8, 3.0]}";
    EXPECT_TRUE(std::holds_alternative<CellFile>(ReadCellFile(level)));
    for (const char* text : {"", "{", "[]", "{\"lumora_cell\": 2}",
                             "{\"lumora_cell\": 1, \"capacity_mah\": 3000, \"internal_mohm\": 30, \"cutoff_v\": 2.5, "
                             "\"rest_v\": [4.2, 3.8, 3.81, 3.0]}",
                             "{\"lumora_cell\": 1, \"capacity_mah\": 3000, \"internal_mohm\": 30, \"cutoff_v\": 2.5}",
                             "{\"lumora_cell\": 1, \"capacity_mah\": 3000, \"internal_mohm\": 30, \"cutoff_v\": 2.5, "
                             "\"rest_v\": [3.0, 4.2]}",
                             "{\"lumora_cell\": 1, \"capacity_mah\": -1, \"internal_mohm\": 30, \"cutoff_v\": 2.5, "
                             "\"rest_v\": [4.2, 3.0]}",
                             "{\"lumora_cell\": 1, \"capacity_mah\": 3000, \"internal_mohm\": 30, \"cutoff_v\": 2.5, "
                             "\"rest_v\": [4.2, 3.0], \"polarisation_mohm\": 10}",
                             "{\"lumora_cell\": 1, \"capacity_mah\": 3000, \"internal_mohm\": 30, \"cutoff_v\": 2.5, "
                             "\"rest_v\": [4.2, 3.0], \"polarisation_mohm\": 10, \"polarisation_s\": 0}",
                             "{\"lumora_cell\": 1, \"capacity_mah\": 3000, \"internal_mohm\": 30, \"cutoff_v\": 2.5, "
                             "\"rest_v\": [4.2, 3.0], \"available_share\": 0.8}",
                             "{\"lumora_cell\": 1, \"capacity_mah\": 3000, \"internal_mohm\": 30, \"cutoff_v\": 2.5, "
                             "\"rest_v\": [4.2, 3.0], \"available_share\": 1.5, \"levelling_per_h\": 1}"})
        EXPECT_TRUE(std::holds_alternative<std::string>(ReadCellFile(text))) << text;
}

// A file from someone else may nest a million deep: refused in words, read
// without recursion (the reader used to run out of stack), and a file just
// within the nesting a cell file may have still read.
TEST(CellFiles, NestingDeepIsRefusedNotRecursed)
{
    const std::string cell = "{\"lumora_cell\": 1, \"capacity_mah\": 3000, \"internal_mohm\": 30, \"cutoff_v\": "
                             "2.5, \"rest_v\": [4.2, 3.0], \"notes\": ";
    const auto nested = [](int levels) { return std::string(levels, '[') + std::string(levels, ']'); };
    const auto read = [&](const std::string& notes) { return ReadCellFile(cell + notes + "}"); };
    EXPECT_TRUE(std::holds_alternative<CellFile>(read(nested(7))));
    const auto deeper = read(nested(8));
    ASSERT_TRUE(std::holds_alternative<std::string>(deeper));
    EXPECT_NE(std::get<std::string>(deeper).find("nests deeper than 8 levels"), std::string::npos);
    const auto million = read(nested(1000000));
    ASSERT_TRUE(std::holds_alternative<std::string>(million));
    EXPECT_NE(std::get<std::string>(million).find("nests deeper"), std::string::npos);
    const auto open = ReadCellFile(std::string(1000000, '['));
    ASSERT_TRUE(std::holds_alternative<std::string>(open));
    EXPECT_EQ(std::get<std::string>(open), "the cell file is not JSON");
}

} // namespace
} // namespace lumora
