// SPDX-License-Identifier: MIT
// The resistor to buy, as lumora-cli and the page both show it: which rows
// and which warnings each build gets, and how a preset's pack is named.
#include "calc/light/battery_presets.h"
#include "calc/light/led_presets.h"
#include "calc/reports/resistor_to_buy.h"

#include "calc/text/field_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace lumora {
namespace {

struct BuyRow {
    const char* name;
    ResistorFields fields; // battery, vf, current, resistance, wattage, count
    Wiring wiring;
    std::optional<ESeries> series;
    std::vector<std::string> labels;   // the rows' resistors
    std::vector<std::string> warnings; // the start of each warning
};

void PrintTo(const BuyRow& row, std::ostream* os) { *os << row.name; }

class Buy : public testing::TestWithParam<BuyRow> {};

TEST_P(Buy, GivesItsRowsAndEveryWarning)
{
    const BuyRow& row = GetParam();
    const ResistorOutcome solved = CalculateResistor(row.fields, row.wiring);
    ASSERT_TRUE(solved.Windows.empty() && solved.Failure == Failure::None);
    const ResistorToBuy bought = BuyResistor({solved, row.wiring, row.series, {}, {}});
    std::vector<std::string> labels;
    for (const ChoiceRow& choice : bought.Rows)
        labels.push_back(choice.Resistor);
    EXPECT_EQ(labels, row.labels);
    ASSERT_EQ(bought.Warnings.size(), row.warnings.size()) << ::testing::PrintToString(bought.Warnings);
    for (std::size_t w = 0; w < row.warnings.size(); ++w)
        EXPECT_EQ(bought.Warnings[w].rfind(row.warnings[w], 0), 0u) << bought.Warnings[w];
}

// The value to buy is the nearest standard one at or below the desired
// current: the one above a solved resistance, or the solved one when it is
// standard; a given resistance or an impossible setup marks none.
TEST(Buy, MarksTheNearestValueThatKeepsTheCurrentAtOrBelow)
{
    struct Row {
        ResistorFields fields;
        std::optional<ESeries> series;
        const char* marked; // "" for none
    };
    for (const Row& row : {Row{{"9", "3.1", "20", "", "0.00", "1"}, ESeries::E24, "E24 above"},
                           Row{{"9", "3", "20", "", "0.00", "1"}, ESeries::E24, "E24"},
                           Row{{"9", "3.1", "20", "", "0.00", "1"}, std::nullopt, ""},
                           Row{{"9", "3.5", "", "100", "0.00", "1"}, ESeries::E24, ""},
                           Row{{"9", "3.5", "20", "", "0.00", "3"}, ESeries::E24, ""}}) {
        const ResistorOutcome solved = CalculateResistor(row.fields, Wiring::Series);
        const ResistorToBuy bought = BuyResistor({solved, Wiring::Series, row.series, {}, {}});
        std::string marked;
        for (const ChoiceRow& choice : bought.Rows) {
            if (choice.Buy) {
                EXPECT_TRUE(marked.empty()) << "two marked";
                marked = choice.Resistor;
                EXPECT_LE(ReadNumber(choice.Outcome.Fields.LedCurrent).value_or(1e9),
                          *ReadNumber(solved.Fields.LedCurrent) + 1e-9);
            }
        }
        EXPECT_EQ(marked, row.marked) << row.fields.BatteryVoltage << " " << row.fields.LedVf;
    }
}

// A preset LED's rating is held against the most current of any row, the
// standard value below included; none is said at a current well within it.
TEST(Buy, WarnsPastTheLedsRatingInAnyRow)
{
    const LedChoice led = PresetChoice(*LedNamed("xp-g")); // 1500 mA
    for (const char* milliamps : {"1000", "1480", "1600"}) {
        const ResistorFields fields{"4.2", "", milliamps, "", "0.00", "1"};
        const ResistorOutcome solved = CalculateResistorOnCurve(fields, Wiring::Series, led.Curve);
        const ResistorToBuy bought = BuyResistor({solved, Wiring::Series, ESeries::E24, {}, led});
        double most = 0.0;
        for (const ChoiceRow& row : bought.Rows)
            most = std::max(most, *ReadNumber(row.Outcome.Fields.LedCurrent));
        const auto warning = std::find_if(bought.Warnings.begin(), bought.Warnings.end(), [](const std::string& w) {
            return w.rfind("the LED carries up to", 0) == 0;
        });
        EXPECT_EQ(warning != bought.Warnings.end(), most > 1500.0) << milliamps << " mA, most " << most;
        if (warning != bought.Warnings.end()) {
            EXPECT_NE(warning->find("maximum of 1500 mA (Cree XLamp XP-G2 data sheet"), std::string::npos);
        }
    }
}

const std::optional<ESeries> E24 = ESeries::E24;
INSTANTIATE_TEST_SUITE_P(
    Rows, Buy,
    testing::Values(
        BuyRow{"SolvedWithNeighbours",
               {"4.2", "3.1", "350", "", "0.00", "1"},
               Wiring::Series,
               E24,
               {"solved", "E24 below", "E24 above"},
               {}},
        BuyRow{"GivenAloneNoSeries", {"9", "3.5", "", "100", "0.00", "1"}, Wiring::Series, {}, {"given"}, {}},
        BuyRow{"StandardItself", {"9", "3.5", "", "100", "0.00", "1"}, Wiring::Series, E24, {"given", "E24"}, {}},
        // The resistor and its standard twin share one warning, said once.
        BuyRow{"StandardTooHotSaidOnce",
               {"9", "3.5", "", "4.7", "0.00", "1"},
               Wiring::Series,
               E24,
               {"given", "E24"},
               {"a 4.7 ohm resistor dissipates up to 6.44 W"}},
        BuyRow{"BelowTheStock",
               {"3.2", "3.1", "2000", "", "0.00", "1"},
               Wiring::Series,
               E24,
               {"solved", "E24 above"},
               {"E24 is stocked from 0.1 ohm"}},
        BuyRow{"NoCommonRating",
               {"24", "3", "2000", "", "0.00", "1"},
               Wiring::Series,
               {},
               {"solved"},
               {"a 10.5 ohm resistor dissipates up to"}},
        BuyRow{"ParallelShares",
               {"5", "3.2", "20", "", "0.00", "3"},
               Wiring::Parallel,
               {},
               {"solved"},
               {"one resistor feeds 3 LEDs in parallel"}},
        BuyRow{"CannotWork",
               {"9", "3.5", "20", "", "0.00", "3"},
               Wiring::Series,
               {},
               {"solved"},
               {"the 3 LEDs in series need 10.5 V together, more than the battery's 9 V"}},
        // Nothing to buy at or below no headroom: no standard value beside it.
        BuyRow{"CannotWorkNoNeighbours",
               {"9", "3.5", "20", "", "0.00", "3"},
               Wiring::Series,
               E24,
               {"solved"},
               {"the 3 LEDs in series need 10.5 V together"}},
        // In parallel each LED takes the battery's voltage alone: one Vf, not three.
        BuyRow{"CannotWorkInParallel",
               {"3", "3.5", "20", "", "0.00", "3"},
               Wiring::Parallel,
               {},
               {"solved"},
               {"one resistor feeds 3 LEDs in parallel", "the LED needs 3.5 V, more than the battery's 3 V"}},
        BuyRow{"NoHeadroom",
               {"3.2", "3.2", "20", "", "0.00", "1"},
               Wiring::Series,
               E24,
               {"solved"},
               {"the battery's 3.2 V is just what the LED needs: no resistor is left"}},
        BuyRow{"NoHeadroomInSeries",
               {"6.4", "3.2", "20", "", "0.00", "2"},
               Wiring::Series,
               E24,
               {"solved"},
               {"the battery's 6.4 V is just what the 2 LEDs in series need"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct PackRow {
    const char* text;
    std::optional<Pack> pack;
    const char* name; // of an 18650 in that pack, or the refusal
};

// A pack is named alike in every report; one refusal words every pack that is none.
TEST(Packs, AreReadAndNamedAlike)
{
    const PackRow rows[] = {
        {"2S", Pack{2, 1}, "18650, 2S1P"},
        {"2s2p", Pack{2, 2}, "18650, 2S2P"},
        {"3P", Pack{1, 3}, "18650, 1S3P"},
        {"99S99P", Pack{99, 99}, "18650, 99S99P"},
        {"1S100P", std::nullopt, "\"1S100P\" is no pack; write it as 2S, 2P or 2S2P (1 to 99 cells each)"},
        {"0S", std::nullopt, "\"0S\" is no pack; write it as 2S, 2P or 2S2P (1 to 99 cells each)"},
        {"2P2S", std::nullopt, "\"2P2S\" is no pack; write it as 2S, 2P or 2S2P (1 to 99 cells each)"},
        {"", std::nullopt, "\"\" is no pack; write it as 2S, 2P or 2S2P (1 to 99 cells each)"},
    };
    const BatteryChoice cell = *BatteryNamed("18650");
    for (const PackRow& row : rows) {
        const std::optional<Pack> pack = PackNamed(row.text);
        ASSERT_EQ(pack.has_value(), row.pack.has_value()) << row.text;
        if (pack) {
            EXPECT_EQ(pack->Series, row.pack->Series) << row.text;
            EXPECT_EQ(pack->Parallel, row.pack->Parallel) << row.text;
        }
        EXPECT_EQ(pack ? PackName(cell, *pack) : PackRefusal(row.text), row.name) << row.text;
    }
    EXPECT_EQ(PackName(*BatteryNamed("li-ion"), Pack{3, 2}, PackCounts::SeriesOnly), "li-ion, 3S");
    EXPECT_EQ(PackName(*BatteryNamed("aa-nimh"), Pack{}), "AA-nimh, 1S1P");
}

} // namespace
} // namespace lumora
