// SPDX-License-Identifier: MIT
#include "calc/calculators/resistor_calculator.h"

#include "hostile_texts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lumora {
namespace {

using W = ErrorWindow;
using Q = ResistorQuantity;

// V, F, I, R, n, with the wattage at its start text.
ResistorFields Fields(std::string v, std::string f, std::string i, std::string r, std::string n,
                      std::string wattage = "0.00")
{
    return {v, f, i, r, wattage, n};
}

struct CheckRow {
    const char* name;
    ResistorFields fields;
    std::vector<W> windows;
};

void PrintTo(const CheckRow& row, std::ostream* os) { *os << row.name; }

class ResistorChecks : public testing::TestWithParam<CheckRow> {};

TEST_P(ResistorChecks, OpenTheListedWindowsInOrderForEitherWiring)
{
    const CheckRow& row = GetParam();
    EXPECT_EQ(CheckResistorFields(row.fields), row.windows);
    for (Wiring wiring : {Wiring::Series, Wiring::Parallel}) {
        const ResistorOutcome outcome = CalculateResistor(row.fields, wiring);
        EXPECT_EQ(outcome.Windows, row.windows);
        if (!row.windows.empty()) {
            EXPECT_EQ(outcome.Fields, row.fields);
            EXPECT_EQ(outcome.Failure, Failure::None);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ResistorChecks,
    testing::Values(CheckRow{"StartTexts", Fields("", "", "", "", "1"), {W::Form3}},
                    CheckRow{"AllFourFilled", Fields("9", "3.5", "20", "100", "1"), {W::Form2}},
                    CheckRow{"CountAndResistanceBlank", Fields("9", "3.5", "20", "", ""), {W::Form8, W::Form3}},
                    CheckRow{"CountZeroAndPoint", Fields(".", "3.5", "20", "100", "0"), {W::Form8, W::Form7, W::Form2}},
                    CheckRow{"CountBlankAllFourFilled", Fields("9", "3.5", "20", "100", ""), {W::Form8, W::Form2}},
                    CheckRow{"CountDoubleZero", Fields("9", "3.5", "20", "", "00"), {W::Form8}},
                    CheckRow{"CountBelowOne", Fields("9", "3.5", "20", "", "0.5"), {W::Form8}},
                    CheckRow{"NegativeCount", Fields("9", "3.5", "20", "", "-2"), {W::Form8}},
                    CheckRow{
                        "HugeNegativeCount", Fields("9", "3.5", "20", "", "-" + std::string(400, '9')), {W::Form8}},
                    CheckRow{"UnreadableCountPassesChecks", Fields("9", "3.5", "20", "", "x"), {}},
                    CheckRow{"BatteryPoint", Fields(".", "3.5", "20", "", "1"), {W::Form7}},
                    CheckRow{"PointInTwoFields", Fields(".", ".", "20", "", "1"), {W::Form7}},
                    CheckRow{"CountPoint", Fields("9", "3.5", "20", "", "."), {W::Form7}},
                    CheckRow{"PointAndTwoBlank", Fields(".", "3.5", "", "", "1"), {W::Form7, W::Form3}},
                    CheckRow{"SpaceIsNotBlank", Fields("9", "3.5", "20", " ", "1"), {W::Form2}},
                    CheckRow{"WattageIgnored", Fields("9", "3.5", "20", "", "1", ""), {}},
                    CheckRow{"WattageFormerResult", Fields("9", "3.5", "20", "", "1", "12.5"), {}}),
    [](const auto& info) { return std::string(info.param.name); });

struct SolveRow {
    const char* name;
    Wiring wiring;
    ResistorFields fields;
    Q target;
    std::string solved;
    std::string wattage;
};

void PrintTo(const SolveRow& row, std::ostream* os) { *os << row.name; }

class ResistorSolves : public testing::TestWithParam<SolveRow> {};

TEST_P(ResistorSolves, WriteTheSolvedFieldAndTheWattage)
{
    const SolveRow& row = GetParam();
    const ResistorOutcome outcome = CalculateResistor(row.fields, row.wiring);
    ASSERT_TRUE(outcome.Windows.empty());
    ASSERT_EQ(outcome.Failure, Failure::None);
    EXPECT_EQ(outcome.Target, row.target);
    ResistorFields expected = row.fields;
    FieldText(expected, row.target) = row.solved;
    expected.Wattage = row.wattage;
    EXPECT_EQ(outcome.Fields, expected);
}

constexpr Wiring S = Wiring::Series;
constexpr Wiring P = Wiring::Parallel;

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, ResistorSolves,
    testing::Values(
        SolveRow{"SeriesR", S, Fields("9", "3.5", "20", "", "2"), Q::Resistance, "100", "0.04"},
        // (V - F n) / (I / 1000) as written; multiplying by 1000 first would show 3.12.
        SolveRow{"SeriesROrderOfOperations", S, Fields("6.2", "2", "704", "", "2"), Q::Resistance, "3.13", "1.55"},
        SolveRow{"ParallelR", P, Fields("5", "3.2", "20", "", "3"), Q::Resistance, "30", "0.11"},
        // Unrounded, 49.99999999999998 mA would give 0.05; the text "50" gives 0.055, a tie.
        SolveRow{"SeriesI", S, Fields("10.1", "3", "", "22", "3"), Q::LedCurrent, "50", "0.06"},
        SolveRow{"ParallelI", P, Fields("4.2", "3.6", "", "2", "4"), Q::LedCurrent, "75", "0.18"},
        SolveRow{"SeriesF", S, Fields("12", "", "300", "6", "3"), Q::LedVf, "3.4", "0.54"},
        SolveRow{"ParallelF", P, Fields("6", "", "20", "50", "3"), Q::LedVf, "3", "0.18"},
        SolveRow{"SeriesVPowerTieGoesEven", S, Fields("", "3", "500", "0.5", "3"), Q::BatteryVoltage, "9.25", "0.12"},
        SolveRow{"ParallelV", P, Fields("", "3.5", "20", "50", "4"), Q::BatteryVoltage, "7.5", "0.32"},
        SolveRow{"NegativeResistance", S, Fields("3", "3.5", "20", "", "1"), Q::Resistance, "-25", "-0.01"},
        // 0.8666... ohms is written 0.87; the unrounded value would give the power 7.8.
        SolveRow{"PowerFromRoundedR", S, Fields("12.5", "3.3", "3000", "", "3"), Q::Resistance, "0.87", "7.83"},
        SolveRow{"ParallelOneLedLikeSeries", P, Fields("5", "3.3", "3000", "", "1"), Q::Resistance, "0.57", "5.13"},
        SolveRow{"WattageRoundsToPlainZero", S, Fields("3.4999", "3.5", "20", "", "1"), Q::Resistance, "-0.01", "0"},
        SolveRow{"FractionalCountUsedAsRead", S, Fields("9", "3.5", "20", "", "1.5"), Q::Resistance, "187.5", "0.08"},
        SolveRow{"NegativeTextReadsBack", S, Fields("-3", "3.5", "20", "", "1"), Q::Resistance, "-325", "-0.13"},
        SolveRow{"HugeResultInPlainDigits", S, Fields("123456789012345678901", "0", "1000", "", "1"), Q::Resistance,
                 "123456789012346000000", "123456789012346000000"}),
    [](const auto& info) { return std::string(info.param.name); });

struct FailureRow {
    const char* name;
    Wiring wiring;
    ResistorFields fields;
    ResistorFields after; // the texts the failed press leaves
    Failure failure;
    Q target;
    std::optional<Q> culprit;
};

void PrintTo(const FailureRow& row, std::ostream* os) { *os << row.name; }

class ResistorFailures : public testing::TestWithParam<FailureRow> {};

TEST_P(ResistorFailures, StopBeforeWritingTheFailedValue)
{
    const FailureRow& row = GetParam();
    const ResistorOutcome outcome = CalculateResistor(row.fields, row.wiring);
    EXPECT_TRUE(outcome.Windows.empty());
    EXPECT_EQ(outcome.Failure, row.failure);
    EXPECT_EQ(outcome.Target, row.target);
    EXPECT_EQ(outcome.Culprit, row.culprit);
    EXPECT_EQ(outcome.Fields, row.after);
}

const std::string Huge = "1" + std::string(200, '0');

INSTANTIATE_TEST_SUITE_P(
    Rows, ResistorFailures,
    testing::Values(
        FailureRow{"ZeroCurrentForR", S, Fields("9", "3.5", "0", "", "1", "0.5"),
                   Fields("9", "3.5", "0", "", "1", "0.5"), Failure::DivisionByZero, Q::Resistance, Q::LedCurrent},
        FailureRow{"ZeroOverZeroForR", S, Fields("7", "3.5", "0", "", "2"), Fields("7", "3.5", "0", "", "2"),
                   Failure::InvalidOperation, Q::Resistance, Q::LedCurrent},
        FailureRow{"ZeroResistanceForI", P, Fields("9", "3.5", "", "0", "2"), Fields("9", "3.5", "", "0", "2"),
                   Failure::DivisionByZero, Q::LedCurrent, Q::Resistance},
        FailureRow{"WattageOverflowKeepsTheSolvedText", S, Fields(Huge, "0", "", "1", "1"),
                   Fields(Huge, "0", Huge + "000", "1", "1"), Failure::Overflow, Q::Wattage, std::nullopt},
        FailureRow{"SolvedValueTooLargeToRound", S, Fields(std::string(305, '9'), "0", "", "1", "1"),
                   Fields(std::string(305, '9'), "0", "", "1", "1"), Failure::Overflow, Q::LedCurrent, std::nullopt},
        FailureRow{"TextBeyondDoubleRange", S, Fields(std::string(400, '9'), "3.5", "20", "", "1"),
                   Fields(std::string(400, '9'), "3.5", "20", "", "1"), Failure::Overflow, Q::Resistance,
                   Q::BatteryVoltage},
        FailureRow{"PastedComma", P, Fields("12,5", "3.5", "20", "", "1"), Fields("12,5", "3.5", "20", "", "1"),
                   Failure::UnreadableText, Q::Resistance, Q::BatteryVoltage},
        FailureRow{"UnreadableCountFirst", P, Fields("x", "3.5", "20", "", "1e1"), Fields("x", "3.5", "20", "", "1e1"),
                   Failure::UnreadableText, Q::Resistance, Q::LedCount}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Resistor, SecondPressAfterSuccessOpensForm2AndChangesNothing)
{
    const ResistorOutcome first = CalculateResistor(Fields("9", "3.5", "20", "", "2"), Wiring::Series);
    ASSERT_EQ(first.Fields.Resistance, "100");
    const ResistorOutcome second = CalculateResistor(first.Fields, Wiring::Series);
    EXPECT_EQ(second.Windows, std::vector<W>{W::Form2});
    EXPECT_EQ(second.Fields, first.Fields);
}

TEST(Resistor, HostilePastesAreNeverSolvedWith)
{
    for (const std::string& text : HostileTexts()) {
        for (Q input : {Q::BatteryVoltage, Q::LedVf, Q::LedCurrent, Q::LedCount}) {
            const ResistorFields fields = [&] {
                ResistorFields f = Fields("9", "3.5", "20", "", "2");
                FieldText(f, input) = text;
                return f;
            }();
            SCOPED_TRACE(testing::Message() << "text \"" << text << "\" in field " << static_cast<int>(input));
            const ResistorOutcome outcome = CalculateResistor(fields, Wiring::Parallel);
            EXPECT_TRUE(outcome.Windows.empty());
            EXPECT_EQ(outcome.Failure, Failure::UnreadableText);
            EXPECT_EQ(outcome.Culprit, input);
            EXPECT_EQ(outcome.Fields, fields);
        }
    }
}

} // namespace
} // namespace lumora
