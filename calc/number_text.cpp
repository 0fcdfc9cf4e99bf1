// SPDX-License-Identifier: MIT
#include "calc/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>

namespace lumora {

namespace {

// Turns the scientific text of to_chars ("-1.234500e+07") into plain decimal
// notation without trailing fraction zeros.
std::string PlainDecimal(std::string_view scientific)
{
    const bool negative = scientific.front() == '-';
    if (negative)
        scientific.remove_prefix(1);
    const std::size_t e = scientific.find('e');
    std::string digits;
    for (char c : scientific.substr(0, e)) {
        if (c != '.')
            digits += c;
    }
    int exponent = 0;
    std::string_view exponentText = scientific.substr(e + 1);
    if (exponentText.front() == '+')
        exponentText.remove_prefix(1);
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);

    // digits = d1 d2 d3 ..., value = 0.d1d2d3... * 10^(exponent + 1)
    const int pointAt = exponent + 1;
    std::string whole;
    std::string fraction;
    if (pointAt <= 0) {
        whole = "0";
        fraction = std::string(static_cast<std::size_t>(-pointAt), '0') + digits;
    } else if (static_cast<std::size_t>(pointAt) >= digits.size()) {
        whole = digits + std::string(static_cast<std::size_t>(pointAt) - digits.size(), '0');
    } else {
        whole = digits.substr(0, static_cast<std::size_t>(pointAt));
        fraction = digits.substr(static_cast<std::size_t>(pointAt));
    }
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    if (whole.find_first_not_of('0') == std::string::npos && fraction.empty())
        return "0";
    std::string text = negative ? "-" : "";
    text += whole;
    if (!fraction.empty()) {
        text += '.';
        text += fraction;
    }
    return text;
}

} // namespace

std::string DecimalText(double value, int significantDigits)
{
    char buffer[64];
    if (!std::isfinite(value)) {
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
        return std::string(buffer, result.ptr);
    }
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, significantDigits - 1);
    return PlainDecimal(std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)));
}

double RoundHalfEven(double value) noexcept
{
    const double nearest = std::round(value); // halves away from zero
    if (std::fabs(value - nearest) == 0.5)
        return 2.0 * std::round(value / 2.0);
    return nearest;
}

std::string SingleText(float value)
{
    return DecimalText(value, 7); // a float converts to double exactly
}

std::string DoubleText(double value) { return DecimalText(value, 15); }

} // namespace lumora
