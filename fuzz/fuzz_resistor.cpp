// SPDX-License-Identifier: MIT
// The resistor calculator fed arbitrary field texts and either wiring.
//
// Input: seven texts separated by newlines: the wiring ("P" first for
// parallel, anything else for series), then the fields in record order:
// battery voltage, LED Vf, LED current, resistance, wattage, LED count.

#include "calc/field_text.h"
#include "calc/number_text.h"
#include "calc/resistor.h"
#include "fuzz_support.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace lumora;
using namespace lumora::fuzz;
using Q = ResistorQuantity;

constexpr std::array<Q, 4> Quantities = {Q::BatteryVoltage, Q::LedVf, Q::LedCurrent, Q::Resistance};
constexpr std::array<Q, 5> Inputs = {Q::BatteryVoltage, Q::LedVf, Q::LedCurrent, Q::Resistance, Q::LedCount};

bool SameOutcome(const ResistorOutcome& a, const ResistorOutcome& b)
{
    return a.Windows == b.Windows && a.Fields == b.Fields && a.Failure == b.Failure && a.Target == b.Target &&
           a.Culprit == b.Culprit;
}

std::optional<double> Value(const ResistorFields& fields, Q q) { return ReadNumber(FieldText(fields, q)); }

template <std::size_t N>
long Count(const ResistorFields& fields, const std::array<Q, N>& among, bool (*test)(std::string_view) noexcept)
{
    return static_cast<long>(
        std::count_if(among.begin(), among.end(), [&](Q q) { return test(FieldText(fields, q)); }));
}

// The windows the five checks must list, from the rules alone.
std::vector<ErrorWindow> ExpectedWindows(const ResistorFields& fields)
{
    std::vector<ErrorWindow> windows;
    const std::optional<double> count = Value(fields, Q::LedCount);
    if (IsBlank(fields.LedCount) || (count && *count < 1.0))
        windows.push_back(ErrorWindow::Form8);
    if (Count(fields, Inputs, IsLonePoint) > 0)
        windows.push_back(ErrorWindow::Form7);
    if (Count(fields, Inputs, IsBlank) >= 2)
        windows.push_back(ErrorWindow::Form3);
    if (Count(fields, Quantities, IsBlank) == 0)
        windows.push_back(ErrorWindow::Form2);
    return windows;
}

// For each quantity solved for, the inputs whose zero leaves a divisor zero.
std::vector<Q> ZeroDivisors(Q solved)
{
    switch (solved) {
    case Q::Resistance: return {Q::LedCurrent, Q::LedCount};
    case Q::LedCurrent: return {Q::Resistance, Q::LedCount};
    case Q::LedVf: return {Q::LedCount};
    default: return {};
    }
}

// A text the resistor calculator writes: a number to at most two decimals
// that reads back as the value it shows.
double CheckWritten(const std::string& text)
{
    FUZZ_CHECK(IsWrittenNumber(text));
    FUZZ_CHECK(Decimals(text) <= 2);
    const std::optional<double> shown = ReadNumber(text);
    FUZZ_CHECK(shown && std::isfinite(*shown));
    FUZZ_CHECK(DoubleText(*shown) == text);
    return *shown;
}

// How far a value written to two decimals and 15 significant digits can lie
// from the value computed.
long double Rounding(long double shown) { return 0.005L + 1e-14L * std::fabs(shown); }

// The solved field must satisfy the circuit, and the wattage must be the
// resistor's power from the texts as they stand:
//   series:   V = n * F + R * I / 1000,  P = R * (I / 1000)^2
//   parallel: V = F + R * n * I / 1000,  P = R * (n * I / 1000)^2
void CheckCircuit(const ResistorFields& after, Wiring wiring, Q solved)
{
    const long double V = *Value(after, Q::BatteryVoltage);
    const long double F = *Value(after, Q::LedVf);
    const long double I = *Value(after, Q::LedCurrent);
    const long double R = *Value(after, Q::Resistance);
    const long double n = *Value(after, Q::LedCount);
    if (!Moderate(V) || !Moderate(F) || !Moderate(I) || !Moderate(R) || !Moderate(n))
        return;
    const bool series = wiring == Wiring::Series;
    const long double ledDrop = series ? n * F : F;
    const long double resistorCurrent = (series ? I : n * I) / 1000.0L; // amperes
    const long double resistorDrop = R * resistorCurrent;
    long double slope = 1.0L; // how much the equation moves per unit of the solved quantity
    switch (solved) {
    case Q::BatteryVoltage: slope = 1.0L; break;
    case Q::LedVf: slope = series ? n : 1.0L; break;
    case Q::LedCurrent: slope = R * (series ? 1.0L : n) / 1000.0L; break;
    case Q::Resistance: slope = resistorCurrent; break;
    default: FUZZ_CHECK(false);
    }
    const long double shownSolved = *Value(after, solved);
    const long double tolerance = std::fabs(slope) * Rounding(shownSolved) +
                                  1e-12L * (std::fabs(V) + std::fabs(ledDrop) + std::fabs(resistorDrop));
    FUZZ_CHECK(std::fabs(V - (ledDrop + resistorDrop)) <= tolerance);

    const long double power = R * resistorCurrent * resistorCurrent;
    const long double shownPower = *Value(after, Q::Wattage);
    FUZZ_CHECK(std::fabs(shownPower - power) <= Rounding(shownPower) + 1e-12L * std::fabs(power));
}

