// SPDX-License-Identifier: MIT
// The solved result in words, and why a figure is one no working light
// gives: a battery of 0 V or 0 mAh, a resistance below 0 or at 0. A working build gets no such words.
#include "calc/calculators/messages.h"

#include <gtest/gtest.h>

#include <string>

namespace lumora {
namespace {

struct ConverterCase {
    const char* Name;
    ConverterFields Fields; // current, vf, battery, capacity, runtime, efficiency, days, clock
    const char* Sentence;
};

class ConverterWords : public testing::TestWithParam<ConverterCase> {};

TEST_P(ConverterWords, SayTheResultAndWhyItCannotLight)
{
    const ConverterCase& c = GetParam();
    EXPECT_EQ(ResultSentence(CalculateConverter(c.Fields)), c.Sentence);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ConverterWords,
    testing::Values(ConverterCase{"Working",
                                  {"750", "3.5", "4.2", "2000", "", "83", "0", "00:00:00"},
                                  "Runtime 2.66 hours: 0 days, 02:39:36"},
                    ConverterCase{"NoVolts",
                                  {"350", "3.2", "0", "2000", "", "90", "0", "00:00:00"},
                                  "Runtime 0 hours: 0 days, 00:00:00; a battery of 0 V holds no energy"},
                    ConverterCase{"NoCharge",
                                  {"350", "3.2", "3.7", "0", "", "90", "0", "00:00:00"},
                                  "Runtime 0 hours: 0 days, 00:00:00; a battery of 0 mAh holds no energy"},
                    // An efficiency of 0 is refused before anything is solved: no words.
                    ConverterCase{"NoEfficiencyRefused", {"350", "3.2", "3.7", "2000", "", "0", "0", "00:00:00"}, ""}),
    [](const auto& info) { return std::string(info.param.Name); });

struct ResistorCase {
    const char* Name;
    ResistorFields Fields; // battery, vf, current, resistance, wattage, count
    const char* Caveat;
};

class ResistorWords : public testing::TestWithParam<ResistorCase> {};

TEST_P(ResistorWords, EndWithWhyItCannotWork)
{
    const ResistorCase& c = GetParam();
    const ResistorOutcome outcome = CalculateResistor(c.Fields, Wiring::Series);
    EXPECT_EQ(SolvedCaveat(outcome), c.Caveat);
    const std::string sentence = ResultSentence(outcome);
    const std::string ending = *c.Caveat ? std::string("; ") + c.Caveat : std::string(" watts");
    EXPECT_EQ(sentence.substr(sentence.size() - std::min(sentence.size(), ending.size())), ending) << sentence;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ResistorWords,
    testing::Values(
        ResistorCase{"Working", {"9", "3.1", "20", "", "0.00", "1"}, ""},
        ResistorCase{"NoHeadroom",
                     {"3.2", "3.2", "20", "", "0.00", "1"},
                     "no headroom is left for a resistor to set the current"},
        ResistorCase{"BelowZero",
                     {"3", "3.2", "20", "", "0.00", "1"},
                     "below 0: the LEDs need more than the battery gives, so no resistor can make this work"},
        ResistorCase{"SeriesBelowZero",
                     {"6", "3.2", "20", "", "0.00", "2"},
                     "below 0: the LEDs need more than the battery gives, so no resistor can make this work"},
        ResistorCase{"CurrentBelowZero",
                     {"3", "3.2", "", "10", "0.00", "1"},
                     "below 0: the LEDs need more than the battery gives, so no resistor can make this work"},
        ResistorCase{"ZeroCurrentGiven", {"3.2", "3.2", "", "10", "0.00", "1"}, ""}),
    [](const auto& info) { return std::string(info.param.Name); });

} // namespace
} // namespace lumora
