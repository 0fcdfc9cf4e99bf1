// SPDX-License-Identifier: MIT
// Builds side by side: each build is the first with its changes made, the
// figures compared are each build's own run's, the differences are those
// runs' differences, and another build's line stands where its own lumens
// put it against the first's.
#include "calc/reports/build_comparison.h"
#include "calc/request/build_changes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <variant>

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

Texts With(Texts texts, const Texts& more)
{
    texts.insert(texts.end(), more.begin(), more.end());
    return texts;
}

Texts TextsOf(const LightInputs& inputs) { return {inputs.Texts.begin(), inputs.Texts.end()}; }

std::vector<InputChange> ChangesOf(const char* text) { return std::get<std::vector<InputChange>>(ReadChanges(text)); }

struct ReadRow {
    const char* name;
    const char* text;
    std::size_t changes; // 0: refused
    const char* says;    // in the refusal, or the changes written back
};

void PrintTo(const ReadRow& row, std::ostream* os) { *os << row.name; }

class ReadChangesText : public testing::TestWithParam<ReadRow> {};

TEST_P(ReadChangesText, TakesKeysOfTheGraphAlone)
{
    const ReadRow& row = GetParam();
    const auto read = ReadChanges(row.text);
    if (row.changes == 0) {
        ASSERT_TRUE(std::holds_alternative<std::string>(read));
        EXPECT_NE(std::get<std::string>(read).find(row.says), std::string::npos) << std::get<std::string>(read);
        return;
    }
    ASSERT_TRUE(std::holds_alternative<std::vector<InputChange>>(read)) << std::get<std::string>(read);
    EXPECT_EQ(std::get<std::vector<InputChange>>(read).size(), row.changes);
    EXPECT_EQ(ChangesText(std::get<std::vector<InputChange>>(read)), row.says);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ReadChangesText,
    testing::Values(ReadRow{"TwoChanges", "led=sft-40,current=3000", 2, "led=sft-40,current=3000"},
                    ReadRow{"APointKeepsItsEquals", "led-point=350=2.9:140", 1, "led-point=350=2.9:140"},
                    ReadRow{"NoneGivenIsAnEmptyValue", "host=", 1, "host="},
                    ReadRow{"OwnCellFile", "cell-file=my.json", 1, "cell-file=my.json"},
                    ReadRow{"NoEquals", "led", 0, "\"led\" changes nothing"},
                    ReadRow{"UnknownKey", "colour=red", 0, "\"colour\" is no input of the graph"},
                    ReadRow{"TheSustainedOutputsOwn", "want=500", 0, "\"want\" is no input of the graph"},
                    ReadRow{"Nothing", "", 0, "give what the build changes"},
                    ReadRow{"AnEmptyPart", "led=sft-40,,current=3", 0, "\"\" changes nothing"}),
    [](const testing::TestParamInfo<ReadRow>& info) { return std::string(info.param.name); });

struct ChangeRow {
    const char* name;
    Texts base;
    const char* changes;
    Texts result; // in key order, as LightInputs holds them
};

void PrintTo(const ChangeRow& row, std::ostream* os) { *os << row.name; }

class ChangeInputs : public testing::TestWithParam<ChangeRow> {};

TEST_P(ChangeInputs, ReplacesTheKeyAndWhatItIsGivenInPlaceOf)
{
    const ChangeRow& row = GetParam();
    EXPECT_EQ(TextsOf(Changed(Inputs(row.base), ChangesOf(row.changes))), row.result);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ChangeInputs,
    testing::Values(
        ChangeRow{"AValueReplaced",
                  {{"driver", "linear"}, {"led", "lh351d"}, {"current", "2800"}},
                  "current=3000",
                  {{"current", "3000"}, {"driver", "linear"}, {"led", "lh351d"}}},
        ChangeRow{"AnotherWayToGiveTheLed",
                  {{"led", "lh351d"}, {"current", "2800"}},
                  "vf=3.1",
                  {{"current", "2800"}, {"vf", "3.1"}}},
        ChangeRow{"AWantedOutputInPlaceOfTheCurrent",
                  {{"led", "lh351d"}, {"current", "2800"}},
                  "output=900",
                  {{"led", "lh351d"}, {"output", "900"}}},
        ChangeRow{"ACurrentInPlaceOfTheOutput",
                  {{"driver", "linear"}, {"led", "lh351d"}, {"output", "900"}},
                  "current=2000",
                  {{"current", "2000"}, {"driver", "linear"}, {"led", "lh351d"}}},
        ChangeRow{
            "AFlatBatteryInPlaceOfCells", {{"cell", "18650"}, {"pack", "2S"}}, "battery=7.4", {{"battery", "7.4"}}},
        ChangeRow{"ANamedHostTakesTheOtherWaysCompanions",
                  {{"host-resistance", "9"}, {"host-heat-capacity", "60"}, {"ambient", "30"}},
                  "host=18650-tube",
                  {{"ambient", "30"}, {"host", "18650-tube"}}},
        ChangeRow{"NoHost", {{"host", "18650-tube"}, {"thermal-limit", "55"}}, "host=,thermal-limit=", Texts{}},
        ChangeRow{"PointsChangedTogether",
                  {{"led", "lh351d"}},
                  "led-point=350=2.9,led-point=1000=3.1",
                  {{"led-point", "350=2.9"}, {"led-point", "1000=3.1"}}},
        ChangeRow{"TheStartInPlaceOfTheCharge",
                  {{"cell", "18650"}, {"charge", "50"}},
                  "start=3.7",
                  {{"cell", "18650"}, {"start", "3.7"}}},
        ChangeRow{"WhatNoLongerActsGoes",
                  {{"driver", "linear"}, {"led", "lh351d"}, {"current", "2800"}},
                  "driver=direct",
                  {{"driver", "direct"}, {"led", "lh351d"}}}),
    [](const testing::TestParamInfo<ChangeRow>& info) { return std::string(info.param.name); });

