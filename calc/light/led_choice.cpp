// SPDX-License-Identifier: MIT
#include "calc/light/led_choice.h"

#include <cmath>

#include "calc/text/field_text.h"
#include "calc/text/number_text.h"

namespace lumora {

LedChoice PresetChoice(const LedPreset& preset)
{
    return {FittedCurve(preset),
            std::string(preset.Name) + " (preset)",
            std::vector<FluxPoint>(preset.Flux.begin(), preset.Flux.end()),
            preset.Thermal,
            preset.MaxAmps,
            std::string(preset.MaxSource)};
}

std::string LedRatingWarning(const LedChoice& led, double mostAmps, std::optional<double> givenMaxMilliamps)
{
    const double ratedAmps = givenMaxMilliamps ? *givenMaxMilliamps / 1000.0 : led.MaxAmps;
    if (!(ratedAmps > 0.0) || !(mostAmps > ratedAmps))
        return "";
    return "the LED carries up to " + RoundedText(mostAmps * 1000.0, 0) + " mA, above its " +
           (givenMaxMilliamps ? "given" : "data sheet's") + " maximum of " + RoundedText(ratedAmps * 1000.0, 0) +
           " mA" + (givenMaxMilliamps || led.MaxSource.empty() ? "" : " (" + led.MaxSource + ")") +
           (mostAmps > 2.0 * ratedAmps ? ": it will not last" : "");
}

LedVoltage LedVoltageAt(const LedChoice& led, std::string_view milliampsText)
{
    const std::optional<double> given = ReadNumber(milliampsText);
    const bool current = given && *given > 0.0 && std::isfinite(*given);
    const double milliamps = current ? *given : IndicatorMilliamps;
    const std::string volts = RoundedText(ForwardVoltage(led.Curve, milliamps / 1000.0), 2);
    return {volts, led.Name + ": " + volts + " V at " + DoubleText(milliamps) + " mA" +
                       (current ? "" : " (no desired current given)")};
}

LedChoice TypicalThrough(double milliamps, double volts)
{
    return {CurveThrough({milliamps / 1000.0, volts}),
            "typical white LED through " + DoubleText(milliamps) + " mA at " + DoubleText(volts) + " V",
            {}};
}

std::string KnownLedIds()
{
    std::string ids;
    for (const LedPreset& preset : LedPresets())
        ids += (ids.empty() ? "" : ", ") + std::string(preset.Id);
    return ids;
}

std::string UnknownLedText(std::string_view id)
{
    return "no LED \"" + std::string(id) + "\"; known: " + KnownLedIds();
}

LedOutcome LedFromPreset(std::string_view id)
{
    const LedPreset* preset = LedNamed(id);
    if (!preset)
        return LedRefusal{"led", UnknownLedText(id)};
    return PresetChoice(*preset);
}

LedOutcome LedFromPoints(const std::vector<std::string>& texts)
{
    std::vector<LedPoint> points;
    for (const std::string& text : texts) {
        const std::size_t equals = text.find('=');
        const std::string_view milliamps = std::string_view(text).substr(0, equals);
        const std::string_view volts =
            equals == std::string::npos ? std::string_view() : std::string_view(text).substr(equals + 1);
        if (equals == std::string::npos || !IsNumberText(milliamps) || !IsNumberText(volts))
            return LedRefusal{"led-point", "write a point as MA=V, for example 350=2.9, not \"" + text + "\""};
        points.push_back({*ReadNumber(milliamps) / 1000.0, *ReadNumber(volts)});
    }
    if (points.size() < 2)
        return LedRefusal{"led-point", "give two points or more (one point is {vf} with {current})"};
    auto fitted = FitCurve(points);
    if (auto* refusal = std::get_if<std::string>(&fitted))
        return LedRefusal{"led-point", std::move(*refusal)};
    return LedChoice{
        std::get<LedCurve>(fitted), "fitted to " + std::to_string(points.size()) + " points (least squares)", {}};
}

LedOutcome LedFromSpice(std::string_view line)
{
    auto read = ReadSpiceDiode(line);
    if (auto* refusal = std::get_if<std::string>(&read))
        return LedRefusal{"led-spice", std::move(*refusal)};
    const SpiceDiode& diode = std::get<SpiceDiode>(read);
    return LedChoice{DiodeCurve(diode),
                     "SPICE diode IS=" + DecimalText(diode.Is, 6) + " A N=" + DecimalText(diode.N, 6) +
                         " RS=" + DecimalText(diode.Rs, 6) + " ohm",
                     {}};
}

} // namespace lumora
