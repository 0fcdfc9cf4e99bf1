// SPDX-License-Identifier: MIT
#pragma once

#include "calc/light/led_model.h"
#include "calc/light/led_presets.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace lumora {

// The LED a light is built with: its curve, the name a run gives it, and
// its flux points (a preset's), chosen by a preset's id, by measured points
// or by a SPICE diode, or made through one point with a typical slope.

// An LED not among the presets (points, a SPICE diode, one point) is
// taken as measured at a 25 °C solder point, with a typical power LED's
// thermal figures.
struct LedChoice {
    LedCurve Curve;
    std::string Name;
    std::vector<FluxPoint> Flux;
    LedThermal Thermal{};
    double MaxAmps = 0.0;       // the rated maximum, 0 where none is known
    std::string MaxSource = {}; // where the rating comes from
};

LedChoice PresetChoice(const LedPreset& preset);

// An LED's forward voltage at a current given as a field's text, for the
// voltage field (two decimals) and in words ("Samsung LH351D (preset):
// 2.93 V at 350 mA"); at IndicatorMilliamps where the text is not a current
// above 0, and said so.
inline constexpr double IndicatorMilliamps = 20.0;
struct LedVoltage {
    std::string Volts, Said;
};
LedVoltage LedVoltageAt(const LedChoice& led, std::string_view milliampsText);

// "the LED carries up to 3800 mA, above its data sheet's maximum of 3000 mA
// (its sheet)" where the most current exceeds the rating: the one given
// (mA) or else the LED's own; empty where it does not or none is known.
std::string LedRatingWarning(const LedChoice& led, double mostAmps, std::optional<double> givenMaxMilliamps = {});

// The curve through one point with a typical white LED's slope, named so.
LedChoice TypicalThrough(double milliamps, double volts);

// Why the texts name no LED, in words that mention other inputs as {key}
// ("one point is {vf} with {current}"); the input to blame is the one the
// LED was read from (a preset, points or a SPICE diode).
struct LedRefusal {
    std::string Text;
};

using LedOutcome = std::variant<LedChoice, LedRefusal>;

// "lh351d, xm-l2, ...": the ids to type.
std::string KnownLedIds();

// 'no LED "xq-e"; known: lh351d, ...'
std::string UnknownLedText(std::string_view id);

// A preset by its id, without regard to case.
LedOutcome LedFromPreset(std::string_view id);

// The least-squares curve through two or more points written "MA=V".
LedOutcome LedFromPoints(const std::vector<std::string>& points);

// A SPICE diode: "IS=4.4e-9 N=8.39 RS=7.8".
LedOutcome LedFromSpice(std::string_view line);

} // namespace lumora