// What a kept build's link carries makes that build again of the first.
TEST(ChangesBetween, MakeTheOtherBuildOfTheFirst)
{
    const Texts linear = {{"driver", "linear"}, {"cell", "18650"}};
    const LightInputs base = Inputs(With(linear, {{"led", "lh351d"}, {"current", "2800"}, {"host", "aa-edc"}}));
    for (const Texts& other : {With(linear, {{"led", "sft-40"}, {"current", "3000"}, {"host", "aa-edc"}}),
                               With(linear, {{"led", "lh351d"}, {"output", "900"}}),
                               With(linear, {{"led-point", "350=2.9"}, {"led-point", "1000=3.1"}, {"current", "2800"}}),
                               With(linear, {{"led", "lh351d"}, {"current", "2800"}, {"host", "aa-edc"}})}) {
        const LightInputs wanted = Inputs(other);
        const std::vector<InputChange> changes = ChangesBetween(base, wanted);
        EXPECT_EQ(TextsOf(Changed(base, changes)), TextsOf(wanted)) << ChangesText(changes);
        if (!changes.empty()) {
            EXPECT_EQ(TextsOf(Changed(base, ChangesOf(ChangesText(changes).c_str()))), TextsOf(wanted));
        }
    }
}

const Texts First = {{"led", "lh351d"},   {"cell", "18650"},      {"driver", "linear"},
                     {"current", "2000"}, {"host", "18650-tube"}, {"thermal-limit", "55"}};

const ComparedRow& RowOf(const BuildComparison& comparison, const std::string& label)
{
    return *std::find_if(comparison.Rows.begin(), comparison.Rows.end(),
                         [&](const ComparedRow& row) { return row.Label == label; });
}

// Each build's figures are those of its own run, made alone.
TEST(CompareBuilds, EachBuildIsItsOwnRun)
{
    const std::vector<std::vector<InputChange>> others = {ChangesOf("led=sft-40"), ChangesOf("current=3000"),
                                                          ChangesOf("cell=samsung-30q,host=")};
    const BuildComparison comparison = CompareBuilds(Inputs(First), others);
    ASSERT_TRUE(comparison.Refusals.empty()) << comparison.Refusals.front().Text;
    ASSERT_EQ(comparison.Builds.size(), 4u);
    for (std::size_t b = 0; b < comparison.Builds.size(); ++b) {
        const LightInputs alone = b == 0 ? Inputs(First) : Changed(Inputs(First), others[b - 1]);
        const LightRun run = RunLight(alone);
        const auto line = std::find_if(run.Summary.begin(), run.Summary.end(),
                                       [](const RunLine& l) { return l.Label == "FL1 runtime"; });
        EXPECT_EQ(RowOf(comparison, "FL1 runtime").Cells[b].Value, line->Value + " " + line->Unit + " " + line->Mark)
            << b;
        EXPECT_EQ(comparison.Builds[b].Run.Run.Summary.Fl1Hours, run.Run.Summary.Fl1Hours);
    }
    // Named by what differs: the first by all of it, the others by their own.
    EXPECT_EQ(comparison.Builds[1].Name, "Luminus SFT-40");
    EXPECT_EQ(comparison.Builds[2].Name, "3000 mA");
    EXPECT_EQ(comparison.Builds[3].Name, "Samsung INR18650-30Q, no host, no thermal limit");
    EXPECT_NE(comparison.Builds[0].Name.find("Samsung LH351D"), std::string::npos);
    EXPECT_NE(comparison.Builds[0].Name.find("2000 mA"), std::string::npos);
    // No host in the last: its peak temperatures are not compared.
    EXPECT_EQ(RowOf(comparison, "Peak host temperature").Cells[3].Value, "");
    EXPECT_EQ(RowOf(comparison, "Peak host temperature").Cells[3].Difference, "");
}

