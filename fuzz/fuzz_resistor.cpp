// SPDX-License-Identifier: MIT
// The resistor calculator fed arbitrary field texts and either wiring.
//
// Input: seven texts separated by newlines: the wiring ("P" first for
// parallel, anything else for series), then the fields in record order:
// battery voltage, LED Vf, LED current, resistance, wattage, LED count.

#include "calc/calculators/resistor_calculator.h"
#include "calc/text/field_text.h"
#include "calc/text/number_text.h"
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

// The inputs V, F, I, R, n.
struct Values {
    long double V = 0, F = 0, I = 0, R = 0, n = 0;
};

// The eight formulas as the resistor calculator is specified, evaluated step
// by step in long double: true when a step divides by zero. An oracle of its
// own, apart from how the calculator finds its culprits.
bool DividesByZero(Q solved, Wiring wiring, const Values& x)
{
    bool zero = false;
    const auto div = [&zero](long double a, long double b) {
        zero = zero || b == 0.0L;
        return b == 0.0L ? 0.0L : a / b;
    };
    const bool series = wiring == Wiring::Series;
    switch (solved) {
    case Q::Resistance: series ? div(x.V - x.F * x.n, x.I / 1000.0L) : div(x.V - x.F, (x.I * x.n) / 1000.0L); break;
    case Q::LedCurrent: series ? div(x.V - x.F * x.n, x.R) : div(div(x.V - x.F, x.R), x.n); break;
    case Q::LedVf:
        if (series)
            div(x.V - x.R * (x.I / 1000.0L), x.n);
        break;
    default: break; // the battery voltage divides by no input
    }
    return zero;
}

// The inputs other than the blank one as numbers, when each is finite and
// of moderate size.
std::optional<Values> ModerateInputs(const ResistorFields& fields, Q blank)
{
    Values x;
    const std::pair<Q, long double Values::*> slots[] = {{Q::BatteryVoltage, &Values::V},
                                                         {Q::LedVf, &Values::F},
                                                         {Q::LedCurrent, &Values::I},
                                                         {Q::Resistance, &Values::R},
                                                         {Q::LedCount, &Values::n}};
    for (const auto& [q, slot] : slots) {
        if (q == blank)
            continue;
        const std::optional<double> value = Value(fields, q);
        if (!value || !std::isfinite(*value) || !Moderate(*value))
            return std::nullopt;
        x.*slot = *value;
    }
    return x;
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

    // With the other inputs numbers of moderate size, solving stops on a
    // zero divisor exactly when the formula divides by zero, and blames an
    // input for it.
    if (const std::optional<Values> x = ModerateInputs(fields, blank)) {
        const bool stoppedOnZero = outcome.Target == blank && (outcome.Failure == Failure::DivisionByZero ||
                                                               outcome.Failure == Failure::InvalidOperation);
        FUZZ_CHECK(stoppedOnZero == DividesByZero(blank, wiring, *x));
        FUZZ_CHECK(!stoppedOnZero || outcome.Culprit.has_value());
    }

    if (outcome.Failure == Failure::None) {
        FUZZ_CHECK(outcome.Target == blank);
        CheckSuccess(fields, wiring, outcome);
    } else {
        CheckFailure(fields, blank, outcome);
    }
    return 0;
}