void CheckSuccess(const ResistorFields& fields, Wiring wiring, const ResistorOutcome& outcome)
{
    const Q solved = *outcome.Target;
    ResistorFields expected = fields;
    FieldText(expected, solved) = FieldText(outcome.Fields, solved);
    expected.Wattage = outcome.Fields.Wattage;
    FUZZ_CHECK(outcome.Fields == expected);

    CheckWritten(FieldText(outcome.Fields, solved));
    const double power = CheckWritten(outcome.Fields.Wattage);
    for (Q q : Inputs) {
        const std::optional<double> value = Value(outcome.Fields, q);
        FUZZ_CHECK(value && std::isfinite(*value));
    }
    // The power has the sign of the resistance.
    const double resistance = *Value(outcome.Fields, Q::Resistance);
    FUZZ_CHECK(!(power > 0.0 && resistance < 0.0) && !(power < 0.0 && resistance > 0.0));
    CheckCircuit(outcome.Fields, wiring, solved);
}

void CheckFailure(const ResistorFields& fields, Q blank, const ResistorOutcome& outcome)
{
    FUZZ_CHECK(outcome.Failure != Failure::NoBlankField);
    if (outcome.Target == Q::Wattage) {
        // The power failed: the solved field keeps its new text, the wattage its old.
        ResistorFields expected = fields;
        FieldText(expected, blank) = FieldText(outcome.Fields, blank);
        FUZZ_CHECK(outcome.Fields == expected);
        CheckWritten(FieldText(outcome.Fields, blank));
    } else {
        FUZZ_CHECK(outcome.Target == blank);
        FUZZ_CHECK(outcome.Fields == fields);
    }
    // A zero divisor is blamed on an input whose zero makes it.
    if ((outcome.Failure == Failure::DivisionByZero || outcome.Failure == Failure::InvalidOperation) &&
        outcome.Target == blank) {
        for (Q q : ZeroDivisors(blank)) {
            const std::optional<double> value = Value(fields, q);
            if (value && *value == 0.0)
                FUZZ_CHECK(outcome.Culprit.has_value());
        }
    }
    if (!outcome.Culprit)
        return;
    const Q culprit = *outcome.Culprit;
    FUZZ_CHECK(culprit != Q::Wattage);
    const std::optional<double> value = Value(outcome.Fields, culprit);
    CheckCulpritValue(outcome.Failure, value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::string> texts = SplitTexts(data, size, 7);
    const Wiring wiring = !texts[0].empty() && texts[0].front() == 'P' ? Wiring::Parallel : Wiring::Series;
    const ResistorFields fields{texts[1], texts[2], texts[3], texts[4], texts[5], texts[6]};

    const ResistorOutcome outcome = CalculateResistor(fields, wiring);
    FUZZ_CHECK(SameOutcome(outcome, CalculateResistor(fields, wiring)));

    FUZZ_CHECK(outcome.Windows == CheckResistorFields(fields));
    FUZZ_CHECK(outcome.Windows == ExpectedWindows(fields));
    if (!outcome.Windows.empty()) {
        FUZZ_CHECK(outcome.Fields == fields);
        FUZZ_CHECK(outcome.Failure == Failure::None && !outcome.Target && !outcome.Culprit);
        return 0;
    }

    // Accepted: exactly one quantity is blank and the LED count is not.
    FUZZ_CHECK(Count(fields, Quantities, IsBlank) == 1 && !IsBlank(fields.LedCount));
    const Q blank =
        *std::find_if(Quantities.begin(), Quantities.end(), [&](Q q) { return IsBlank(FieldText(fields, q)); });
    FUZZ_CHECK(outcome.Target.has_value());
    FUZZ_CHECK(SameOutcome(outcome, SolveResistor(fields, wiring)));

    // With the other inputs finite numbers, solving for the resistance with
    // no current, or for the current with no resistance, always fails.
    bool finite = true;
    for (Q q : Inputs) {
        const std::optional<double> value = Value(fields, q);
        finite = finite && (q == blank || (value && std::isfinite(*value)));
    }
    if (finite && ((blank == Q::Resistance && *Value(fields, Q::LedCurrent) == 0.0) ||
                   (blank == Q::LedCurrent && *Value(fields, Q::Resistance) == 0.0)))
        FUZZ_CHECK(outcome.Failure != Failure::None);

    if (outcome.Failure == Failure::None) {
        FUZZ_CHECK(outcome.Target == blank);
        CheckSuccess(fields, wiring, outcome);
    } else {
        CheckFailure(fields, blank, outcome);
    }
    return 0;
}