// A difference is the two runs' own, with its sign.
TEST(CompareBuilds, DifferencesAreTheRunsOwn)
{
    const BuildComparison comparison = CompareBuilds(Inputs(First), {ChangesOf("current=1000")});
    ASSERT_TRUE(comparison.Refusals.empty());
    const double first = comparison.Builds[0].Run.Run.Summary.Fl1Hours * 60.0;
    const double other = comparison.Builds[1].Run.Run.Summary.Fl1Hours * 60.0;
    ASSERT_GT(other, first);
    const std::string longer = RowOf(comparison, "FL1 runtime").Cells[1].Difference;
    EXPECT_EQ(longer.front(), '+') << longer;
    const std::string dimmer = RowOf(comparison, "Output at 30 s").Cells[1].Difference;
    EXPECT_EQ(dimmer.rfind("\u2212", 0), 0u) << dimmer;
    const double lumens =
        comparison.Builds[1].Run.Run.Summary.Output30s - comparison.Builds[0].Run.Run.Summary.Output30s;
    EXPECT_EQ(dimmer, "\u2212" + std::to_string(static_cast<int>(std::round(-lumens))) + " lm");
    EXPECT_EQ(RowOf(comparison, "Output at 30 s").Cells[0].Difference, "");
}

struct RefusedBuildRow {
    const char* name;
    std::vector<const char*> others;
    const char* says;
    bool usage;
};

void PrintTo(const RefusedBuildRow& row, std::ostream* os) { *os << row.name; }

class RefusedBuilds : public testing::TestWithParam<RefusedBuildRow> {};

TEST_P(RefusedBuilds, NamesTheBuild)
{
    std::vector<std::vector<InputChange>> others;
    for (const char* text : GetParam().others)
        others.push_back(ChangesOf(text));
    const BuildComparison comparison = CompareBuilds(Inputs(First), others);
    ASSERT_FALSE(comparison.Refusals.empty());
    EXPECT_NE(comparison.Refusals.front().Text.find(GetParam().says), std::string::npos)
        << comparison.Refusals.front().Text;
    EXPECT_EQ(comparison.Usage, GetParam().usage);
    EXPECT_TRUE(comparison.Builds.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RefusedBuilds,
    testing::Values(
        RefusedBuildRow{
            "AValueItsOptionRefuses", {"led=sft-40", "current=-5"}, "build 3 (current=-5): {current}", false},
        RefusedBuildRow{"AChangeThatDoesNothing",
                        {"efficiency=90"},
                        "build 2 (efficiency=90): {efficiency} does nothing for this build",
                        true},
        RefusedBuildRow{"AChoiceThatNamesNone", {"led=nosuch"}, "build 2 (led=nosuch): {led}: no LED", true},
        RefusedBuildRow{
            "MoreThanAGraphTellsApart",
            {"current=1", "current=2", "current=3", "current=4", "current=5", "current=6", "current=7", "current=8"},
            "9 builds are more than one graph tells apart; compare 8 at most",
            true}),
    [](const testing::TestParamInfo<RefusedBuildRow>& info) { return std::string(info.param.name); });

// Twice the LEDs in parallel at the same current each, fed without loss,
// give twice the light: the other build's line stands at 200 % of the
// first's output throughout.
TEST(OtherLines, StandWhereTheirLumensPutThem)
{
    const Texts flat = {{"led", "lh351d"},       {"battery", "12"},   {"capacity", "3000"},
                        {"driver", "converter"}, {"current", "1000"}, {"efficiency", "100"}};
    const BuildComparison comparison = CompareBuilds(Inputs(flat), {ChangesOf("leds=2,wiring=parallel")});
    ASSERT_TRUE(comparison.Refusals.empty()) << comparison.Refusals.front().Text;
    const std::vector<PlotLine> lines = OtherLines(comparison);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines.front().Label, "2 LEDs, in parallel");
    const double firstOutput = comparison.Builds.front().Run.Run.Summary.Output30s;
    for (std::size_t i = 0; i < lines.front().Points.size(); ++i) {
        const double lumens = comparison.Builds[1].Run.Run.Rows[i].Output;
        EXPECT_NEAR(lines.front().Points[i].second, 100.0 * lumens / firstOutput, 1e-9);
    }
    EXPECT_NEAR(lines.front().Points.front().second, 200.0, 0.5);
}

} // namespace
} // namespace lumora
