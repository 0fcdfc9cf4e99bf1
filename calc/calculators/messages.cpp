// SPDX-License-Identifier: MIT
#include "calc/calculators/messages.h"

#include "calc/calculators/quantities.h"

#include "calc/text/field_text.h"
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
    const std::string solved(RowOf(target).Phrase);
    if (failure == Failure::UnreadableText && culprit)
        return NotANumberSentence(RowOf(*culprit).Caption, culpritText) +
               " Please correct it and press Calculate again.";
    if (failure == Failure::Overflow && culprit)
        return std::string(RowOf(*culprit).Caption) + " holds a number too large to calculate with, so " + solved +
               " cannot be calculated.";
    if (failure == Failure::Overflow)
        return Capitalized(solved) + " would be too large to show, so it cannot be calculated.";
    if (culprit)
        return Capitalized(RowOf(*culprit).Phrase) + " is 0, so " + solved + " cannot be calculated.";
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

std::string NotANumberSentence(std::string_view caption, std::string_view text, NumberKind kind)
{
    return std::string(caption) + " holds \"" + Printable(text, 40) + "\", which is not a " +
           (kind == NumberKind::Whole ? "whole number." : "number.");
}

namespace {

// Whether the outcome solved a quantity: no window, no failure, a target.
template <typename Outcome> bool Solved(const Outcome& outcome)
{
    return outcome.Windows.empty() && outcome.Failure == Failure::None && outcome.Target;
}

// "Runtime 2.66 hours": the solved quantity, its text and its unit; empty
// when the outcome solved nothing.
template <typename Outcome> std::string SolvedSentence(const Outcome& outcome)
{
    if (!Solved(outcome))
        return {};
    std::string_view name = RowOf(*outcome.Target).Phrase;
    if (name.starts_with("the "))
        name.remove_prefix(4);
    return Capitalized(name) + " " + FieldText(outcome.Fields, *outcome.Target) + " " +
           std::string(RowOf(*outcome.Target).Spoken);
}

} // namespace

std::string SolvedCaveat(const ConverterOutcome& outcome)
{
    if (!Solved(outcome) || *outcome.Target != RuntimeQuantity::Runtime || NumberOrZero(outcome.Fields.Runtime) != 0.0)
        return {};
    const ConverterFields& f = outcome.Fields;
    if (NumberOrZero(f.BatteryVoltage) == 0.0)
        return "a battery of 0 V holds no energy";
    if (NumberOrZero(f.Capacity) == 0.0)
        return "a battery of 0 mAh holds no energy";
    return {};
}

std::string SolvedCaveat(const ResistorOutcome& outcome)
{
    if (!Solved(outcome))
        return {};
    const double value = NumberOrZero(FieldText(outcome.Fields, *outcome.Target));
    const bool resistance = *outcome.Target == ResistorQuantity::Resistance;
    if ((resistance || *outcome.Target == ResistorQuantity::LedCurrent) && value < 0.0)
        return "below 0: the LEDs need more than the battery gives, so no resistor can make this work";
    if (resistance && value == 0.0)
        return "no headroom is left for a resistor to set the current";
    return {};
}

std::string ResultSentence(const ConverterOutcome& outcome)
{
    std::string sentence = SolvedSentence(outcome);
    if (!sentence.empty() && *outcome.Target == RuntimeQuantity::Runtime)
        sentence += ": " + outcome.Fields.Days + " days, " + outcome.Fields.Clock;
    if (const std::string caveat = SolvedCaveat(outcome); !caveat.empty())
        sentence += "; " + caveat;
    return sentence;
}

std::string ResultSentence(const ResistorOutcome& outcome)
{
    std::string sentence = SolvedSentence(outcome);
    if (!sentence.empty())
        sentence += ", resistor power " + outcome.Fields.Wattage + " watts";
    if (const std::string caveat = SolvedCaveat(outcome); !caveat.empty())
        sentence += "; " + caveat;
    return sentence;
}

std::string FailureText(const ConverterOutcome& outcome) { return Describe(outcome); }

std::string FailureText(const ResistorOutcome& outcome) { return Describe(outcome); }

} // namespace lumora
