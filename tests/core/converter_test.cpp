// SPDX-License-Identifier: MIT
#include "calc/calculators/runtime_calculator.h"

#include "hostile_texts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lumora {
namespace {

using W = ErrorWindow;
using Q = RuntimeQuantity;

// I, Vf, Vb, C, T, E with the display at its start texts.
ConverterFields Fields(std::string i, std::string vf, std::string vb, std::string c, std::string t, std::string e,
                       std::string days = "0", std::string clock = "00:00:00")
{
    return {i, vf, vb, c, t, e, days, clock};
}

struct CheckRow {
    const char* name;
    ConverterFields fields;
    std::vector<W> windows;
};

void PrintTo(const CheckRow& row, std::ostream* os) { *os << row.name; }

class ConverterChecks : public testing::TestWithParam<CheckRow> {};

TEST_P(ConverterChecks, OpenTheListedWindowsInOrderAndChangeNoInput)
{
    const CheckRow& row = GetParam();
    EXPECT_EQ(CheckConverterFields(row.fields), row.windows);
    const ConverterOutcome outcome = CalculateConverter(row.fields);
    EXPECT_EQ(outcome.Windows, row.windows);
    if (!row.windows.empty()) {
        ConverterFields expected = row.fields;
        expected.Days = "0";
        EXPECT_EQ(outcome.Fields, expected);
        EXPECT_EQ(outcome.Failure, Failure::None);
        EXPECT_FALSE(outcome.Target.has_value());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ConverterChecks,
    testing::Values(
        CheckRow{"Efficiency100Passes", Fields("750", "3.5", "4.2", "2000", "", "100"), {}},
        CheckRow{"EfficiencyJustAbove100", Fields("750", "3.5", "4.2", "2000", "", "100.5"), {W::Form6}},
        CheckRow{"EfficiencyZeroPassesChecks", Fields("750", "3.5", "4.2", "2000", "", "0"), {}},
        CheckRow{"Efficiency150AllFilled", Fields("750", "3.5", "4.2", "2000", "2", "150"), {W::Form6, W::Form2}},
        CheckRow{"Efficiency150RuntimeBlank", Fields("750", "3.5", "4.2", "2000", "", "150"), {W::Form6}},
        CheckRow{"Efficiency150PointBlank", Fields("", ".", "4.2", "2000", "", "150"), {W::Form6, W::Form7, W::Form3}},
        CheckRow{"EfficiencyAndRuntimeBlank", Fields("750", "3.5", "4.2", "2000", "", ""), {W::Form3}},
        CheckRow{"AllBlank", Fields("", "", "", "", "", ""), {W::Form3}},
        CheckRow{"FiveNumbersAndAPoint", Fields("750", "3.5", "4.2", "2000", ".", "83"), {W::Form7, W::Form2}},
        CheckRow{"EfficiencyPointOtherBlank", Fields("750", "3.5", "4.2", "2000", "", "."), {W::Form7}},
        CheckRow{"TwoPointsTwoBlanks", Fields(".", ".", "", "", "2", "83"), {W::Form7, W::Form3}},
        CheckRow{"TrailingAndLeadingPoint", Fields("5.", ".5", "4.2", "2000", "", "83"), {}},
        CheckRow{"SpacesAreNotBlank", Fields(" ", "3.5", "4.2", "2000", "2", "83"), {W::Form2}},
        CheckRow{
            "HugeEfficiencyIsAbove100", Fields("750", "3.5", "4.2", "2000", "", std::string(400, '9')), {W::Form6}},
        CheckRow{"UnreadableEfficiencyPassesChecks", Fields("750", "3.5", "4.2", "2000", "", "8e1"), {}}),
    [](const auto& info) { return std::string(info.param.name); });

struct SolveRow {
    const char* name;
    ConverterFields fields;
    Q target;
    std::string solved; // new text of the blank field
    std::string days;
    std::string clock;
};

void PrintTo(const SolveRow& row, std::ostream* os) { *os << row.name; }

class ConverterSolves : public testing::TestWithParam<SolveRow> {};

TEST_P(ConverterSolves, WriteTheRoundedResultAndTheDisplay)
{
    const SolveRow& row = GetParam();
    const ConverterOutcome outcome = CalculateConverter(row.fields);
    ASSERT_TRUE(outcome.Windows.empty());
    ASSERT_EQ(outcome.Failure, Failure::None);
    EXPECT_EQ(outcome.Target, row.target);
    ConverterFields expected = row.fields;
    FieldText(expected, row.target) = row.solved;
    expected.Days = row.days;
    expected.Clock = row.clock;
    EXPECT_EQ(outcome.Fields, expected);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, ConverterSolves,
    testing::Values(
        SolveRow{"Runtime", Fields("750", "3.5", "4.2", "2000", "", "83"), Q::Runtime, "2.66", "0", "02:39:36"},
        SolveRow{"Current", Fields("", "3.5", "4.2", "2000", "2.66", "83"), Q::LedCurrent, "748.87", "0", "02:39:36"},
        SolveRow{"Vf", Fields("750", "", "4.2", "2000", "2.66", "83"), Q::LedVf, "3.49", "0", "02:39:36"},
        SolveRow{"Battery", Fields("750", "3.5", "", "2000", "2.66", "83"), Q::BatteryVoltage, "4.21", "0", "02:39:36"},
        SolveRow{"Capacity", Fields("750", "3.5", "4.2", "", "2.66", "83"), Q::Capacity, "2003.01", "0", "02:39:36"},
        // 28.125000000000004 in double, exactly 28.125 in single precision: a tie.
        SolveRow{"SingleTieGoesEven", Fields("100", "2.8", "3.5", "2500", "", "90"), Q::Runtime, "28.12", "1",
                 "04:07:12"},
        SolveRow{"EfficiencyTieGoesEven", Fields("750", "3.5", "4.2", "2000", "2.66", ""), Q::Efficiency, "83.12", "0",
                 "02:39:36"},
        SolveRow{"ThreeDays", Fields("100", "3.4", "3.6", "9000", "", "90"), Q::Runtime, "85.76", "3", "13:45:36"},
        SolveRow{"WholeHoursNoDecimals", Fields("20", "3", "3", "1000", "", "80"), Q::Runtime, "40", "1", "16:00:00"},
        SolveRow{"EfficiencyAbove100IsWritten", Fields("1000", "3.5", "3.5", "1000", "2", ""), Q::Efficiency, "200",
                 "0", "02:00:00"},
        SolveRow{"DisplayFromTypedRuntime", Fields("", "3.5", "4.2", "2000", "30", "83"), Q::LedCurrent, "66.4", "1",
                 "06:00:00"},
        // 16777217 h is no single-precision value (it rounds to 16777216): the
        // display shows the runtime as typed.
        SolveRow{"DisplayOfATypedRuntimeAsTyped", Fields("", "3.5", "4.2", "2000", "16777217", "83"), Q::LedCurrent,
                 "0", "699050", "17:00:00"},
        SolveRow{"ZeroCapacity", Fields("750", "3.5", "4.2", "0", "", "83"), Q::Runtime, "0", "0", "00:00:00"},
        SolveRow{"ClockKeptBelowADayUntilSolved", Fields("750", "3.5", "4.2", "2000", "", "83", "7", "11:11:11"),
                 Q::Runtime, "2.66", "0", "02:39:36"},
        SolveRow{"NegativeReadsBack", Fields("-750", "3.5", "4.2", "2000", "", "83"), Q::Runtime, "-2.66", "0",
                 "21:20:24"},
        SolveRow{"TinyNegativeIsPlainZero", Fields("750000", "3.5", "4.2", "-1", "", "83"), Q::Runtime, "0", "0",
                 "00:00:00"},
        // The percent becomes a fraction by dividing by 100; multiplying by
        // 0.01 instead would show 743837.6.
        SolveRow{"PercentDividedBy100", Fields("1657", "8.5", "0.96", "", "35.49", "70"), Q::Capacity, "743837.7", "1",
                 "11:29:24"},
        SolveRow{"LargeResultInPlainDigits", Fields("1", "1", "1", "", "12345678", "100"), Q::Capacity, "12345680",
                 "514403", "06:00:00"}),
    [](const auto& info) { return std::string(info.param.name); });

// 1e-200: its square is below the smallest double.
const std::string Tiny = "0." + std::string(199, '0') + "1";

struct FailureRow {
    const char* name;
    ConverterFields fields;
    Failure failure;
    Q target;
    std::optional<Q> culprit;
};

void PrintTo(const FailureRow& row, std::ostream* os) { *os << row.name; }

class ConverterFailures : public testing::TestWithParam<FailureRow> {};

TEST_P(ConverterFailures, LeaveTheFieldsAsAfterTheDayReset)
{
    const FailureRow& row = GetParam();
    const ConverterOutcome outcome = CalculateConverter(row.fields);
    EXPECT_TRUE(outcome.Windows.empty());
    EXPECT_EQ(outcome.Failure, row.failure);
    EXPECT_EQ(outcome.Target, row.target);
    EXPECT_EQ(outcome.Culprit, row.culprit);
    ConverterFields expected = row.fields;
    expected.Days = "0";
    EXPECT_EQ(outcome.Fields, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ConverterFailures,
    testing::Values(FailureRow{"ZeroCurrentForRuntime", Fields("0", "3.5", "4.2", "2000", "", "83", "5", "01:00:00"),
                               Failure::DivisionByZero, Q::Runtime, Q::LedCurrent},
                    FailureRow{"ZeroEfficiencyForRuntime", Fields("750", "3.5", "4.2", "2000", "", "0"),
                               Failure::DivisionByZero, Q::Runtime, Q::Efficiency},
                    FailureRow{"ZeroEfficiencyForBattery", Fields("750", "3.5", "", "2000", "2", "0"),
                               Failure::DivisionByZero, Q::BatteryVoltage, Q::Efficiency},
                    FailureRow{"ZeroRuntimeForCurrent", Fields("", "3.5", "4.2", "2000", "0", "83"),
                               Failure::DivisionByZero, Q::LedCurrent, Q::Runtime},
                    FailureRow{"ZeroRuntimeForVf", Fields("750", "", "4.2", "2000", "0", "83"), Failure::DivisionByZero,
                               Q::LedVf, Q::Runtime},
                    FailureRow{"ZeroCapacityForBattery", Fields("750", "3.5", "", "0", "2", "83"),
                               Failure::DivisionByZero, Q::BatteryVoltage, Q::Capacity},
                    FailureRow{"ZeroBatteryForCapacity", Fields("750", "3.5", "0", "", "2", "83"),
                               Failure::DivisionByZero, Q::Capacity, Q::BatteryVoltage},
                    FailureRow{"ZeroCapacityForEfficiency", Fields("750", "3.5", "4.2", "0", "2", ""),
                               Failure::DivisionByZero, Q::Efficiency, Q::Capacity},
                    FailureRow{"ZeroOverZeroForRuntime", Fields("0", "3.5", "4.2", "0", "", "83"),
                               Failure::InvalidOperation, Q::Runtime, Q::LedCurrent},
                    FailureRow{"BeyondSingleRange", Fields("1", "1", "1", std::string(39, '9'), "", "100"),
                               Failure::Overflow, Q::Runtime, std::nullopt},
                    // -1e-36 A: the runtime beyond single precision's range below zero, refused as above it.
                    FailureRow{"NegativeBeyondSingleRange",
                               Fields("-0." + std::string(35, '0') + "1", "3.5", "4.2", "2000", "", "83"),
                               Failure::Overflow, Q::Runtime, std::nullopt},
                    FailureRow{"BeyondDoubleRangeOnTheWay",
                               Fields("1", "1", std::string(200, '9'), std::string(200, '9'), "", "100"),
                               Failure::Overflow, Q::Runtime, std::nullopt},
                    FailureRow{"TextBeyondDoubleRange", Fields(std::string(400, '1'), "3.5", "4.2", "2000", "", "83"),
                               Failure::Overflow, Q::Runtime, Q::LedCurrent},
                    FailureRow{"UnderflowedDivisor", Fields(Tiny, Tiny, "4.2", "2000", "", "83"),
                               Failure::DivisionByZero, Q::Runtime, std::nullopt},
                    FailureRow{"CommaDecimal", Fields("750", "3.5", "12,5", "2000", "", "83"), Failure::UnreadableText,
                               Q::Runtime, Q::BatteryVoltage},
                    FailureRow{"PastedExponent", Fields("", "3.5", "4.2", "2000", "2", "8e1"), Failure::UnreadableText,
                               Q::LedCurrent, Q::Efficiency},
                    FailureRow{"FirstUnreadableIsTheCulprit", Fields("x", "y", "4.2", "2000", "", "83"),
                               Failure::UnreadableText, Q::Runtime, Q::LedCurrent}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Converter, SecondPressAfterSuccessOpensForm2AndKeepsTheClock)
{
    const ConverterOutcome first = CalculateConverter(Fields("100", "3.4", "3.6", "9000", "", "90"));
    ASSERT_EQ(first.Fields.Days, "3");
    const ConverterOutcome second = CalculateConverter(first.Fields);
    EXPECT_EQ(second.Windows, std::vector<W>{W::Form2});
    EXPECT_EQ(second.Fields.Days, "0");
    EXPECT_EQ(second.Fields.Clock, "13:45:36");
    EXPECT_EQ(second.Fields.Runtime, "85.76");
}

TEST(Converter, SolveWithoutABlankFieldReportsIt)
{
    const ConverterFields full = Fields("1", "1", "1", "1", "1", "1");
    const ConverterOutcome outcome = SolveConverter(full);
    EXPECT_EQ(outcome.Failure, Failure::NoBlankField);
    EXPECT_EQ(outcome.Fields, full);
}

TEST(Converter, HostilePastesAreNeverSolvedWith)
{
    for (const std::string& text : HostileTexts()) {
        for (Q input : {Q::LedCurrent, Q::LedVf, Q::BatteryVoltage, Q::Capacity, Q::Efficiency}) {
            ConverterFields fields = Fields("750", "3.5", "4.2", "2000", "", "83");
            FieldText(fields, input) = text;
            const ConverterOutcome outcome = CalculateConverter(fields);
            SCOPED_TRACE(testing::Message() << "text \"" << text << "\" in field " << static_cast<int>(input));
            EXPECT_TRUE(outcome.Windows.empty());
            EXPECT_EQ(outcome.Failure, Failure::UnreadableText);
            EXPECT_EQ(outcome.Culprit, input);
            EXPECT_EQ(outcome.Fields.Runtime, "");
        }
    }
}

} // namespace
} // namespace lumora
