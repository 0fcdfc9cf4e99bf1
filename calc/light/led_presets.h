// SPDX-License-Identifier: MIT
#pragma once

#include "calc/light/led_model.h"
#include "calc/light/thermal.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lumora {

// Luminous flux at a current.
struct FluxPoint {
    double Amps = 0.0;
    double Lumens = 0.0;
};

// A common flashlight LED: its forward voltage at several currents, the
// curve fitted to them, and where it carries them, its flux at several
// currents of the same measurement (rising currents), each with where the
// figures come from. The presets are data/leds.csv and data/led-points.csv,
// put into the program at build time; those files cite every figure.
struct LedPreset {
    std::string Id;   // "xm-l2"
    std::string Name; // "Cree XLamp XM-L2"
    std::vector<LedPoint> Points;
    std::string Source;
    std::vector<FluxPoint> Flux; // empty when no flux is carried
    std::string FluxSource;
    LedThermal Thermal{};  // the temperature of its points and how it follows the junction's
    double MaxAmps = 0.0;  // the maker's maximum continuous current; 0 where none is published
    std::string MaxSource; // the sheet that gives it, or why there is none
};

// What the lists and warnings say of an LED without a rating.
inline constexpr std::string_view NoRatingText = "no rating published";

std::span<const LedPreset> LedPresets();

// A preset by its Id, without regard to case.
const LedPreset* LedNamed(std::string_view id);

// The least-squares curve through a preset's points; through its one point
// with a typical white LED's slope where it has one.
LedCurve FittedCurve(const LedPreset& preset);

// The flux at a current, interpolated linearly between flux points and in
// proportion to the current below the first (constant efficacy, which
// errs low, since efficacy falls as the current rises). Above the last
// point nothing was measured, so there is no flux: nullopt, as without
// points.
std::optional<double> LumensAt(std::span<const FluxPoint> flux, double amps);

} // namespace lumora
