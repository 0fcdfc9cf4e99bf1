// SPDX-License-Identifier: MIT
#include "calc/field_text.h"

#include <charconv>
#include <limits>
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
    double value = 0.0;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(first, last, value, std::chars_format::fixed);
    if (error == std::errc() && end == last)
        return value;
    if (error != std::errc::result_out_of_range)
        return std::nullopt;

    // Out of range: huge when a non-zero digit stands before the point, tiny otherwise.
    const bool negative = text.front() == '-';
    bool huge = false;
    for (char c : text) {
        if (c == '.')
            break;
        if (c >= '1' && c <= '9')
            huge = true;
    }
    if (huge) {
        const double infinity = std::numeric_limits<double>::infinity();
        return negative ? -infinity : infinity;
    }
    return negative ? -0.0 : 0.0;
}

} // namespace lumora
