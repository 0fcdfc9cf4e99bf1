// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string_view>

namespace lumora {

// The rules every input field of both calculators follows. A field's whole
// state is its text; it is read as a number only when a calculation needs it.

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

} // namespace lumora
