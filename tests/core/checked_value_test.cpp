// SPDX-License-Identifier: MIT
#include "calc/calculators/checked_value.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace lumora {
namespace {

const double Max = std::numeric_limits<double>::max();

struct ArithmeticRow {
    const char* name;
    CheckedValue result;
    Failure failure;
    double value;
};

void PrintTo(const ArithmeticRow& row, std::ostream* os) { *os << row.name; }

class Arithmetic : public testing::TestWithParam<ArithmeticRow> {};

TEST_P(Arithmetic, StopsAtTheFirstFailure)
{
    const ArithmeticRow& row = GetParam();
    EXPECT_EQ(row.result.Fault(), row.failure);
    if (row.failure == Failure::None) {
        EXPECT_EQ(row.result.Value(), row.value);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Arithmetic,
    testing::Values(
        ArithmeticRow{"Divide", CheckedValue(1.0) / 4.0, Failure::None, 0.25},
        ArithmeticRow{"DivideByZero", CheckedValue(1.0) / 0.0, Failure::DivisionByZero, 0},
        ArithmeticRow{"DivideByNegativeZero", CheckedValue(-1.0) / -0.0, Failure::DivisionByZero, 0},
        ArithmeticRow{"ZeroOverZero", CheckedValue(0.0) / 0.0, Failure::InvalidOperation, 0},
        ArithmeticRow{"ProductOverflows", CheckedValue(Max) * 2.0, Failure::Overflow, 0},
        ArithmeticRow{"SumOverflows", CheckedValue(Max) + Max, Failure::Overflow, 0},
        ArithmeticRow{"DifferenceOverflows", CheckedValue(-Max) - Max, Failure::Overflow, 0},
        ArithmeticRow{"QuotientOverflows", CheckedValue(Max) / 0.5, Failure::Overflow, 0},
        ArithmeticRow{"UnderflowIsNoFailure", CheckedValue(1e-200) * 1e-200, Failure::None, 0.0},
        ArithmeticRow{"InfinityIsOverflow", CheckedValue(std::numeric_limits<double>::infinity()), Failure::Overflow,
                      0},
        ArithmeticRow{"NaNIsInvalid", CheckedValue(std::nan("")), Failure::InvalidOperation, 0},
        ArithmeticRow{"LeftFailureWins", (CheckedValue(1.0) / 0.0) + (CheckedValue(0.0) / 0.0), Failure::DivisionByZero,
                      0},
        ArithmeticRow{"RightFailurePropagates", CheckedValue(1.0) * (CheckedValue(Max) * Max), Failure::Overflow, 0},
        ArithmeticRow{"FailedDivisorIsNotZero", CheckedValue(0.0) / CheckedValue::Failed(Failure::UnreadableText),
                      Failure::UnreadableText, 0}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace lumora
