// SPDX-License-Identifier: MIT
#include "ui/main/failure_text.h"

namespace lumora::ui {

namespace {

// How a quantity is named in a sentence, and the caption of its field.
struct Naming {
    QString quantity;
    QString caption;
};

Naming Name(ConverterQuantity q)
{
    switch (q) {
    case ConverterQuantity::LedCurrent: return {"the LED current", "Desired LED Current"};
    case ConverterQuantity::LedVf: return {"the LED Vf voltage", "LED Vf Voltage"};
    case ConverterQuantity::BatteryVoltage: return {"the battery input voltage", "Battery Input Voltage"};
    case ConverterQuantity::Capacity: return {"the battery capacity", "Battery mAh Capacity"};
    case ConverterQuantity::Runtime: return {"the runtime", "Runtime in Hours"};
    case ConverterQuantity::Efficiency: break;
    }
    return {"the converter efficiency", "Converter Efficiency"};
}

Naming Name(ResistorQuantity q)
{
    switch (q) {
    case ResistorQuantity::BatteryVoltage: return {"the battery input voltage", "Battery Input Voltage"};
    case ResistorQuantity::LedVf: return {"the LED VF voltage", "LED VF Voltage"};
    case ResistorQuantity::LedCurrent: return {"the LED current", "Desired LED Current"};
    case ResistorQuantity::Resistance: return {"the resistance", "Resistance in Ohms"};
    case ResistorQuantity::Wattage: return {"the resistor wattage", "Resistor Wattage"};
    case ResistorQuantity::LedCount: break;
    }
    return {"the number of LEDs", "# of LEDs"};
}

QString Capitalized(QString text)
{
    if (!text.isEmpty())
        text[0] = text[0].toUpper();
    return text;
}

// A pasted text as it can be shown in a sentence: control characters made
// visible and very long texts shortened.
QString Shown(const std::string& text)
{
    constexpr int Longest = 40;
    QString shown;
    for (QChar c : QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))) {
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
            shown += QChar(0xFFFD);
        else
            shown += c;
    }
    if (shown.size() > Longest)
        shown = shown.left(Longest) + QChar(0x2026);
    return shown;
}

// The sentence for one failure. 'culprit' and its text are set when one input
// is to blame.
template <typename Quantity>
QString Sentence(Failure failure, Quantity target, std::optional<Quantity> culprit, const std::string& culpritText)
{
    const Naming solved = Name(target);
    if (failure == Failure::UnreadableText && culprit) {
        return QStringLiteral("%1 holds \"%2\", which is not a number. Please correct it and press Calculate again.")
            .arg(Name(*culprit).caption, Shown(culpritText));
    }
    if (failure == Failure::Overflow && culprit) {
        return QStringLiteral("%1 holds a number too large to calculate with, so %2 cannot be calculated.")
            .arg(Name(*culprit).caption, solved.quantity);
    }
    if (failure == Failure::Overflow)
        return QStringLiteral("%1 would be too large to show, so it cannot be calculated.")
            .arg(Capitalized(solved.quantity));
    if (culprit) {
        return QStringLiteral("%1 is 0, so %2 cannot be calculated.")
            .arg(Capitalized(Name(*culprit).quantity), solved.quantity);
    }
    return QStringLiteral("These values would divide by zero, so %1 cannot be calculated.").arg(solved.quantity);
}

// The sentence for either calculator's outcome, or nothing when it carries no failure.
template <typename Outcome> QString Describe(const Outcome& outcome)
{
    if (outcome.Failure == Failure::None || !outcome.Target)
        return {};
    const std::string culpritText = outcome.Culprit ? FieldText(outcome.Fields, *outcome.Culprit) : std::string();
    return Sentence(outcome.Failure, *outcome.Target, outcome.Culprit, culpritText);
}

} // namespace

QString FailureText(const ConverterOutcome& outcome) { return Describe(outcome); }

QString FailureText(const ResistorOutcome& outcome) { return Describe(outcome); }

} // namespace lumora::ui
