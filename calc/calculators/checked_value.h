// SPDX-License-Identifier: MIT
#pragma once

#include "calc/calculators/failure.h"

namespace lumora {

// A double that remembers the first arithmetic failure on its way.
// Each operator is one IEEE double operation; divisors are checked before
// dividing, so no operation ever produces an infinity or a NaN.
class CheckedValue {
  public:
    // A non-finite value counts as failed: infinity as overflow, NaN as invalid.
    CheckedValue(double value) noexcept; // NOLINT(google-explicit-constructor): formulas read naturally
    static CheckedValue Failed(Failure failure) noexcept;

    bool Ok() const noexcept { return m_failure == Failure::None; }
    Failure Fault() const noexcept { return m_failure; }
    // Meaningful only when Ok().
    double Value() const noexcept { return m_value; }

    friend CheckedValue operator+(CheckedValue a, CheckedValue b) noexcept;
    friend CheckedValue operator-(CheckedValue a, CheckedValue b) noexcept;
    friend CheckedValue operator*(CheckedValue a, CheckedValue b) noexcept;
    friend CheckedValue operator/(CheckedValue a, CheckedValue b) noexcept;

  private:
    CheckedValue(double value, Failure failure) noexcept : m_value(value), m_failure(failure) {}

    double m_value = 0.0;
    Failure m_failure = Failure::None;
};

} // namespace lumora
