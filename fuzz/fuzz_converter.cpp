// SPDX-License-Identifier: MIT
// The runtime calculator fed arbitrary field texts.
//
// Input: eight texts separated by newlines, in record order: LED current, LED
// Vf, battery voltage, capacity, runtime, efficiency, days, clock.

#include "calc/converter.h"
#include "calc/field_text.h"
#include "calc/number_text.h"
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
using Q = ConverterQuantity;

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

// For each quantity solved for, the inputs whose zero leaves a divisor zero.
std::vector<Q> ZeroDivisors(Q target)
{
    switch (target) {
    case Q::Runtime: return {Q::LedCurrent, Q::LedVf, Q::Efficiency};
    case Q::LedCurrent: return {Q::Runtime, Q::LedVf, Q::Efficiency};
    case Q::LedVf: return {Q::LedCurrent, Q::Runtime, Q::Efficiency};
    case Q::BatteryVoltage: return {Q::Capacity, Q::Efficiency};
    case Q::Capacity: return {Q::BatteryVoltage, Q::Runtime, Q::Efficiency};
    case Q::Efficiency: return {Q::LedCurrent, Q::LedVf, Q::Runtime, Q::Capacity, Q::BatteryVoltage};
    }
    return {};
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
// within `slack` hours.
void CheckDisplay(const ConverterFields& after, double runtime, double slack)
{
    const long clock = ClockSeconds(after.Clock);
    FUZZ_CHECK(clock >= 0);
    FUZZ_CHECK(IsWrittenNumber(after.Days) && Decimals(after.Days) == 0 && after.Days.front() != '-');
    const double days = *ReadNumber(after.Days);
    if (runtime + slack < 24.0)
        FUZZ_CHECK(after.Days == "0");
    // Seven significant digits keep the day count exact below ten million days.
    if (std::fabs(runtime) >= 24.0 * 1e7)
        return;
    if (runtime - slack >= 24.0) {
        FUZZ_CHECK(days >= 1.0);
        FUZZ_CHECK(days * 24.0 <= runtime + slack && runtime - slack < (days + 1.0) * 24.0);
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
    // A zero divisor is blamed on an input whose zero makes it.
    if (outcome.Failure == Failure::DivisionByZero || outcome.Failure == Failure::InvalidOperation) {
        for (Q q : ZeroDivisors(*outcome.Target)) {
            const std::optional<double> value = Value(pressed, q);
            if (value && *value == 0.0)
                FUZZ_CHECK(outcome.Culprit.has_value());
        }
    }
    if (!outcome.Culprit)
        return;
    const Q culprit = *outcome.Culprit;
    FUZZ_CHECK(culprit != *outcome.Target);
    const std::optional<double> value = Value(pressed, culprit);
    CheckCulpritValue(outcome.Failure, value);
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
    pressed.Days = "0";

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

    // With every other input a finite number, a zero that leaves a divisor
    // zero always stops the solve.
    const Q target = *outcome.Target;
    bool finite = true;
    bool zeroDivisor = false;
    for (Q q : Inputs) {
        if (q == target)
            continue;
        const std::optional<double> value = Value(fields, q);
        finite = finite && value && std::isfinite(*value);
        if (value && *value == 0.0) {
            const std::vector<Q> divisors = ZeroDivisors(target);
            zeroDivisor = zeroDivisor || std::find(divisors.begin(), divisors.end(), q) != divisors.end();
        }
    }
    if (finite && zeroDivisor)
        FUZZ_CHECK(outcome.Failure != Failure::None);

    if (outcome.Failure == Failure::None) {
        CheckSuccess(pressed, outcome);
        return 0;
    }
    CheckFailure(pressed, outcome);
    return 0;
}
