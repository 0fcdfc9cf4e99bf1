// SPDX-License-Identifier: MIT
// The named 30Q against cell S001's own logs in the shared data: each log
// held out in turn and predicted by the fit to the other four within 2 %
// (charge and energy to 3.0 V and 2.5 V, 12 A included); the shipped cell
// giving all five; data/cell-fits.csv and docs/cell-fits.md what the fit
// gives today.
#include "calc/light/battery_presets.h"
#include "calc/light/cell_test.h"
#include "calc/text/field_text.h"
#include "tests/published/s001_fit.h"
#include "tests/published/shared_data.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace lumora {
namespace {

const std::string Logs = "samsung-30q-arts/cc/Q30_S001_*.csv";

std::string SourceFile(const std::string& path)
{
    std::ifstream file(std::string(LUMORA_SOURCE_DIR) + "/" + path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The five fits with one log held out, made once for the tests below.
const std::vector<HeldOut>& HeldOutRows(const std::vector<DischargeLog>& logs)
{
    static const std::vector<HeldOut> rows = LeaveOneOut(logs);
    return rows;
}

TEST(Samsung30q, EachLogHeldOutIsPredictedByTheOtherFour)
{
    const std::optional<std::vector<DischargeLog>> logs = S001Logs();
    if (!logs)
        GTEST_SKIP() << AbsentText(Logs, "the 30Q is fitted to them and judged on them");
    const std::vector<HeldOut>& rows = HeldOutRows(*logs);
    ASSERT_EQ(rows.size(), S001Rates.size()) << "a fit to four logs was refused";
    for (const HeldOut& row : rows)
        for (std::size_t c = 0; c < std::size(CutOffs); ++c) {
            EXPECT_NEAR(row.Predicted[c].Ah / row.Measured[c].Ah, 1.0, 0.02) << row.Rate << " to " << CutOffs[c];
            EXPECT_NEAR(row.Predicted[c].Wh / row.Measured[c].Wh, 1.0, 0.02) << row.Rate << " to " << CutOffs[c];
        }
}

// The cell as shipped, fitted to all five, gives each of them; and it warms
// as S001 did at 12 A (from the air's 23 °C to about 60 °C at 2.5 V).
TEST(Samsung30q, TheShippedCellGivesItsLogs)
{
    const std::optional<std::vector<DischargeLog>> logs = S001Logs();
    if (!logs)
        GTEST_SKIP() << AbsentText(Logs, "the shipped 30Q is held to them");
    const CellModel cell = ModelOf(*BatteryNamed("samsung-30q"), Pack{});
    for (const DischargeLog& log : *logs)
        for (const double cutOff : CutOffs) {
            const ToCutOff measured = MeasuredTo(log, cutOff), predicted = PredictedTo(cell, log, cutOff);
            EXPECT_NEAR(predicted.Ah / measured.Ah, 1.0, 0.02) << log.Name << " to " << cutOff;
            EXPECT_NEAR(predicted.Wh / measured.Wh, 1.0, 0.02) << log.Name << " to " << cutOff;
        }
    const DischargeLog& heaviest = logs->back();
    const CellTest test = RunCellTest(cell, {LoadKind::Current, MeanAmps(heaviest)}, 2.5, 0.005, MeanAirC(heaviest));
    EXPECT_NEAR(test.Curve.back().Celsius, heaviest.Points.back().Celsius, 5.0);
}

// Another 30Q's pulse tests in the same dataset (DNN01, 1 C pulses at
// 20 °C): the step at each pulse's first reading from 90 % to 20 % charge,
// its median within 10 % of the shipped R0 at the pulse's temperature. A
// check, not a fit: nothing of these files went into the cell.
TEST(Samsung30q, ItsResistanceMeetsAnotherCellsPulses)
{
    const std::string name = "samsung-30q-arts/hppc/DNN01_HPPC_1C_20amb.csv";
    const std::optional<std::string> text = SharedDataText(name);
    if (!text)
        GTEST_SKIP() << AbsentText(name, "the 30Q's resistance is checked against it");
    const std::vector<std::vector<std::string>> rows = CsvRows(*text);
    const CellModel cell = ModelOf(*BatteryNamed("samsung-30q"), Pack{});
    std::vector<double> steps, modelled;
    const auto number = [&](std::size_t row, std::size_t column) { return *ReadNumber(rows[row][column]); };
    for (std::size_t k = 1; k < rows.size(); ++k) {
        const double before = -number(k - 1, 0), amps = -number(k, 0), charge = number(k - 1, 3);
        if (!(before < 0.1 && amps > 2.0 && charge > 20.0 && charge < 90.0))
            continue; // not a pulse's first reading from rest
        steps.push_back((number(k - 1, 1) - number(k, 1)) / amps);
        modelled.push_back(ResistanceAt(cell, RestingCell(number(k - 1, 2))));
    }
    ASSERT_GE(steps.size(), 10u) << "the pulses were not found";
    std::sort(steps.begin(), steps.end());
    EXPECT_NEAR(steps[steps.size() / 2] / modelled.front(), 1.0, 0.10);
}

// data/cell-fits.csv holds what the fit gives the five logs today, and
// docs/cell-fits.md the leave-one-out table: a change to the fit without
// "make fit-cell-logs" fails here.
TEST(Samsung30q, TheFiguresAndTheirTableAreTheFitsOwn)
{
    const std::optional<std::vector<DischargeLog>> logs = S001Logs();
    if (!logs)
        GTEST_SKIP() << AbsentText(Logs, "the figures are fitted to them");
    const auto fit = FitS001(*logs);
    ASSERT_TRUE(std::holds_alternative<FittedCell>(fit));
    const std::string rows = CellFitRows("samsung-30q", std::get<FittedCell>(fit), S001Source);
    const std::string file = SourceFile("data/cell-fits.csv");
    EXPECT_NE(file.find(rows), std::string::npos) << "run make fit-cell-logs";
    const std::string doc = SourceFile("docs/cell-fits.md");
    EXPECT_NE(doc.find(LeaveOneOutTable(HeldOutRows(*logs))), std::string::npos) << "run make fit-cell-logs";
}

} // namespace
} // namespace lumora
