// SPDX-License-Identifier: MIT
#include "cli/led_options.h"

#include "calc/field_text.h"
#include "calc/number_text.h"
#include "cli/calculation.h"

namespace lumora::cli {

std::string KnownLeds()
{
    std::vector<std::string> names;
    for (const LedPreset& preset : LedPresets())
        names.emplace_back(preset.Id);
    return CommaList(names);
}

std::variant<std::monostate, LedChoice, std::string> LedFrom(const LedOptions& options)
{
    if (options.Preset) {
        const LedPreset* preset = LedNamed(*options.Preset);
        if (!preset)
            return "--led: no preset \"" + *options.Preset + "\"; known: " + KnownLeds();
        return PresetChoice(*preset);
    }
    if (!options.Points.empty()) {
        std::vector<LedPoint> points;
        for (const std::string& text : options.Points) {
            const std::size_t equals = text.find('=');
            const std::optional<double> milliamps =
                equals == std::string::npos ? std::nullopt : ReadNumber(std::string_view(text).substr(0, equals));
            const std::optional<double> volts =
                equals == std::string::npos ? std::nullopt : ReadNumber(std::string_view(text).substr(equals + 1));
            if (!milliamps || !volts || !IsNumberText(text.substr(0, equals)) || !IsNumberText(text.substr(equals + 1)))
                return "--led-point: write a point as MA=V, for example 350=2.9, not \"" + text + "\"";
            points.push_back({*milliamps / 1000.0, *volts});
        }
        if (points.size() < 2)
            return std::string("--led-point: give two points or more (one point is --vf with --current)");
        auto fitted = FitCurve(points);
        if (auto* refusal = std::get_if<std::string>(&fitted))
            return "--led-point: " + *refusal;
        return LedChoice{
            std::get<LedCurve>(fitted), "fitted to " + std::to_string(points.size()) + " points (least squares)", {}};
    }
    if (options.Spice) {
        auto read = ReadSpiceDiode(*options.Spice);
        if (auto* refusal = std::get_if<std::string>(&read))
            return "--led-spice: " + *refusal;
        const SpiceDiode& diode = std::get<SpiceDiode>(read);
        return LedChoice{CurveOf(diode),
                         "SPICE diode IS=" + DecimalText(diode.Is, 6) + " A N=" + DecimalText(diode.N, 6) +
                             " RS=" + DecimalText(diode.Rs, 6) + " ohm",
                         {}};
    }
    return std::monostate{};
}

} // namespace lumora::cli
