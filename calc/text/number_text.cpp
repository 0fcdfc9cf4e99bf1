// SPDX-License-Identifier: MIT
#include "calc/text/number_text.h"

// Formats compiled in, so that only the conversions used are linked: a
// third less WebAssembly than {fmt}'s run-time format strings.
#include <fmt/compile.h>

#include <charconv>
#include <cmath>
#include <string_view>

namespace lumora {

namespace {

// A finite value as decimal digits: value = 0.d1d2d3... x 10^(Exponent + 1),
// so Exponent is the power of ten of the first digit. No leading or trailing
// zeros in Digits; empty for zero.
struct Digits {
    bool Negative = false;
    std::string Digits;
    int Exponent = 0;
};

// The digits of a text {fmt} wrote, in plain ("-0.00125", "100") or exponent
// ("1.234500e+07") form.
Digits DigitsOf(std::string_view text)
{
    Digits d;
    d.Negative = !text.empty() && text.front() == '-';
    if (d.Negative)
        text.remove_prefix(1);
    const std::size_t e = text.find('e');
    int exponent = 0;
    if (e != std::string_view::npos) {
        std::string_view exponentText = text.substr(e + 1);
        if (!exponentText.empty() && exponentText.front() == '+')
            exponentText.remove_prefix(1);
        std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);
        text = text.substr(0, e);
    }
    const std::size_t point = text.find('.');
    const int beforePoint = static_cast<int>(point == std::string_view::npos ? text.size() : point);
    int position = 0; // digits read so far
    for (char c : text) {
        if (c == '.')
            continue;
        ++position;
        if (c == '0' && d.Digits.empty())
            continue;
        if (d.Digits.empty())
            d.Exponent = exponent + beforePoint - position;
        d.Digits += c;
    }
    while (!d.Digits.empty() && d.Digits.back() == '0')
        d.Digits.pop_back();
    return d;
}

// Plain decimal notation without trailing fraction zeros; "0" for zero.
std::string PlainText(const Digits& d)
{
    if (d.Digits.empty())
        return "0";
    const int pointAt = d.Exponent + 1; // digits before the point
    std::string text = d.Negative ? "-" : "";
    if (pointAt <= 0) {
        text += "0.";
        text.append(static_cast<std::size_t>(-pointAt), '0');
        text += d.Digits;
    } else if (static_cast<std::size_t>(pointAt) >= d.Digits.size()) {
        text += d.Digits;
        text.append(static_cast<std::size_t>(pointAt) - d.Digits.size(), '0');
    } else {
        text += d.Digits.substr(0, static_cast<std::size_t>(pointAt));
        text += '.';
        text += d.Digits.substr(static_cast<std::size_t>(pointAt));
    }
    return text;
}

// Exponent notation as printf's %e writes it, without trailing zeros: "1.5e+21",
// "2e-05".
std::string ExponentText(const Digits& d)
{
    std::string text = d.Negative ? "-" : "";
    text += d.Digits.front();
    if (d.Digits.size() > 1) {
        text += '.';
        text += d.Digits.substr(1);
    }
    return text + fmt::format(FMT_COMPILE("e{}{:02}"), d.Exponent < 0 ? '-' : '+', std::abs(d.Exponent));
}

} // namespace

std::string DecimalText(double value, int significantDigits)
{
    if (!std::isfinite(value))
        return fmt::format(FMT_COMPILE("{}"), value);
    // {fmt} rounds to nearest, a tie to even, as printf does.
    return PlainText(DigitsOf(fmt::format(FMT_COMPILE("{:.{}e}"), value, significantDigits - 1)));
}

std::string ShortestText(double value)
{
    if (!std::isfinite(value))
        return fmt::format(FMT_COMPILE("{}"), value);
    const Digits d = DigitsOf(fmt::format(FMT_COMPILE("{}"), value)); // the fewest digits that read back
    if (d.Digits.empty())
        return d.Negative ? "-0" : "0";
    std::string exponent = ExponentText(d);
    // A whole number in plain form shows its exact value, beyond 2^53 too,
    // where the fewest digits padded with zeros would be another number; both
    // have the same length.
    const bool whole = d.Exponent + 1 >= static_cast<int>(d.Digits.size());
    std::string plain = whole ? fmt::format(FMT_COMPILE("{:.0f}"), value) : PlainText(d);
    return exponent.size() < plain.size() ? exponent : plain;
}

double RoundHalfEven(double value) noexcept
{
    const double nearest = std::round(value); // halves away from zero
    if (std::fabs(value - nearest) == 0.5)
        return 2.0 * std::round(value / 2.0);
    return nearest;
}

std::string StepsText(double steps, int decimals)
{
    // n × 10^-d has at most 15 significant digits here, so the double nearest
    // it reads back to them (DBL_DIG): DoubleText's own digits, without
    // {fmt}'s slow path for 15 of them.
    if (!(std::fabs(steps) < 1e15) || decimals < 0 || decimals > 15 || steps != std::trunc(steps))
        return DoubleText(steps / std::pow(10.0, decimals));
    if (steps == 0.0)
        return "0";
    char buffer[24];
    const long long whole = static_cast<long long>(std::fabs(steps));
    std::string_view digits(buffer, static_cast<std::size_t>(std::to_chars(buffer, buffer + 24, whole).ptr - buffer));
    std::size_t fraction = static_cast<std::size_t>(decimals);
    while (fraction > 0 && digits.back() == '0') {
        digits.remove_suffix(1);
        --fraction;
    }
    std::string text = steps < 0.0 ? "-" : "";
    if (digits.size() <= fraction) {
        text += "0.";
        text.append(fraction - digits.size(), '0');
        text += digits;
    } else {
        text += digits.substr(0, digits.size() - fraction);
        if (fraction > 0) {
            text += '.';
            text += digits.substr(digits.size() - fraction);
        }
    }
    return text;
}

std::string RoundedText(double value, int decimals)
{
    return StepsText(RoundHalfEven(value * std::pow(10.0, decimals)), decimals);
}

std::string SingleText(float value)
{
    return DecimalText(value, 7); // a float converts to double exactly
}

std::string DoubleText(double value) { return DecimalText(value, 15); }

} // namespace lumora
