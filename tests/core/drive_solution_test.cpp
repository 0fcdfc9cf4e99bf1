// SPDX-License-Identifier: MIT
// A wanted output in lumens, solved for the drive: the whole run at the
// drive found must give it at 30 s, the drive reported must be the one run,
// and the most a light gives, which a refusal names, must be where wanting
// more starts to be refused.
#include "calc/reports/light_run.h"
#include "calc/request/light_inputs.h"
#include "calc/text/number_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <regex>
#include <string>

namespace lumora {
namespace {

using Texts = std::vector<std::pair<std::string, std::string>>;

LightInputs Inputs(const Texts& texts)
{
    LightInputs inputs;
    for (const auto& [key, text] : texts)
        inputs.Give(key, text);
    return inputs;
}

std::string Understood(const LightRun& run, const std::string& key)
{
    for (const RunField& field : run.Understood)
        if (field.Key == key)
            return field.Text;
    return "";
}

struct WantedRow {
    const char* name; // the slip it catches
    Texts texts;
    double lumens;
};

void PrintTo(const WantedRow& row, std::ostream* os) { *os << row.name; }

class Wanted : public testing::TestWithParam<WantedRow> {};

TEST_P(Wanted, GivesItAt30sAndReportsTheDriveItRan)
{
    const WantedRow& row = GetParam();
    Texts texts = row.texts;
    texts.emplace_back("output", DoubleText(row.lumens));
    const LightRun solved = RunLight(Inputs(texts));
    ASSERT_TRUE(solved.Refusals.empty()) << solved.Refusals.front().Text;
    ASSERT_TRUE(solved.Run.Summary.InLumens);
    EXPECT_NEAR(solved.Run.Summary.Output30s, row.lumens, 0.01 * row.lumens);
    // The drive as understood, given in place of the output, is the same run.
    const std::string key = Understood(solved, "solved");
    ASSERT_TRUE(key == "current_ma" || key == "resistance_ohm") << key;
    Texts given = row.texts;
    given.emplace_back(key == "current_ma" ? "current" : "resistance", Understood(solved, key));
    const LightRun again = RunLight(Inputs(given));
    ASSERT_TRUE(again.Refusals.empty());
    EXPECT_EQ(again.Run.Summary.Output30s, solved.Run.Summary.Output30s);
    EXPECT_EQ(again.Run.Summary.Fl1Hours, solved.Run.Summary.Fl1Hours);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Wanted,
    testing::Values(
        WantedRow{"LinearRegulatorsCurrent", {{"led", "lh351d"}, {"cell", "18650"}, {"driver", "linear"}}, 800},
        WantedRow{"FewLumensAtALowCurrent", {{"led", "lh351d"}, {"cell", "18650"}, {"driver", "linear"}}, 20},
        WantedRow{"EveryLedInSeriesCounts",
                  {{"led", "sft-40"}, {"cell", "18650"}, {"pack", "2S"}, {"driver", "converter"}, {"leds", "2"}},
                  3000},
        WantedRow{"ParallelLedsShareTheOutput",
                  {{"led", "lh351d"}, {"cell", "21700"}, {"driver", "linear"}, {"leds", "3"}, {"wiring", "parallel"}},
                  1500},
        WantedRow{"OutTheFrontNotTheBareEmitter",
                  {{"led", "sst-20"}, {"cell", "18650"}, {"driver", "linear"}, {"optics", "70"}},
                  900},
        WantedRow{"TheJunctionWarmedBy30s",
                  {{"led", "519a"}, {"cell", "18650"}, {"driver", "linear"}, {"host", "aa-edc"}, {"ambient", "35"}},
                  1000},
        WantedRow{"DirectDriveSolvesTheResistor", {{"led", "lh351d"}, {"cell", "18650"}, {"driver", "direct"}}, 900},
        WantedRow{"DirectDriveFromAHalfCell",
                  {{"led", "lh351d"}, {"cell", "18650"}, {"driver", "direct"}, {"charge", "50"}},
                  700},
        WantedRow{"OwnPointsCarryTheirFlux",
                  {{"led-point", "350=2.8:150"},
                   {"led-point", "1000=3.0:380"},
                   {"led-point", "2000=3.2:650"},
                   {"cell", "18650"},
                   {"driver", "linear"}},
                  500}),
    [](const testing::TestParamInfo<WantedRow>& info) { return std::string(info.param.name); });

struct MostRow {
    const char* name;
    Texts texts;
    const char* bound; // what the refusal says bounds it
};

void PrintTo(const MostRow& row, std::ostream* os) { *os << row.name; }

class Most : public testing::TestWithParam<MostRow> {};

// The most a refusal names is the edge: a little less is given, a little
// more refused.
TEST_P(Most, IsWhereWantingMoreIsRefused)
{
    const MostRow& row = GetParam();
    Texts texts = row.texts;
    texts.emplace_back("output", "100000");
    const LightRun refused = RunLight(Inputs(texts));
    ASSERT_EQ(refused.Refusals.size(), 1u);
    EXPECT_EQ(refused.Refusals.front().Input, "output");
    const std::string& text = refused.Refusals.front().Text;
    EXPECT_NE(text.find(row.bound), std::string::npos) << text;
    std::smatch most;
    ASSERT_TRUE(std::regex_search(text, most, std::regex("at most ([0-9]+) lm"))) << text;
    const double lumens = std::stod(most[1]);
    texts.back().second = DoubleText(std::round(lumens * 0.995));
    EXPECT_TRUE(RunLight(Inputs(texts)).Refusals.empty()) << texts.back().second;
    texts.back().second = DoubleText(std::round(lumens * 1.01));
    EXPECT_FALSE(RunLight(Inputs(texts)).Refusals.empty()) << texts.back().second;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Most,
    testing::Values(MostRow{"TheCellAndRegulatorGiveOut",
                            {{"led", "lh351d"}, {"cell", "18650"}, {"driver", "linear"}},
                            "the battery and driver"},
                    MostRow{"TheLedsMeasuredFluxEnds",
                            {{"led", "sst-20"}, {"battery", "12"}, {"capacity", "3000"}, {"driver", "converter"}},
                            "the end of the LED's measured flux"},
                    MostRow{"DirectDriveWithoutAResistor",
                            {{"led", "lh351d"}, {"cell", "18650"}, {"driver", "direct"}},
                            "no series resistance"},
                    MostRow{"DirectDriveHeldWithinTheFlux",
                            {{"led", "lh351d"}, {"cell", "18650"}, {"pack", "2S"}, {"driver", "direct"}},
                            "ohm in series, where each LED reaches the end of its measured flux"}),
    [](const testing::TestParamInfo<MostRow>& info) { return std::string(info.param.name); });

struct RefusedRow {
    const char* name;
    Texts texts;
    const char* input;
    const char* says;
    bool usage;
};

void PrintTo(const RefusedRow& row, std::ostream* os) { *os << row.name; }

class Refused : public testing::TestWithParam<RefusedRow> {};

TEST_P(Refused, NamesItsCulprit)
{
    const RefusedRow& row = GetParam();
    const LightRun run = RunLight(Inputs(row.texts));
    ASSERT_EQ(run.Refusals.size(), 1u);
    EXPECT_EQ(run.Refusals.front().Input, row.input);
    EXPECT_NE(run.Refusals.front().Text.find(row.says), std::string::npos) << run.Refusals.front().Text;
    EXPECT_EQ(run.Usage, row.usage);
}

const Texts Linear = {{"cell", "18650"}, {"driver", "linear"}};
Texts With(Texts texts, const Texts& more)
{
    texts.insert(texts.end(), more.begin(), more.end());
    return texts;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Refused,
    testing::Values(
        RefusedRow{"BothOutputAndCurrent", With(Linear, {{"led", "lh351d"}, {"output", "500"}, {"current", "700"}}),
                   "output", "not both", false},
        RefusedRow{"AnLedWithoutFluxNamedWithTheWayToGiveIt", With(Linear, {{"led", "5mm"}, {"output", "5"}}), "output",
                   "generic 5 mm white LED, 20 mA (preset) has no measured flux", false},
        RefusedRow{"PointsWithoutFlux",
                   With(Linear, {{"led-point", "350=2.8"}, {"led-point", "1000=3.0"}, {"output", "500"}}), "output",
                   "{led-point MA=V:LM}", false},
        RefusedRow{"ATypicalLedHasNoFlux", With(Linear, {{"vf", "3.1"}, {"output", "500"}}), "output",
                   "a typical LED through its Vf has no measured flux", false},
        RefusedRow{"NoOutputAtAll", With(Linear, {{"led", "lh351d"}, {"output", "0"}}), "output", "above 0 lm", false},
        RefusedRow{"DirectDriveGivenItsResistorToo",
                   {{"led", "lh351d"}, {"cell", "18650"}, {"output", "500"}, {"resistance", "0.2"}},
                   "output",
                   "the series resistance sets the output",
                   false},
        RefusedRow{"SomePointsWithFluxSomeWithout",
                   With(Linear, {{"led-point", "350=2.8:150"}, {"led-point", "1000=3.0"}, {"output", "500"}}),
                   "led-point", "every point or of none", false},
        RefusedRow{"ARegulatorWithNeitherCurrentNorOutput", With(Linear, {{"led", "lh351d"}}), "current", "{output}",
                   true},
        RefusedRow{"AChargePastFull", With(Linear, {{"led", "lh351d"}, {"current", "700"}, {"charge", "100.1"}}),
                   "charge", "100.1 % is more than a cell holds", false}),
    [](const testing::TestParamInfo<RefusedRow>& info) { return std::string(info.param.name); });

// A full cell is a charge of 100 %, the most refused one step past it.
TEST(Charge, OfAFullCellIsTaken)
{
    const LightRun run = RunLight(Inputs(With(Linear, {{"led", "lh351d"}, {"current", "700"}, {"charge", "100"}})));
    EXPECT_TRUE(run.Refusals.empty()) << run.Refusals.front().Text;
}

// A resistor in front of a regulator stays: the regulator's current is
// what is solved, and the resistor's share of the battery is not undone.
TEST(WantedOutput, KeepsAResistorInFrontOfARegulator)
{
    const LightRun run = RunLight(Inputs(With(Linear, {{"led", "lh351d"}, {"resistance", "0.1"}, {"output", "600"}})));
    ASSERT_TRUE(run.Refusals.empty()) << run.Refusals.front().Text;
    EXPECT_EQ(Understood(run, "solved"), "current_ma");
    EXPECT_EQ(Understood(run, "resistance_ohm"), "0.1");
}

// More light wanted takes more current, and the run says what it was for.
TEST(WantedOutput, RisesWithTheCurrentAndSaysWhatWasSolved)
{
    double last = 0.0;
    for (const char* lumens : {"100", "400", "900"}) {
        const LightRun run = RunLight(Inputs(With(Linear, {{"led", "lh351d"}, {"output", lumens}})));
        ASSERT_TRUE(run.Refusals.empty());
        const double current = std::stod(Understood(run, "current_ma"));
        EXPECT_GT(current, last) << lumens;
        last = current;
        EXPECT_EQ(Understood(run, "output_lm"), lumens);
        const auto line = std::find_if(run.Summary.begin(), run.Summary.end(),
                                       [](const RunLine& l) { return l.Label == "Wanted output"; });
        ASSERT_NE(line, run.Summary.end());
        EXPECT_EQ(line->Value, lumens);
        EXPECT_NE(line->Mark.find("the current solved"), std::string::npos);
    }
}

} // namespace
} // namespace lumora
