// SPDX-License-Identifier: MIT
#include "calc/calculators/resistor_calculator.h"

#include "calc/calculators/checked_value.h"
#include "calc/text/field_text.h"
#include "calc/text/number_text.h"

#include <algorithm>
#include <array>

namespace lumora {

namespace {

using Q = ResistorQuantity;

constexpr double MilliampsPerAmp = 1000.0;
constexpr double MilliampsPerAmpSquared = 1000000.0;

// The five fields the user types into, in record order.
constexpr std::array<Q, 5> InputFields = {Q::BatteryVoltage, Q::LedVf, Q::LedCurrent, Q::Resistance, Q::LedCount};

// The order in which the blank quantity is looked for.
constexpr std::array<Q, 4> SolveOrder = {Q::Resistance, Q::LedCurrent, Q::LedVf, Q::BatteryVoltage};

struct Values {
    CheckedValue V = 0.0, F = 0.0, I = 0.0, R = 0.0, n = 0.0;
};

// Each bracket is one double operation, evaluated exactly in this order; the
// two constants always enter as divisions.
CheckedValue Formula(Q target, Wiring wiring, const Values& x)
{
    const bool series = wiring == Wiring::Series;
    switch (target) {
    case Q::Resistance:
        return series ? (x.V - x.F * x.n) / (x.I / MilliampsPerAmp) : (x.V - x.F) / ((x.I * x.n) / MilliampsPerAmp);
    case Q::LedCurrent:
        return series ? ((x.V - x.F * x.n) / x.R) * MilliampsPerAmp : (((x.V - x.F) / x.R) / x.n) * MilliampsPerAmp;
    case Q::LedVf:
        return series ? (x.V - x.R * (x.I / MilliampsPerAmp)) / x.n : x.V - x.R * (x.n * (x.I / MilliampsPerAmp));
    case Q::BatteryVoltage:
        return series ? x.F * x.n + x.R * (x.I / MilliampsPerAmp) : x.F + x.R * ((x.I * x.n) / MilliampsPerAmp);
    case Q::Wattage:
    case Q::LedCount: break; // never solved for
    }
    return CheckedValue::Failed(Failure::InvalidOperation);
}

CheckedValue Power(Wiring wiring, const Values& x)
{
    if (wiring == Wiring::Series)
        return (x.R * (x.I * x.I)) / MilliampsPerAmpSquared;
    return ((x.R * x.n) * (x.n * (x.I * x.I))) / MilliampsPerAmpSquared;
}

// For each quantity solved for, the inputs whose zero leaves a divisor zero.
std::vector<Q> ZeroDivisorInputs(Q target)
{
    switch (target) {
    case Q::Resistance: return {Q::LedCurrent, Q::LedCount};
    case Q::LedCurrent: return {Q::Resistance, Q::LedCount};
    case Q::LedVf: return {Q::LedCount};
    case Q::BatteryVoltage:
    case Q::Wattage:
    case Q::LedCount: break;
    }
    return {};
}

CheckedValue& Slot(Values& x, Q q)
{
    switch (q) {
    case Q::BatteryVoltage: return x.V;
    case Q::LedVf: return x.F;
    case Q::LedCurrent: return x.I;
    case Q::Resistance: return x.R;
    case Q::Wattage: // the power is written, never read
    case Q::LedCount: break;
    }
    return x.n;
}

CheckedValue Read(const ResistorFields& fields, Q q)
{
    const std::optional<double> value = ReadNumber(FieldText(fields, q));
    return value ? CheckedValue(*value) : CheckedValue::Failed(Failure::UnreadableText);
}

// Two decimals, halves to even, in double precision.
CheckedValue RoundToCents(CheckedValue value)
{
    const CheckedValue cents = value * 100.0;
    if (!cents.Ok())
        return cents;
    return CheckedValue(RoundHalfEven(cents.Value())) / 100.0;
}

} // namespace

std::string& FieldText(ResistorFields& fields, ResistorQuantity quantity)
{
    switch (quantity) {
    case Q::BatteryVoltage: return fields.BatteryVoltage;
    case Q::LedVf: return fields.LedVf;
    case Q::LedCurrent: return fields.LedCurrent;
    case Q::Resistance: return fields.Resistance;
    case Q::Wattage: return fields.Wattage;
    case Q::LedCount: break;
    }
    return fields.LedCount;
}

const std::string& FieldText(const ResistorFields& fields, ResistorQuantity quantity)
{
    return FieldText(const_cast<ResistorFields&>(fields), quantity);
}

std::vector<ErrorWindow> CheckResistorFields(const ResistorFields& fields)
{
    std::vector<ErrorWindow> windows;
    if (IsBlank(fields.LedCount)) {
        windows.push_back(ErrorWindow::Form8);
    } else {
        // A count too large for a double reads as an infinity of its sign.
        const std::optional<double> count = ReadNumber(fields.LedCount);
        if (count && *count < 1.0)
            windows.push_back(ErrorWindow::Form8);
    }
    const auto count = [&](bool (*test)(std::string_view) noexcept) {
        return std::count_if(InputFields.begin(), InputFields.end(), [&](Q q) { return test(FieldText(fields, q)); });
    };
    if (count(IsLonePoint) > 0)
        windows.push_back(ErrorWindow::Form7);
    if (count(IsBlank) >= 2)
        windows.push_back(ErrorWindow::Form3);
    if (std::none_of(SolveOrder.begin(), SolveOrder.end(), [&](Q q) { return IsBlank(FieldText(fields, q)); }))
        windows.push_back(ErrorWindow::Form2);
    return windows;
}

ResistorOutcome SolveResistor(const ResistorFields& fields, Wiring wiring)
{
    ResistorOutcome outcome;
    outcome.Fields = fields;
    const auto blank =
        std::find_if(SolveOrder.begin(), SolveOrder.end(), [&](Q q) { return IsBlank(FieldText(fields, q)); });
    if (blank == SolveOrder.end()) {
        outcome.Failure = Failure::NoBlankField;
        return outcome;
    }
    outcome.Target = *blank;
    const auto fail = [&](Failure failure, std::optional<Q> culprit) {
        outcome.Failure = failure;
        outcome.Culprit = culprit;
        return outcome;
    };

    Values x;
    for (Q q : {Q::LedCount, Q::BatteryVoltage, Q::LedVf, Q::LedCurrent, Q::Resistance}) {
        if (q == *blank)
            continue;
        Slot(x, q) = Read(fields, q);
        if (!Slot(x, q).Ok())
            return fail(Slot(x, q).Fault(), q);
    }

    const CheckedValue solved = RoundToCents(Formula(*blank, wiring, x));
    if (!solved.Ok()) {
        std::optional<Q> culprit;
        if (solved.Fault() == Failure::DivisionByZero || solved.Fault() == Failure::InvalidOperation) {
            const std::vector<Q> suspects = ZeroDivisorInputs(*blank);
            const auto zero =
                std::find_if(suspects.begin(), suspects.end(), [&](Q q) { return Slot(x, q).Value() == 0.0; });
            if (zero != suspects.end())
                culprit = *zero;
        }
        return fail(solved.Fault(), culprit);
    }
    FieldText(outcome.Fields, *blank) = DoubleText(solved.Value());

    // The power uses current and resistance as their fields now read, so a
    // freshly solved one enters with its rounded text.
    outcome.Target = Q::Wattage;
    for (Q q : {Q::LedCurrent, Q::Resistance}) {
        Slot(x, q) = Read(outcome.Fields, q);
        if (!Slot(x, q).Ok())
            return fail(Slot(x, q).Fault(), q);
    }
    const CheckedValue power = RoundToCents(Power(wiring, x));
    if (!power.Ok())
        return fail(power.Fault(), std::nullopt);
    outcome.Fields.Wattage = DoubleText(power.Value());
    outcome.Target = *blank;
    return outcome;
}

ResistorOutcome CalculateResistor(const ResistorFields& fields, Wiring wiring)
{
    std::vector<ErrorWindow> windows = CheckResistorFields(fields);
    if (!windows.empty()) {
        ResistorOutcome outcome;
        outcome.Windows = std::move(windows);
        outcome.Fields = fields;
        return outcome;
    }
    return SolveResistor(fields, wiring);
}

} // namespace lumora
