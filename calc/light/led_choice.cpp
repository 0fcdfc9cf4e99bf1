// SPDX-License-Identifier: MIT
#include "calc/light/led_choice.h"

#include <algorithm>
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
        return LedRefusal{UnknownLedText(id)};
    return PresetChoice(*preset);
}

namespace {

// One point "MA=V" or "MA=V:LM", or nullopt for a text that is neither.
struct WrittenPoint {
    LedPoint Point;
    std::optional<double> Lumens;
};
std::optional<WrittenPoint> ReadPoint(std::string_view text)
{
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    const std::string_view milliamps = text.substr(0, equals);
    std::string_view volts = text.substr(equals + 1);
    std::string_view lumens;
    if (const std::size_t colon = volts.find(':'); colon != std::string_view::npos) {
        lumens = volts.substr(colon + 1);
        volts = volts.substr(0, colon);
        if (!IsNumberText(lumens))
            return std::nullopt;
    }
    if (!IsNumberText(milliamps) || !IsNumberText(volts))
        return std::nullopt;
    WrittenPoint point{{*ReadNumber(milliamps) / 1000.0, *ReadNumber(volts)}, std::nullopt};
    if (!lumens.empty())
        point.Lumens = *ReadNumber(lumens);
    return point;
}

// The points' flux, in rising current, where every point gives it; a
// refusal where only some do or two share a current.
std::variant<std::vector<FluxPoint>, std::string> FluxOf(const std::vector<WrittenPoint>& points)
{
    std::vector<FluxPoint> flux;
    for (const WrittenPoint& point : points)
        if (point.Lumens)
            flux.push_back({point.Point.Amps, *point.Lumens});
    if (flux.empty())
        return flux;
    if (flux.size() != points.size())
        return std::string("give the flux of every point or of none: MA=V:LM, for example 350=2.9:140");
    std::sort(flux.begin(), flux.end(), [](const FluxPoint& a, const FluxPoint& b) { return a.Amps < b.Amps; });
    for (std::size_t i = 1; i < flux.size(); ++i)
        if (!(flux[i].Amps > flux[i - 1].Amps))
            return std::string("two points at one current: give each current once");
    return flux;
}

} // namespace

LedOutcome LedFromPoints(const std::vector<std::string>& texts)
{
    std::vector<WrittenPoint> written;
    std::vector<LedPoint> points;
    for (const std::string& text : texts) {
        const std::optional<WrittenPoint> point = ReadPoint(text);
        if (!point)
            return LedRefusal{"write a point as MA=V, for example 350=2.9, or with its flux as MA=V:LM, for example "
                              "350=2.9:140, not \"" +
                              text + "\""};
        written.push_back(*point);
        points.push_back(point->Point);
    }
    if (points.size() < 2)
        return LedRefusal{"give two points or more (one point is {vf} with {current})"};
    auto flux = FluxOf(written);
    if (auto* refusal = std::get_if<std::string>(&flux))
        return LedRefusal{std::move(*refusal)};
    auto fitted = FitCurve(points);
    if (auto* refusal = std::get_if<std::string>(&fitted))
        return LedRefusal{std::move(*refusal)};
    std::vector<FluxPoint> lumens = std::get<std::vector<FluxPoint>>(std::move(flux));
    const std::string name = "fitted to " + std::to_string(points.size()) + " points (least squares)" +
                             (lumens.empty() ? "" : ", with their flux");
    return LedChoice{std::get<LedCurve>(fitted), name, std::move(lumens)};
}

LedOutcome LedFromSpice(std::string_view line)
{
    auto read = ReadSpiceDiode(line);
    if (auto* refusal = std::get_if<std::string>(&read))
        return LedRefusal{std::move(*refusal)};
    const SpiceDiode& diode = std::get<SpiceDiode>(read);
    return LedChoice{DiodeCurve(diode),
                     "SPICE diode IS=" + DecimalText(diode.Is, 6) + " A N=" + DecimalText(diode.N, 6) +
                         " RS=" + DecimalText(diode.Rs, 6) + " ohm",
                     {}};
}

} // namespace lumora
