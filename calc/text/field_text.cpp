// SPDX-License-Identifier: MIT
#include "calc/text/field_text.h"

#include <fast_float/fast_float.h>

#include <system_error>

namespace lumora {

namespace {

bool IsAsciiDigit(char c) noexcept { return c >= '0' && c <= '9'; }

} // namespace

bool IsBlank(std::string_view text) noexcept { return text.empty(); }

bool IsLonePoint(std::string_view text) noexcept { return text == "."; }

bool IsTypeableText(std::string_view text, NumberKind kind) noexcept
{
    bool point = false;
    for (char c : text) {
        if (c == '.' && kind == NumberKind::Decimal && !point)
            point = true;
        else if (!IsAsciiDigit(c))
            return false;
    }
    return true;
}

bool IsNumberText(std::string_view text) noexcept
{
    if (!text.empty() && text.front() == '-')
        text.remove_prefix(1);
    bool digit = false;
    bool point = false;
    for (char c : text) {
        if (IsAsciiDigit(c)) {
            digit = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digit;
}

std::optional<double> ReadNumber(std::string_view text) noexcept
{
    if (!IsNumberText(text))
        return std::nullopt;
    // fast_float reads a text of digits and one point exactly, whatever the
    // locale; beyond the double range it gives an infinity of the text's sign,
    // below the smallest subnormal a zero of that sign. Whatever format it is
    // asked for, it also takes "inf" and "nan", which IsNumberText keeps out.
    double value = 0.0;
    const char* last = text.data() + text.size();
    const auto [end, error] = fast_float::from_chars(text.data(), last, value, fast_float::chars_format::fixed);
    if (error != std::errc() || end != last)
        return std::nullopt;
    return value;
}

double NumberOrZero(std::string_view text) noexcept { return ReadNumber(text).value_or(0.0); }

} // namespace lumora
