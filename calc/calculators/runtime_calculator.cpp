// SPDX-License-Identifier: MIT
#include "calc/calculators/runtime_calculator.h"

#include "calc/calculators/checked_value.h"
#include "calc/calculators/runtime_display.h"
#include "calc/text/field_text.h"
#include "calc/text/number_text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace lumora {

namespace {

using Q = RuntimeQuantity;

constexpr std::array<Q, 6> InputOrder = {Q::LedCurrent, Q::LedVf,   Q::BatteryVoltage,
                                         Q::Capacity,   Q::Runtime, Q::Efficiency};

// The order in which the blank field is looked for.
constexpr std::array<Q, 6> SolveOrder = {Q::Runtime,        Q::LedCurrent, Q::LedVf,
                                         Q::BatteryVoltage, Q::Capacity,   Q::Efficiency};

// For each quantity solved for, the inputs whose zero leaves a divisor zero.
std::vector<Q> ZeroDivisorInputs(Q target)
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

struct Inputs {
    std::array<CheckedValue, 6> values{0.0, 0.0, 0.0, 0.0, 0.0, 0.0};
    CheckedValue& operator[](Q q) { return values[static_cast<std::size_t>(q)]; }
};

// Each bracket is one double operation, evaluated exactly in this order.
CheckedValue Formula(Q target, Inputs& in)
{
    const CheckedValue I = in[Q::LedCurrent];
    const CheckedValue Vf = in[Q::LedVf];
    const CheckedValue Vb = in[Q::BatteryVoltage];
    const CheckedValue C = in[Q::Capacity];
    const CheckedValue T = in[Q::Runtime];
    if (target == Q::Efficiency)
        return (1.0 / (((C * Vb) / (I * Vf)) / T)) * 100.0; // a fraction turned into percent
    const CheckedValue e = in[Q::Efficiency] / 100.0;       // percent as a fraction
    switch (target) {
    case Q::Runtime: return (C * Vb) / ((I * Vf) / e);
    case Q::LedCurrent: return (C * Vb) / ((T * Vf) / e);
    case Q::LedVf: return (C * Vb) / ((I * T) / e);
    case Q::BatteryVoltage: return (T / C) * ((I * Vf) / e);
    case Q::Capacity: return ((I * Vf) / e) / (Vb / T);
    case Q::Efficiency: break;
    }
    return CheckedValue::Failed(Failure::InvalidOperation);
}

// To single precision, then to two decimals (halves to even), held in single
// precision again. A value beyond the single range fails as an overflow.
std::optional<float> RoundToSingleCents(double value)
{
    if (std::fabs(value) > std::numeric_limits<float>::max())
        return std::nullopt;
    const float single = static_cast<float>(value);
    const double cents = RoundHalfEven(static_cast<double>(single) * 100.0); // exact product
    return static_cast<float>(cents / 100.0);
}

ConverterOutcome FailedOutcome(const ConverterFields& fields, Q target, Failure failure, std::optional<Q> culprit)
{
    ConverterOutcome outcome;
    outcome.Fields = fields;
    outcome.Failure = failure;
    outcome.Target = target;
    outcome.Culprit = culprit;
    return outcome;
}

} // namespace

std::string& FieldText(ConverterFields& fields, RuntimeQuantity quantity)
{
    switch (quantity) {
    case Q::LedCurrent: return fields.LedCurrent;
    case Q::LedVf: return fields.LedVf;
    case Q::BatteryVoltage: return fields.BatteryVoltage;
    case Q::Capacity: return fields.Capacity;
    case Q::Runtime: return fields.Runtime;
    case Q::Efficiency: break;
    }
    return fields.Efficiency;
}

const std::string& FieldText(const ConverterFields& fields, RuntimeQuantity quantity)
{
    return FieldText(const_cast<ConverterFields&>(fields), quantity);
}

std::vector<ErrorWindow> CheckConverterFields(const ConverterFields& fields)
{
    std::vector<ErrorWindow> windows;
    const std::string& efficiency = fields.Efficiency;
    if (!IsBlank(efficiency) && !IsLonePoint(efficiency)) {
        // An efficiency too large for a double reads as infinity: above 100 too.
        const std::optional<double> value = ReadNumber(efficiency);
        if (value && *value > 100.0)
            windows.push_back(ErrorWindow::Form6);
    }
    const auto count = [&](bool (*test)(std::string_view) noexcept) {
        return std::count_if(InputOrder.begin(), InputOrder.end(), [&](Q q) { return test(FieldText(fields, q)); });
    };
    if (count(IsLonePoint) > 0)
        windows.push_back(ErrorWindow::Form7);
    const auto blanks = count(IsBlank);
    if (blanks == 0)
        windows.push_back(ErrorWindow::Form2);
    if (blanks >= 2)
        windows.push_back(ErrorWindow::Form3);
    return windows;
}

ConverterOutcome SolveConverter(const ConverterFields& fields)
{
    const auto blank =
        std::find_if(SolveOrder.begin(), SolveOrder.end(), [&](Q q) { return IsBlank(FieldText(fields, q)); });
    if (blank == SolveOrder.end()) {
        ConverterOutcome outcome;
        outcome.Fields = fields;
        outcome.Failure = Failure::NoBlankField;
        return outcome;
    }
    const Q target = *blank;

    Inputs in;
    for (Q q : InputOrder) {
        if (q == target)
            continue;
        const std::optional<double> value = ReadNumber(FieldText(fields, q));
        in[q] = value ? CheckedValue(*value) : CheckedValue::Failed(Failure::UnreadableText);
        if (!in[q].Ok())
            return FailedOutcome(fields, target, in[q].Fault(), q);
    }

    const CheckedValue result = Formula(target, in);
    if (!result.Ok()) {
        std::optional<Q> culprit;
        for (Q q : ZeroDivisorInputs(target)) {
            if (q != target && in[q].Value() == 0.0) {
                culprit = q;
                break;
            }
        }
        const bool zeroDivisor =
            result.Fault() == Failure::DivisionByZero || result.Fault() == Failure::InvalidOperation;
        return FailedOutcome(fields, target, result.Fault(), zeroDivisor ? culprit : std::nullopt);
    }
    const std::optional<float> rounded = RoundToSingleCents(result.Value());
    if (!rounded)
        return FailedOutcome(fields, target, Failure::Overflow, std::nullopt);

    ConverterOutcome outcome;
    outcome.Fields = fields;
    outcome.Target = target;
    // A solved runtime is displayed as rounded; a typed one with every decimal typed.
    const double runtime = target == Q::Runtime ? static_cast<double>(*rounded) : in[Q::Runtime].Value();
    FieldText(outcome.Fields, target) = SingleText(*rounded);
    const RuntimeDisplayText display = RuntimeDisplay(runtime);
    outcome.Fields.Clock = display.Clock;
    if (display.Days)
        outcome.Fields.Days = *display.Days;
    return outcome;
}

ConverterOutcome CalculateConverter(const ConverterFields& fields)
{
    ConverterFields pressed = fields;
    pressed.Days = std::string("0"); // a moved string: GCC 12 warns falsely on assigning the literal here
    std::vector<ErrorWindow> windows = CheckConverterFields(pressed);
    if (!windows.empty()) {
        ConverterOutcome outcome;
        outcome.Windows = std::move(windows);
        outcome.Fields = std::move(pressed);
        return outcome;
    }
    return SolveConverter(pressed);
}

} // namespace lumora
