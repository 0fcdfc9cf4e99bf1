// SPDX-License-Identifier: MIT
#include "calc/messages.h"

#include <algorithm>
#include <iterator>
#include <optional>

namespace lumora {

namespace {

// Code points that would act instead of showing: the control characters (Cc)
// and the invisible format characters (Cf) of Unicode 15.
bool IsInvisible(char32_t c)
{
    struct Range {
        char32_t first, last;
    };
    static constexpr Range Ranges[] = {
        {0x0000, 0x001F},   {0x007F, 0x009F},   {0x00AD, 0x00AD},   {0x0600, 0x0605},   {0x061C, 0x061C},
        {0x06DD, 0x06DD},   {0x070F, 0x070F},   {0x0890, 0x0891},   {0x08E2, 0x08E2},   {0x180E, 0x180E},
        {0x200B, 0x200F},   {0x202A, 0x202E},   {0x2060, 0x2064},   {0x2066, 0x206F},   {0xFEFF, 0xFEFF},
        {0xFFF9, 0xFFFB},   {0x110BD, 0x110BD}, {0x110CD, 0x110CD}, {0x13430, 0x1343F}, {0x1BCA0, 0x1BCA3},
        {0x1D173, 0x1D17A}, {0xE0001, 0xE0001}, {0xE0020, 0xE007F},
    };
    return std::any_of(std::begin(Ranges), std::end(Ranges),
                       [c](const Range& r) { return c >= r.first && c <= r.last; });
}

constexpr char32_t Replacement = 0xFFFD;

// The next code point of a UTF-8 text, or U+FFFD for a byte that starts no
// valid sequence (that byte alone is consumed).
char32_t NextCodePoint(std::string_view text, std::size_t& at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    int length = 0;
    char32_t c = 0;
    char32_t least = 0;
    if (lead < 0x80) {
        ++at;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, c = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, c = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, c = lead & 0x07, least = 0x10000;
    } else {
        ++at;
        return Replacement;
    }
    if (at + length > text.size()) {
        ++at;
        return Replacement;
    }
    for (int i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) {
            ++at;
            return Replacement;
        }
        c = (c << 6) | (byte(at + i) & 0x3F);
    }
    if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++at;
        return Replacement;
    }
    at += length;
    return c;
}

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

std::string Printable(std::string_view text, std::size_t longest)
{
    std::string shown;
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); ++count) {
        const char32_t c = NextCodePoint(text, at);
        if (count == longest) {
            AppendUtf8(shown, 0x2026); // "…"
            break;
        }
        AppendUtf8(shown, IsInvisible(c) ? Replacement : c);
    }
    return shown;
}

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
