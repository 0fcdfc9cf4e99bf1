// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace lumora {

// The rules every input field of both calculators follows. A field's whole
// state is its text; it is read as a number only when a calculation needs it.

// What the key filter lets into a field: digits and at most one "."
// (Decimal), or digits only (Whole, the LED count).
enum class NumberKind { Decimal, Whole };

// The converter efficiency field takes at most this many characters.
constexpr std::size_t EfficiencyMaxLength = 5;

// A text that typing through the key filter can produce: blank, "." alone, or
// digits with at most one "." (Decimal); blank or digits only (Whole).
bool IsTypeableText(std::string_view text, NumberKind kind) noexcept;

// The empty text, and nothing else: a text of spaces is not blank.
bool IsBlank(std::string_view text) noexcept;

// Exactly ".", which both calculators refuse.
bool IsLonePoint(std::string_view text) noexcept;

// One optional leading "-" (so every text the calculators write reads back),
// then ASCII digits with at most one "." among them and at least one digit.
// "5." and ".5" are numbers; signs "+", exponents, spaces, separators are not.
bool IsNumberText(std::string_view text) noexcept;

// The double nearest to a number text, with "." as the decimal point in every
// locale. A magnitude beyond the double range reads as an infinity of its sign
// and one below the smallest subnormal as zero. Any other text gives nullopt.
std::optional<double> ReadNumber(std::string_view text) noexcept;

// A field's number, or 0 where the text holds none (a blank field, or one
// the calculator refused before it got here).
double NumberOrZero(std::string_view text) noexcept;

} // namespace lumora
