// SPDX-License-Identifier: MIT
#include "calc/light/colour_code.h"

#include <array>
#include <cmath>

namespace lumora {

namespace {

// The digit colours 0 to 9, then the multipliers 0.01 and 0.1 (IEC 60062).
constexpr std::array<ColourBand, 10> Digits = {{{"black", "#000000"},
                                                {"brown", "#7b3f00"},
                                                {"red", "#d40000"},
                                                {"orange", "#ff7a00"},
                                                {"yellow", "#f2c400"},
                                                {"green", "#1f9e3a"},
                                                {"blue", "#1f4fd8"},
                                                {"violet", "#8a2be2"},
                                                {"grey", "#8c8c8c"},
                                                {"white", "#ffffff"}}};
constexpr ColourBand Gold = {"gold", "#c9a23a"};
constexpr ColourBand Silver = {"silver", "#b8bcc2"};

struct Tolerance {
    std::optional<ColourBand> Band;
    std::string_view Text;
};

Tolerance ToleranceOf(ESeries series)
{
    switch (series) {
    case ESeries::E6: return {std::nullopt, "±20 %"};
    case ESeries::E12: return {Silver, "±10 %"};
    case ESeries::E24: return {Gold, "±5 %"};
    case ESeries::E48: return {Digits[2], "±2 %"};
    case ESeries::E96: return {Digits[1], "±1 %"};
    case ESeries::E192: return {Digits[5], "±0.5 %"};
    }
    return {Gold, "±5 %"};
}

} // namespace

bool InSeries(double ohms, ESeries series)
{
    if (!std::isfinite(ohms) || !(ohms > 0.0))
        return false;
    const double mantissa = ohms / std::pow(10.0, std::floor(std::log10(ohms))) * 100.0;
    for (int value : DecadeHundredths(series))
        if (std::fabs(mantissa - value) <= 1e-3 * value)
            return true;
    return false;
}

std::optional<ColourCode> ColourCodeOf(double ohms, ESeries series)
{
    if (!InSeries(ohms, series) || ohms < 0.0999)
        return std::nullopt;
    const int digits = series == ESeries::E48 || series == ESeries::E96 || series == ESeries::E192 ? 3 : 2;
    // The value as 'digits' significant figures times a power of ten.
    int exponent = static_cast<int>(std::floor(std::log10(ohms))) - (digits - 1);
    long long figures = std::llround(ohms / std::pow(10.0, exponent));
    if (figures >= static_cast<long long>(std::pow(10.0, digits))) {
        figures /= 10;
        ++exponent;
    }
    if (std::fabs(static_cast<double>(figures) * std::pow(10.0, exponent) - ohms) > 1e-3 * ohms)
        return std::nullopt; // more figures than the bands carry
    if (exponent < -2 || exponent > 9)
        return std::nullopt;
    ColourCode code;
    for (int k = digits - 1; k >= 0; --k)
        code.Bands.push_back(
            Digits[static_cast<std::size_t>(figures / static_cast<long long>(std::pow(10.0, k)) % 10)]);
    code.Bands.push_back(exponent == -2 ? Silver : exponent == -1 ? Gold : Digits[static_cast<std::size_t>(exponent)]);
    const Tolerance tolerance = ToleranceOf(series);
    if (tolerance.Band)
        code.Bands.push_back(*tolerance.Band);
    code.HasToleranceBand = tolerance.Band.has_value();
    code.Tolerance = tolerance.Text;
    return code;
}

} // namespace lumora
