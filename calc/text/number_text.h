// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace lumora {

// Rounds to the nearest whole number, a value exactly half-way going to the
// even neighbour (2.5 -> 2, 3.5 -> 4), whatever the FPU's rounding mode.
double RoundHalfEven(double value) noexcept;

// A value in plain decimal notation, rounded to nearest to the given number
// of significant digits (1 to 17), trailing zeros and a bare point dropped,
// "0" before the point below 1, "-" before negative values. Large values are
// written as plain digits ("12345680"), never in exponent form; a value that
// rounds to zero is "0", never "-0". Neither calculator writes an infinity or
// NaN; they would come out as "inf" and "nan".
std::string DecimalText(double value, int significantDigits);

// The fewest characters that read back as the same double: plain decimal
// ("0.25", "100") or printf's exponent form ("1e-05", "1.5e+21"), whichever is
// shorter, plain on a tie; a whole number in plain form exact to the last
// digit; "-0" for negative zero, "inf" and "nan" as above.
std::string ShortestText(double value);

// The text the runtime calculator writes: a single-precision value with at
// most 7 significant digits.
std::string SingleText(float value);

// The text the resistor calculator writes: up to 15 significant digits.
std::string DoubleText(double value);

// A value rounded to so many decimals, halves to even, written as DoubleText
// writes it ("2.5" for 2.5 at two decimals).
std::string RoundedText(double value, int decimals);

// A whole number of steps of 10^-decimals, written as DoubleText writes the
// quotient (12345 steps at two decimals: "123.45"), quickly where the steps
// are below 10^15.
std::string StepsText(double steps, int decimals);

} // namespace lumora
