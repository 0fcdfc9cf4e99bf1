// SPDX-License-Identifier: MIT
#include "calc/led_presets.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace lumora {

namespace {

// Forward voltage at 25 °C, amperes and volts. Where no published table was
// at hand the figures are approximate typical values of the maker's class of
// LED, and the source says so: such a preset is a starting point, and
// --led-point with one's own measurements is better.

// Cree's XM-L2 figures as community.ledbloke.co.uk quotes the data sheet
// ("What wattage is this LED?"): 0.35 A at 2.82 V, 1 A at 3 V, 4.657 W at
// 1.5 A, 10.109 W at 3 A.
constexpr LedPoint XmL2[] = {{0.35, 2.82}, {1.0, 3.0}, {1.5, 3.105}, {3.0, 3.37}};

// Approximate: about 3.0 V at 1 A and 3.75 V at 4.5 A, as builders report a
// direct-driven LH351D (4.5 A from 4.2 V and 1 A from 3.1 V through 0.1 ohm),
// with the 3535 package's typical rise between.
constexpr LedPoint Lh351d[] = {{0.35, 2.78}, {0.7, 2.90}, {1.0, 2.99}, {1.5, 3.12},
                               {2.0, 3.23},  {3.0, 3.45}, {4.0, 3.65}, {5.0, 3.85}};
// Samsung LH351D data sheet rev. 9.1 (2019), typical flux of the 5000 K,
// 70 CRI bins at Tj 85 C.
constexpr FluxPoint Lh351dFlux[] = {{0.35, 174}, {0.7, 329}, {1.05, 470}, {1.5, 634}, {2.0, 795}};

// Approximate typical figures of an XP-G2/XP-G3-class 3535 LED.
constexpr LedPoint XpG[] = {{0.35, 2.80}, {0.7, 2.92}, {1.0, 3.00}, {1.5, 3.10}, {2.0, 3.19}, {3.0, 3.34}};

// Approximate typical figures of a 1 mm² high-luminance LED such as the
// Osram CSLPM1.TG.
constexpr LedPoint Cslpm1[] = {{0.35, 2.80}, {0.7, 2.90}, {1.0, 2.97}, {1.5, 3.07}, {2.0, 3.16}, {3.0, 3.33}};

// Approximate typical figures of the Nichia 519A, a low-voltage 3535 LED
// driven up to 6 A.
constexpr LedPoint Nichia519a[] = {{0.35, 2.66}, {0.7, 2.76}, {1.05, 2.83}, {1.5, 2.90},
                                   {2.0, 2.97},  {3.0, 3.09}, {4.5, 3.26},  {6.0, 3.42}};

// Approximate typical figures of a Nichia 219B/219C-class LED.
constexpr LedPoint Nichia219[] = {{0.35, 2.80}, {0.7, 2.92}, {1.0, 3.00}, {1.5, 3.10}, {2.0, 3.19}, {3.0, 3.35}};

// Approximate typical figures of a Luminus SST-20/SST-25-class LED.
constexpr LedPoint Sst20[] = {{0.35, 2.78}, {0.7, 2.88}, {1.0, 2.95}, {2.0, 3.12}, {3.0, 3.26}, {4.0, 3.40}};

// Approximate typical figures of a Luminus SFT-40-class LED.
constexpr LedPoint Sft40[] = {{0.35, 2.80}, {0.7, 2.90}, {1.0, 2.97}, {2.0, 3.13}, {3.0, 3.28}};

// Approximate: the usual data-sheet figures of a 5 mm white LED, 3.2 V
// typical at 20 mA, and its rise from 1 mA.
constexpr LedPoint White5mm[] = {{0.001, 2.62}, {0.005, 2.83}, {0.010, 2.95}, {0.020, 3.15}, {0.030, 3.30}};

constexpr std::string_view Approximate = "approximate typical figures of its class; no published table at hand";

constexpr LedPreset Presets[] = {
    {"lh351d", "Samsung LH351D", Lh351d,
     "approximate: builders' direct-drive reports (about 3.0 V at 1 A, 3.75 V at 4.5 A)", Lh351dFlux,
     "Samsung LH351D data sheet rev. 9.1, 5000 K 70 CRI, Tj 85 C"},
    {"xm-l2", "Cree XLamp XM-L2", XmL2, "Cree's data-sheet figures as quoted by community.ledbloke.co.uk", {}, {}},
    {"xp-g", "Cree XP-G2/XP-G3 class", XpG, Approximate, {}, {}},
    {"cslpm1", "Osram CSLPM1.TG", Cslpm1, Approximate, {}, {}},
    {"519a", "Nichia 519A", Nichia519a, Approximate, {}, {}},
    {"219", "Nichia 219B/219C", Nichia219, Approximate, {}, {}},
    {"sst-20", "Luminus SST-20/SST-25 class", Sst20, Approximate, {}, {}},
    {"sft-40", "Luminus SFT-40", Sft40, Approximate, {}, {}},
    {"5mm", "generic 5 mm white LED, 20 mA", White5mm, "approximate: usual data-sheet figures, 3.2 V at 20 mA", {}, {}},
};

bool SameId(std::string_view a, std::string_view b)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

} // namespace

std::span<const LedPreset> LedPresets() { return Presets; }

const LedPreset* LedNamed(std::string_view id)
{
    const auto found =
        std::find_if(std::begin(Presets), std::end(Presets), [&](const LedPreset& p) { return SameId(p.Id, id); });
    return found == std::end(Presets) ? nullptr : found;
}

LedCurve CurveOf(const LedPreset& preset)
{
    static const auto curves = [] {
        std::array<LedCurve, std::size(Presets)> all{};
        for (std::size_t i = 0; i < all.size(); ++i)
            all[i] = std::get<LedCurve>(FitCurve(Presets[i].Points));
        return all;
    }();
    return curves[static_cast<std::size_t>(&preset - std::begin(Presets))];
}

std::optional<double> LumensAt(std::span<const FluxPoint> flux, double amps)
{
    if (flux.empty())
        return std::nullopt;
    if (amps <= flux.front().Amps || flux.size() == 1)
        return flux.front().Lumens * amps / flux.front().Amps;
    std::size_t upper = 1;
    while (upper + 1 < flux.size() && flux[upper].Amps < amps)
        ++upper;
    const FluxPoint& low = flux[upper - 1];
    const FluxPoint& high = flux[upper];
    return low.Lumens + (high.Lumens - low.Lumens) * (amps - low.Amps) / (high.Amps - low.Amps);
}

} // namespace lumora
