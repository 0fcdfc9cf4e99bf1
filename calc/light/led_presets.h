// SPDX-License-Identifier: MIT
#pragma once

#include "calc/light/led_model.h"
#include "calc/light/thermal.h"

#include <optional>
#include <span>
#include <string_view>

namespace lumora {

// Luminous flux at a current.
struct FluxPoint {
    double Amps = 0.0;
    double Lumens = 0.0;
};

// A common flashlight LED: its forward voltage at several currents, the
// curve fitted to them, and where it carries them, its flux at several
// currents of the same measurement (rising currents), each with where the
// figures come from and the currents they span.
struct LedPreset {
    std::string_view Id;   // "xm-l2"
    std::string_view Name; // "Cree XLamp XM-L2"
    std::span<const LedPoint> Points;
    std::string_view Source;
    std::span<const FluxPoint> Flux; // empty when no flux is carried
    std::string_view FluxSource;
    LedThermal Thermal{};            // the temperature of its points and how it follows the junction's
    double MaxAmps = 0.0;            // the data sheet's maximum drive current; 0 where none was at hand
    std::string_view MaxSource = {}; // the sheet that gives it
};

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
