// SPDX-License-Identifier: MIT
#include "calc/calculators/checked_value.h"

#include <cmath>

namespace lumora {

namespace {

// The first failure of the two operands, if any; otherwise the result of op.
template <typename Op> CheckedValue Combine(CheckedValue a, CheckedValue b, Op op) noexcept
{
    if (!a.Ok())
        return a;
    if (!b.Ok())
        return b;
    return op(a.Value(), b.Value());
}

} // namespace

CheckedValue::CheckedValue(double value) noexcept : m_value(value)
{
    if (std::isnan(value))
        m_failure = Failure::InvalidOperation;
    else if (std::isinf(value))
        m_failure = Failure::Overflow;
}

CheckedValue CheckedValue::Failed(Failure failure) noexcept { return CheckedValue(0.0, failure); }

CheckedValue operator+(CheckedValue a, CheckedValue b) noexcept
{
    return Combine(a, b, [](double x, double y) { return CheckedValue(x + y); });
}

CheckedValue operator-(CheckedValue a, CheckedValue b) noexcept
{
    return Combine(a, b, [](double x, double y) { return CheckedValue(x - y); });
}

CheckedValue operator*(CheckedValue a, CheckedValue b) noexcept
{
    return Combine(a, b, [](double x, double y) { return CheckedValue(x * y); });
}

CheckedValue operator/(CheckedValue a, CheckedValue b) noexcept
{
    return Combine(a, b, [](double x, double y) {
        if (y == 0.0)
            return CheckedValue::Failed(x == 0.0 ? Failure::InvalidOperation : Failure::DivisionByZero);
        return CheckedValue(x / y);
    });
}

} // namespace lumora
