// SPDX-License-Identifier: MIT
#include "calc/calculators/messages.h"

#include "calc/text/printable.h"

#include <algorithm>
#include <iterator>
#include <optional>

namespace lumora {

namespace {

std::string Capitalized(std::string_view text)
{
    std::string out(text);
    if (!out.empty() && out[0] >= 'a' && out[0] <= 'z')
        out[0] = static_cast<char>(out[0] - 'a' + 'A');
    return out;
}

// The sentence for one failure. 'culprit' and its text are set when one input
// is to blame.
template <typename Quantity>
std::string Sentence(Failure failure, Quantity target, std::optional<Quantity> culprit, std::string_view culpritText)
{
    const std::string solved(NameOf(target).Quantity);
    if (failure == Failure::UnreadableText && culprit)
        return NotANumberSentence(NameOf(*culprit).Caption, culpritText) +
               " Please correct it and press Calculate again.";
    if (failure == Failure::Overflow && culprit)
        return std::string(NameOf(*culprit).Caption) + " holds a number too large to calculate with, so " + solved +
               " cannot be calculated.";
    if (failure == Failure::Overflow)
        return Capitalized(solved) + " would be too large to show, so it cannot be calculated.";
    if (culprit)
        return Capitalized(NameOf(*culprit).Quantity) + " is 0, so " + solved + " cannot be calculated.";
    return "These values would divide by zero, so " + solved + " cannot be calculated.";
}

template <typename Outcome> std::string Describe(const Outcome& outcome)
{
    if (outcome.Failure == Failure::None || !outcome.Target)
        return {};
    const std::string_view culpritText =
        outcome.Culprit ? std::string_view(FieldText(outcome.Fields, *outcome.Culprit)) : std::string_view();
    return Sentence(outcome.Failure, *outcome.Target, outcome.Culprit, culpritText);
}

} // namespace

std::string_view ErrorMessage(ErrorWindow window)
{
    switch (window) {
    case ErrorWindow::Form2: return "You must leave one of the data fields blank.";
    case ErrorWindow::Form3: return "Only one data field may be blank.";
    case ErrorWindow::Form6: return "Efficiency must be between 0 and 100%";
    case ErrorWindow::Form7: return "\".\" may not be entered as a value.";
    case ErrorWindow::Form8: break;
    }
    return "Number of LED's must be 1 or greater.";
}

FieldName NameOf(ConverterQuantity quantity)
{
    using Q = ConverterQuantity;
    switch (quantity) {
    case Q::LedCurrent: return {"Desired LED Current", "the LED current"};
    case Q::LedVf: return {"LED Vf Voltage", "the LED Vf voltage"};
    case Q::BatteryVoltage: return {"Battery Input Voltage", "the battery input voltage"};
    case Q::Capacity: return {"Battery mAh Capacity", "the battery capacity"};
    case Q::Runtime: return {"Runtime in Hours", "the runtime"};
    case Q::Efficiency: break;
    }
    return {"Converter Efficiency", "the converter efficiency"};
}

FieldName NameOf(ResistorQuantity quantity)
{
    using Q = ResistorQuantity;
    switch (quantity) {
    case Q::BatteryVoltage: return {"Battery Input Voltage", "the battery input voltage"};
    case Q::LedVf: return {"LED VF Voltage", "the LED VF voltage"};
    case Q::LedCurrent: return {"Desired LED Current", "the LED current"};
    case Q::Resistance: return {"Resistance in Ohms", "the resistance"};
    case Q::Wattage: return {"Resistor Wattage", "the resistor wattage"};
    case Q::LedCount: break;
    }
    return {"# of LEDs", "the number of LEDs"};
}

std::string NotANumberSentence(std::string_view caption, std::string_view text, NumberKind kind)
{
    return std::string(caption) + " holds \"" + Printable(text, 40) + "\", which is not a " +
           (kind == NumberKind::Whole ? "whole number." : "number.");
}

namespace {

const char* UnitOf(ConverterQuantity quantity)
{
    using Q = ConverterQuantity;
    switch (quantity) {
    case Q::LedCurrent: return "milliamps";
    case Q::LedVf:
    case Q::BatteryVoltage: return "volts";
    case Q::Capacity: return "milliamp hours";
    case Q::Runtime: return "hours";
    case Q::Efficiency: return "percent";
    }
    return "";
}

const char* UnitOf(ResistorQuantity quantity)
{
    using Q = ResistorQuantity;
    switch (quantity) {
    case Q::LedCurrent: return "milliamps";
    case Q::Resistance: return "ohms";
    case Q::BatteryVoltage:
    case Q::LedVf: return "volts";
    case Q::Wattage:
    case Q::LedCount: break; // never solved for
    }
    return "";
}

// "Runtime 2.66 hours": the solved quantity, its text and its unit; empty
// when the outcome solved nothing.
template <typename Outcome> std::string SolvedSentence(const Outcome& outcome)
{
    if (!outcome.Windows.empty() || outcome.Failure != Failure::None || !outcome.Target)
        return {};
    std::string_view name = NameOf(*outcome.Target).Quantity;
    if (name.starts_with("the "))
        name.remove_prefix(4);
    return Capitalized(name) + " " + FieldText(outcome.Fields, *outcome.Target) + " " + UnitOf(*outcome.Target);
}

} // namespace

std::string ResultSentence(const ConverterOutcome& outcome)
{
    std::string sentence = SolvedSentence(outcome);
    if (!sentence.empty() && *outcome.Target == ConverterQuantity::Runtime)
        sentence += ": " + outcome.Fields.Days + " days, " + outcome.Fields.Clock;
    return sentence;
}

std::string ResultSentence(const ResistorOutcome& outcome)
{
    std::string sentence = SolvedSentence(outcome);
    if (!sentence.empty())
        sentence += ", resistor power " + outcome.Fields.Wattage + " watts";
    return sentence;
}

std::string FailureText(const ConverterOutcome& outcome) { return Describe(outcome); }

std::string FailureText(const ResistorOutcome& outcome) { return Describe(outcome); }

} // namespace lumora
