// SPDX-License-Identifier: MIT
// The runtime calculator fed arbitrary field texts.
//
// Input: eight texts separated by newlines, in record order: LED current, LED
// Vf, battery voltage, capacity, runtime, efficiency, days, clock.

#include "calc/calculators/runtime_calculator.h"
#include "calc/text/field_text.h"
#include "calc/text/number_text.h"
#include "fuzz_support.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace lumora;
using namespace lumora::fuzz;
using Q = RuntimeQuantity;

constexpr std::array<Q, 6> Inputs = {Q::LedCurrent, Q::LedVf,   Q::BatteryVoltage,
                                     Q::Capacity,   Q::Runtime, Q::Efficiency};

bool SameOutcome(const ConverterOutcome& a, const ConverterOutcome& b)
{
    return a.Windows == b.Windows && a.Fields == b.Fields && a.Failure == b.Failure && a.Target == b.Target &&
           a.Culprit == b.Culprit;
}

std::optional<double> Value(const ConverterFields& fields, Q q) { return ReadNumber(FieldText(fields, q)); }

// The windows the four checks must list, from the rules alone.
std::vector<ErrorWindow> ExpectedWindows(const ConverterFields& fields)
{
    std::vector<ErrorWindow> windows;
    // Blank and "." read as no number, so only a number can be above 100.
    const std::optional<double> efficiency = ReadNumber(fields.Efficiency);
    if (efficiency && *efficiency > 100.0)
        windows.push_back(ErrorWindow::Form6);
    const auto count = [&](bool (*test)(std::string_view) noexcept) {
        return std::count_if(Inputs.begin(), Inputs.end(), [&](Q q) { return test(FieldText(fields, q)); });
    };
    if (count(IsLonePoint) > 0)
        windows.push_back(ErrorWindow::Form7);
    if (count(IsBlank) == 0)
        windows.push_back(ErrorWindow::Form2);
    if (count(IsBlank) >= 2)
        windows.push_back(ErrorWindow::Form3);
    return windows;
}

using Values = std::array<long double, 6>; // the inputs in record order

// The six formulas as the runtime calculator is specified, evaluated step by
// step in long double: true when a step divides by zero. An oracle of its
// own, apart from how the calculator finds its culprits.
bool DividesByZero(Q target, const Values& x)
{
    const long double I = x[0], Vf = x[1], Vb = x[2], C = x[3], T = x[4], E = x[5];
    bool zero = false;
    const auto div = [&zero](long double a, long double b) {
        zero = zero || b == 0.0L;
        return b == 0.0L ? 0.0L : a / b;
    };
    const long double e = E / 100.0L;
    switch (target) {
    case Q::Runtime: div(C * Vb, div(I * Vf, e)); break;
    case Q::LedCurrent: div(C * Vb, div(T * Vf, e)); break;
    case Q::LedVf: div(C * Vb, div(I * T, e)); break;
    case Q::BatteryVoltage: (void)(div(T, C) * div(I * Vf, e)); break;
    case Q::Capacity: div(div(I * Vf, e), div(Vb, T)); break;
    case Q::Efficiency: div(1.0L, div(div(C * Vb, I * Vf), T)); break;
    }
    return zero;
}

// The inputs other than the target as numbers, when each is finite and of
// moderate size.
std::optional<Values> ModerateInputs(const ConverterFields& fields, Q target)
{
    Values x{};
    for (Q q : Inputs) {
        if (q == target)
            continue;
        const std::optional<double> value = Value(fields, q);
        if (!value || !std::isfinite(*value) || !Moderate(*value))
            return std::nullopt;
        x[static_cast<std::size_t>(q)] = *value;
    }
    return x;
}

// The solved value must balance battery energy through the converter against
// the LED's: C * Vb * E / 100 = I * Vf * T, up to the rounding to two decimals
// in single precision that the written text went through.
void CheckEnergyBalance(const ConverterFields& solved, Q target)
{
    std::array<long double, 6> x{};
    for (Q q : Inputs) {
        x[static_cast<std::size_t>(q)] = *Value(solved, q);
        if (!Moderate(x[static_cast<std::size_t>(q)]))
            return;
    }
    const long double I = x[0], Vf = x[1], Vb = x[2], C = x[3], T = x[4], E = x[5];
    const long double battery = C * Vb * E / 100.0L;
    const long double led = I * Vf * T;
    long double slope = 0.0L; // how much the balance moves per unit of the solved quantity
    switch (target) {
    case Q::LedCurrent: slope = Vf * T; break;
    case Q::LedVf: slope = I * T; break;
    case Q::BatteryVoltage: slope = C * E / 100.0L; break;
    case Q::Capacity: slope = Vb * E / 100.0L; break;
    case Q::Runtime: slope = I * Vf; break;
    case Q::Efficiency: slope = C * Vb / 100.0L; break;
    }
    const long double shown = x[static_cast<std::size_t>(target)];
    const long double rounding = 0.005L + 1e-6L * std::fabs(shown);
    const long double tolerance = std::fabs(slope) * rounding + 1e-12L * (std::fabs(battery) + std::fabs(led));
    FUZZ_CHECK(std::fabs(battery - led) <= tolerance);
}

