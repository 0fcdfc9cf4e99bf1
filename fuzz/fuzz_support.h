// SPDX-License-Identifier: MIT
#pragma once

// What the fuzz targets share: a check that stops the run, the split of the
// input bytes into field texts, and the rules every text the calculators
// write must follow.

#include "calc/calculators/failure.h"
#include "calc/text/field_text.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Aborts with the broken condition; libFuzzer then keeps the input that broke it.
#define FUZZ_CHECK(condition)                                                                                          \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);                         \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)

namespace lumora::fuzz {

// The input as `count` texts separated by newlines. Missing texts are empty;
// the last one keeps whatever follows, newlines included, so a text can still
// hold any byte a paste could bring.
inline std::vector<std::string> SplitTexts(const std::uint8_t* data, std::size_t size, std::size_t count)
{
    std::vector<std::string> texts(count);
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::size_t start = 0;
    for (std::size_t i = 0; i < count && start <= input.size(); ++i) {
        std::size_t end = input.find('\n', start);
        if (i + 1 == count || end == std::string_view::npos)
            end = input.size();
        texts[i] = std::string(input.substr(start, end - start));
        start = end + 1;
    }
    return texts;
}

// A number as the calculators write it: an optional "-", the whole part
// without leading zeros ("0" alone below 1), then a point and a fraction only
// when the fraction has a non-zero last digit. No exponent, no "-0".
inline bool IsWrittenNumber(std::string_view text)
{
    std::string_view body = text;
    const bool negative = !body.empty() && body.front() == '-';
    if (negative)
        body.remove_prefix(1);
    const std::size_t point = body.find('.');
    const std::string_view whole = body.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view() : body.substr(point + 1);
    const auto allDigits = [](std::string_view s) {
        for (char c : s) {
            if (c < '0' || c > '9')
                return false;
        }
        return true;
    };
    if (whole.empty() || !allDigits(whole) || !allDigits(fraction))
        return false;
    if (whole.size() > 1 && whole.front() == '0')
        return false;
    if (point != std::string_view::npos && (fraction.empty() || fraction.back() == '0'))
        return false;
    if (negative && whole == "0" && fraction.empty())
        return false;
    return IsNumberText(text);
}

// Digits after the point of a written number.
inline std::size_t Decimals(std::string_view text)
{
    const std::size_t point = text.find('.');
    return point == std::string_view::npos ? 0 : text.size() - point - 1;
}

// The seconds after midnight of an "HH:mm:ss" clock text with hours 00-23
// and minutes and seconds 00-59, or -1 for any other text.
inline long ClockSeconds(std::string_view text)
{
    if (text.size() != 8 || text[2] != ':' || text[5] != ':')
        return -1;
    long parts[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        const char tens = text[static_cast<std::size_t>(3 * i)];
        const char units = text[static_cast<std::size_t>(3 * i + 1)];
        if (tens < '0' || tens > '9' || units < '0' || units > '9')
            return -1;
        parts[i] = (tens - '0') * 10 + (units - '0');
    }
    if (parts[0] > 23 || parts[1] > 59 || parts[2] > 59)
        return -1;
    return parts[0] * 3600 + parts[1] * 60 + parts[2];
}

// Inputs whose size keeps every product of three of them, and its rounding,
// far from the ends of the double range, where an equation can be checked
// to a relative tolerance.
inline bool Moderate(long double value)
{
    const long double magnitude = std::fabs(value);
    return magnitude == 0.0L || (magnitude >= 1e-30L && magnitude <= 1e30L);
}

// The blamed input of a failure reads as the failure says: not at all for an
// unreadable text, as an infinity for one beyond the double range, and as zero
// for the input that left a divisor zero.
inline void CheckCulpritValue(Failure failure, const std::optional<double>& value)
{
    switch (failure) {
    case Failure::UnreadableText: FUZZ_CHECK(!value); break;
    case Failure::Overflow: FUZZ_CHECK(value && std::isinf(*value)); break;
    case Failure::DivisionByZero:
    case Failure::InvalidOperation: FUZZ_CHECK(value && *value == 0.0); break;
    default: FUZZ_CHECK(false);
    }
}

} // namespace lumora::fuzz
