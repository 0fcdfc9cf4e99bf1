// SPDX-License-Identifier: MIT
// The light's inputs as rows: every face's words come from them, so every
// refusal must read in a face's own words, every mention must name a row,
// and each input must act exactly where its physics does.
#include "calc/reports/light_run.h"
#include "calc/request/light_inputs.h"
#include "calc/text/mentions.h"

#include <gtest/gtest.h>

#include <map>

#include <regex>
#include <set>
#include <string>
#include <vector>

namespace lumora {
namespace {

LightInputs Inputs(std::initializer_list<std::pair<const char*, const char*>> texts)
{
    LightInputs inputs;
    for (const auto& [key, text] : texts)
        inputs.Give(key, text);
    return inputs;
}

// The keys a text mentions as {key} or {key detail}.
std::vector<std::string> Mentions(const std::string& text)
{
    std::vector<std::string> keys;
    WithMentions(text, [&](std::string_view key, std::string_view) {
        keys.emplace_back(key);
        return std::string();
    });
    return keys;
}

TEST(LightInputRows, HaveOneRowAKeyAndMentionOnlyRows)
{
    std::set<std::string_view> keys;
    for (const LightInputRow& row : LightInputRows()) {
        EXPECT_TRUE(keys.insert(row.Key).second) << row.Key << " twice";
        for (const std::string& key : Mentions(std::string(row.Help)))
            EXPECT_NE(LightInputNamed(key), nullptr) << row.Key << " mentions " << key;
        if (!row.Default.empty() && row.Check) {
            EXPECT_EQ(row.Check(row.Default), "") << row.Key << "'s default is no choice of its own";
        }
    }
}

struct RefusalRow {
    const char* name;
    LightInputs inputs;
    const char* input; // the input the refusal names
};

void PrintTo(const RefusalRow& row, std::ostream* os) { *os << row.name; }

class Refusals : public testing::TestWithParam<RefusalRow> {};

// The page shows no option syntax, the command line no page words: each
// mention becomes the row's phrase or its option, and no brace is left.
TEST_P(Refusals, ReadInEachFacesOwnWords)
{
    const LightRun run = RunLight(GetParam().inputs);
    ASSERT_EQ(run.Refusals.size(), 1u);
    const RunRefusal& refusal = run.Refusals.front();
    EXPECT_EQ(refusal.Input, GetParam().input);
    const std::string page = PageWords(refusal.Text), line = AsOptions(refusal.Text);
    EXPECT_EQ(page.find("--"), std::string::npos) << page;
    EXPECT_FALSE(std::regex_search(page, std::regex("[{}]"))) << page;
    EXPECT_FALSE(std::regex_search(line, std::regex("[{}]"))) << line;
    for (const std::string& key : Mentions(refusal.Text)) {
        ASSERT_NE(LightInputNamed(key), nullptr) << key;
        EXPECT_NE(page.find(LightInputNamed(key)->Phrase), std::string::npos) << page;
        EXPECT_NE(line.find("--" + key), std::string::npos) << line;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Refusals,
    testing::Values(
        RefusalRow{"VfWithoutCurrent", Inputs({{"vf", "3.1"}, {"cell", "18650"}}), "vf"},
        RefusalRow{"NoLed", Inputs({{"cell", "18650"}}), ""},
        RefusalRow{"OnePoint", Inputs({{"led-point", "350=3"}, {"cell", "18650"}}), "led-point"},
        RefusalRow{"TwoBatteries", Inputs({{"led", "xm-l2"}, {"cell", "18650"}, {"battery", "3.7"}}), ""},
        RefusalRow{"NoBattery", Inputs({{"led", "xm-l2"}}), ""},
        RefusalRow{"NothingLimitsTheCurrent",
                   Inputs({{"led-spice", "IS=1e-20 N=2"}, {"battery", "3.7"}, {"capacity", "3000"}}), ""},
        RefusalRow{"UnknownLed", Inputs({{"led", "xq-e"}, {"cell", "18650"}}), "led"},
        RefusalRow{"UnknownCell", Inputs({{"led", "xm-l2"}, {"cell", "18651"}}), "cell"},
        RefusalRow{"UnknownDriver", Inputs({{"led", "xm-l2"}, {"cell", "18650"}, {"driver", "buck"}}), "driver"},
        RefusalRow{"NoPack", Inputs({{"led", "xm-l2"}, {"cell", "18650"}, {"pack", "2X"}}), "pack"},
        RefusalRow{"Pasted", Inputs({{"led", "xm-l2"}, {"cell", "18650"}, {"resistance", "-1"}}), "resistance"},
        RefusalRow{"SensorWithoutHost", Inputs({{"led", "xm-l2"}, {"cell", "18650"}, {"sensor-offset", "5"}}),
                   "sensor-offset"},
        RefusalRow{"SensorWithoutLimit",
                   Inputs({{"led", "xm-l2"}, {"cell", "18650"}, {"host", "18650-tube"}, {"sensor-offset", "5"}}),
                   "sensor-offset"},
        RefusalRow{"SensorHoldsTheHostAtTheAir",
                   Inputs({{"led", "xm-l2"},
                           {"cell", "18650"},
                           {"host", "18650-tube"},
                           {"thermal-limit", "30"},
                           {"sensor-offset", "5"}}),
                   "sensor-offset"}),
    [](const auto& info) { return std::string(info.param.name); });

struct ShapeRow {
    const char* name;
    RunShape shape;
    std::set<std::string> acting; // of current, vf, pack, battery, efficiency, dropout
};

void PrintTo(const ShapeRow& row, std::ostream* os) { *os << row.name; }

class Shapes : public testing::TestWithParam<ShapeRow> {};

// A field shown where it does nothing, or hidden where it acts, misleads:
// the current is no input of a direct drive of a named LED, the dropout
// only a linear regulator's, the pack only a preset's.
TEST_P(Shapes, ShowTheInputsThatAct)
{
    std::set<std::string> acting;
    for (const char* key : {"current", "vf", "pack", "battery", "efficiency", "dropout"}) {
        if (Acts(*LightInputNamed(key), GetParam().shape))
            acting.insert(key);
    }
    EXPECT_EQ(acting, GetParam().acting);
}

using D = DriverKind;
INSTANTIATE_TEST_SUITE_P(
    Rows, Shapes,
    testing::Values(ShapeRow{"DirectPresetLedOnACell", {D::Direct, true, true}, {"pack"}},
                    ShapeRow{"DirectTypicalLedFlat", {D::Direct, false, false}, {"current", "vf", "battery"}},
                    ShapeRow{"LinearPresetLedOnACell", {D::Linear, true, true}, {"current", "pack", "dropout"}},
                    ShapeRow{
                        "ConverterPresetLedFlat", {D::Converter, true, false}, {"current", "battery", "efficiency"}}),
    [](const auto& info) { return std::string(info.param.name); });

// What a field says when typing was reshaped: each character left out
// once, in order; the comma; nothing when nothing changed.
TEST(TypingNotes, SayWhatChanged)
{
    EXPECT_EQ(TypingNoteText("Current", "", false, InputKind::Decimal), "");
    EXPECT_EQ(TypingNoteText("Current", "-e-", false, InputKind::Decimal),
              "Current: left out \"-\", \"e\", which it does not take (digits and one decimal point)");
    EXPECT_EQ(TypingNoteText("LEDs", ".", false, InputKind::Whole),
              "LEDs: left out \".\", which it does not take (digits only)");
    EXPECT_EQ(TypingNoteText("Vf", "", true, InputKind::Decimal), "Vf: took the comma as the decimal point");
    EXPECT_EQ(TypingNoteText("Ambient", "x", true, InputKind::Signed),
              "Ambient: left out \"x\", which it does not take (digits, one decimal point and a minus in front); "
              "took the comma as the decimal point");
}

// The field's start, 0, is taken with a host and no limit, as the page sends it.
TEST(LightInputRows, ZeroSensorOffsetNeedsNoLimit)
{
    const LightRun run =
        RunLight(Inputs({{"led", "xm-l2"}, {"cell", "18650"}, {"host", "18650-tube"}, {"sensor-offset", "0"}}));
    EXPECT_TRUE(run.Refusals.empty());
}

// A driver that holds its sensor at the limit holds the host's surface the
// sensor's offset below it: the host settles there within 0.5 K.
TEST(LightInputRows, SensorOffsetLowersTheHeldHost)
{
    for (const char* offset : {"0", "5", "12.5"}) {
        const LightRun run = RunLight(Inputs({{"led", "lh351d"},
                                              {"cell", "samsung-30q"},
                                              {"driver", "converter"},
                                              {"current", "3000"},
                                              {"host", "18650-tube"},
                                              {"thermal-limit", "55"},
                                              {"sensor-offset", offset}}));
        ASSERT_TRUE(run.Refusals.empty()) << offset;
        const double held = 55.0 - std::stod(offset);
        EXPECT_NEAR(run.Run.Summary.PeakHostC, held, 0.5) << offset;
        int limited = 0;
        for (const DischargeRow& row : run.Run.Rows) {
            if (!row.Limited)
                continue;
            ++limited;
            EXPECT_NEAR(row.HostC, held, 0.5) << offset << " at " << row.Hours << " h";
        }
        EXPECT_GT(limited, 10) << offset;
    }
}

// What the page starts from: the example build, its hidden fields dropped, runs.
TEST(LightInputRows, TheExampleBuildRuns)
{
    const LightRun run = RunLight(ActingOnly(ExampleLight()));
    EXPECT_TRUE(run.Refusals.empty());
    EXPECT_FALSE(run.Rows.empty());
    // Within every rating, and showing what the page is for: lumens out
    // the front, the heat's step-down and the level the light sustains.
    EXPECT_TRUE(run.Warnings.empty()) << run.Warnings.front();
    EXPECT_TRUE(run.Run.Summary.InLumens);
    EXPECT_TRUE(run.Run.Summary.LimitHours && run.Run.Summary.SettledHours);
    // Its headline, figure for figure the summary's.
    std::map<std::string, std::string> figures;
    for (const RunField& field : run.Figures)
        figures[field.Key] = field.Text;
    EXPECT_EQ(run.Headline, "FL1 runtime " + figures["fl1_runtime_h"] + " h, " + figures["output_30s"] +
                                " lm at 30 s, " + figures["sustained_output"] + " lm sustained");
}

} // namespace
} // namespace lumora