// Days and clock must tell the runtime the display was made from, known to
// within `slack` hours, and to the nearest second: a clock that rounds up to
// midnight carries a day.
void CheckDisplay(const ConverterFields& after, double runtime, double slack)
{
    constexpr double HalfSecond = 0.5 / 3600.0;
    const long clock = ClockSeconds(after.Clock);
    FUZZ_CHECK(clock >= 0);
    FUZZ_CHECK(IsWrittenNumber(after.Days) && Decimals(after.Days) == 0 && after.Days.front() != '-');
    const double days = *ReadNumber(after.Days);
    if (runtime + slack + HalfSecond < 24.0)
        FUZZ_CHECK(after.Days == "0");
    // Seven significant digits keep the day count exact below ten million days.
    if (std::fabs(runtime) >= 24.0 * 1e7)
        return;
    if (runtime - slack >= 24.0) {
        FUZZ_CHECK(days >= 1.0);
        FUZZ_CHECK(days * 24.0 <= runtime + slack + HalfSecond && runtime - slack < (days + 1.0) * 24.0);
    }
    // The clock is the rest after whole days, to the nearest second; the rest
    // is held in single precision.
    const double rest = (runtime - 24.0 * days) * 3600.0;
    double gap = std::fmod(std::fabs(rest - static_cast<double>(clock)), 86400.0);
    gap = std::min(gap, 86400.0 - gap);
    FUZZ_CHECK(gap <= 0.51 + slack * 3600.0);
}

void CheckSuccess(const ConverterFields& pressed, const ConverterOutcome& outcome)
{
    const Q target = *outcome.Target;
    const std::string& written = FieldText(outcome.Fields, target);

    // Only the solved field and the display change.
    ConverterFields expected = pressed;
    FieldText(expected, target) = written;
    expected.Days = outcome.Fields.Days;
    expected.Clock = outcome.Fields.Clock;
    FUZZ_CHECK(outcome.Fields == expected);

    // The written text is a number in single precision, to at most two decimals.
    FUZZ_CHECK(IsWrittenNumber(written));
    FUZZ_CHECK(Decimals(written) <= 2);
    const std::optional<double> shown = ReadNumber(written);
    FUZZ_CHECK(shown && std::fabs(*shown) <= std::numeric_limits<float>::max());
    FUZZ_CHECK(SingleText(static_cast<float>(*shown)) == written);

    for (Q q : Inputs) {
        const std::optional<double> value = Value(outcome.Fields, q);
        FUZZ_CHECK(value && std::isfinite(*value));
    }
    CheckEnergyBalance(outcome.Fields, target);
    // A typed runtime is shown as read. A solved one is shown as held in
    // single precision, which its seven written digits tell only to within
    // a few parts in ten million.
    const double runtime = *Value(outcome.Fields, Q::Runtime);
    CheckDisplay(outcome.Fields, runtime, target == Q::Runtime ? 6e-7 * std::fabs(runtime) : 0.0);
}

void CheckFailure(const ConverterFields& pressed, const ConverterOutcome& outcome)
{
    FUZZ_CHECK(outcome.Fields == pressed);
    FUZZ_CHECK(outcome.Failure != Failure::NoBlankField);
    if (!outcome.Culprit)
        return;
    const Q culprit = *outcome.Culprit;
    FUZZ_CHECK(culprit != *outcome.Target);
    const std::optional<double> value = Value(pressed, culprit);
    CheckCulpritValue(outcome.Failure, value);
    // The zero blamed is one the formula divides by: with it 1, and no
    // other input 0, nothing divides by zero.
    std::optional<Values> x = ModerateInputs(pressed, *outcome.Target);
    if (x && (outcome.Failure == Failure::DivisionByZero || outcome.Failure == Failure::InvalidOperation)) {
        (*x)[static_cast<std::size_t>(culprit)] = 1.0L;
        const bool otherZero = std::any_of(Inputs.begin(), Inputs.end(), [&](Q q) {
            return q != *outcome.Target && (*x)[static_cast<std::size_t>(q)] == 0.0L;
        });
        FUZZ_CHECK(otherZero || !DividesByZero(*outcome.Target, *x));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::string> texts = SplitTexts(data, size, 8);
    const ConverterFields fields{texts[0], texts[1], texts[2], texts[3], texts[4], texts[5], texts[6], texts[7]};

    const ConverterOutcome outcome = CalculateConverter(fields);
    FUZZ_CHECK(SameOutcome(outcome, CalculateConverter(fields)));

    // Every press starts by setting the day count to "0".
    ConverterFields pressed = fields;
    pressed.Days = std::string("0"); // a moved string: GCC 12 warns falsely on assigning the literal here

    FUZZ_CHECK(outcome.Windows == CheckConverterFields(fields));
    FUZZ_CHECK(outcome.Windows == ExpectedWindows(fields));

    const auto blanks = std::count_if(Inputs.begin(), Inputs.end(), [&](Q q) { return IsBlank(FieldText(fields, q)); });
    if (!outcome.Windows.empty()) {
        FUZZ_CHECK(outcome.Fields == pressed);
        FUZZ_CHECK(outcome.Failure == Failure::None && !outcome.Target && !outcome.Culprit);
        return 0;
    }

    // Accepted: exactly one input is blank, and it is the one solved for.
    FUZZ_CHECK(blanks == 1);
    FUZZ_CHECK(outcome.Target && IsBlank(FieldText(fields, *outcome.Target)));
    FUZZ_CHECK(SameOutcome(outcome, SolveConverter(pressed)));

    // With every other input a number of moderate size, the solve stops on
    // a zero divisor exactly when its formula divides by zero, and blames
    // an input for it.
    const Q target = *outcome.Target;
    if (const std::optional<Values> x = ModerateInputs(fields, target)) {
        const bool stoppedOnZero =
            outcome.Failure == Failure::DivisionByZero || outcome.Failure == Failure::InvalidOperation;
        FUZZ_CHECK(stoppedOnZero == DividesByZero(target, *x));
        FUZZ_CHECK(!stoppedOnZero || outcome.Culprit.has_value());
    }

    if (outcome.Failure == Failure::None) {
        CheckSuccess(pressed, outcome);
        return 0;
    }
    CheckFailure(pressed, outcome);
    return 0;
}
