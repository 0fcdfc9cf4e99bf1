// SPDX-License-Identifier: MIT
#include "calc/request/drive_solution.h"

#include "calc/text/number_text.h"

#include <algorithm>
#include <cmath>

namespace lumora {

namespace {

using R = LightRequest;

constexpr double ThirtySeconds = 30.0;
// Drives looked at before the crossing is closed in on: equal steps up to
// the most there is.
constexpr int GridSteps = 8;
constexpr int MostIterations = 100;
// Direct drive: resistances looked at, doubling from the smallest, ohms;
// above the largest no flashlight LED lights.
constexpr double SmallestOhms = 0.001, LargestOhms = 1e4;

// What a drive gives 30 s after switch-on.
struct Given {
    double lumens = 0.0;
    DischargeStart start = DischargeStart::Lit;
    bool lit = false;       // the run starts
    bool beyond = false;    // the LEDs reach beyond their measured flux
    bool regulated = false; // the driver holds its current at 30 s
    bool limited = false;   // held at the thermal limit by then
    double ledAmps = 0.0;   // each LED's at 30 s
};

Given GivenBy(const DischargeRequest& request)
{
    const Discharge early = RunFirstSeconds(request, ThirtySeconds);
    Given given;
    given.start = early.Summary.Start;
    given.lit = given.start == DischargeStart::Lit;
    if (!given.lit)
        return given;
    given.lumens = early.Summary.Output30s;
    given.beyond = early.Summary.BeyondFluxAmps > 0.0;
    const auto at = std::find_if(early.Rows.begin(), early.Rows.end(),
                                 [](const DischargeRow& row) { return row.Hours >= ThirtySeconds / 3600.0; });
    const DischargeRow& row = at == early.Rows.end() ? early.Rows.back() : *at;
    given.regulated = row.Regulated;
    given.ledAmps = row.LedAmps;
    given.limited = std::any_of(early.Rows.begin(), early.Rows.end(), [](const DischargeRow& r) { return r.Limited; });
    return given;
}

// A drive's value rounded to DriveDigits significant digits.
double Rounded(double value)
{
    if (!(value > 0.0))
        return value;
    const double scale = std::pow(10.0, DriveDigits - 1 - std::floor(std::log10(value)));
    return std::round(value * scale) / scale;
}

// Where 'gap' crosses 0 between 'low' and 'high', whose gaps have opposite
// signs: regula falsi, Illinois's variant, to within 'tolerance' of a gap.
template <typename Gap>
double Crossing(double low, double high, double gapLow, double gapHigh, Gap gap, double tolerance)
{
    int side = 0;
    for (int i = 0; i < MostIterations; ++i) {
        const double x = gapHigh == gapLow ? (low + high) / 2.0 : high - gapHigh * (high - low) / (gapHigh - gapLow);
        const double g = gap(x);
        if (std::fabs(g) <= tolerance || high - low <= 1e-12 * high)
            return x;
        if ((g < 0.0) == (gapLow < 0.0)) {
            low = x, gapLow = g;
            if (side == -1)
                gapHigh /= 2.0;
            side = -1;
        } else {
            high = x, gapHigh = g;
            if (side == 1)
                gapLow /= 2.0;
            side = 1;
        }
    }
    return (low + high) / 2.0;
}

// "1500 lm at 30 s is more than this light gives: at most 1234 lm, ..."
RequestRefusal Unreachable(double lumens, double most, const std::string& why)
{
    return RefusalAbout(&R::Output, RoundedText(lumens, 0) + " lm at 30 s is more than this light gives: at most " +
                                        RoundedText(most, 0) + " lm, " + why);
}

std::string Milliamps(double amps) { return RoundedText(amps * 1000.0, 0) + " mA"; }

// What bounds a regulated light at its most: the thermal limit, the
// battery and driver, or the LED's measured flux.
std::string RegulatedBound(const Given& given, double amps, double mostAmps)
{
    if (given.limited)
        return "its driver holding the host at the thermal limit within 30 s";
    if (!given.regulated)
        return "the battery and driver giving each LED at most " + Milliamps(given.ledAmps);
    return "at " + Milliamps(amps) +
           (amps < mostAmps ? " per LED, where the LED's measured flux peaks"
                            : " per LED, the end of the LED's measured flux");
}

// A regulated driver's current per LED.
Assembly SolveCurrent(AssembledLight light, double lumens)
{
    DischargeRequest& request = light.Discharge;
    const double mostAmps = request.Flux.back().Amps;
    const auto at = [&](double amps) {
        request.Driver.RegulatedAmps = amps;
        return GivenBy(request);
    };
    const auto output = [&](double amps) {
        const Given given = at(amps);
        return given.lit ? given.lumens : 0.0;
    };
    double below = 0.0, belowLumens = 0.0, best = 0.0, bestLumens = -1.0;
    for (int k = 1; k <= GridSteps; ++k) {
        const double amps = mostAmps * k / GridSteps, given = output(amps);
        if (given >= lumens) {
            const double found = Crossing(
                below, amps, belowLumens - lumens, given - lumens, [&](double a) { return output(a) - lumens; },
                OutputTolerance * lumens);
            request.Driver.RegulatedAmps = Rounded(found);
            light.Solved = SolvedFor::Current;
            return light;
        }
        if (given > bestLumens)
            best = amps, bestLumens = given;
        below = amps, belowLumens = given;
    }
    // Closer in on the most, where it lies between steps.
    const double step = mostAmps / GridSteps;
    double low = std::max(step, best - step), high = std::min(mostAmps, best + step);
    for (int i = 0; i < 40; ++i) {
        const double a = low + (high - low) / 3.0, b = high - (high - low) / 3.0;
        if (output(a) < output(b))
            low = a;
        else
            high = b;
    }
    if (output((low + high) / 2.0) > bestLumens)
        best = (low + high) / 2.0, bestLumens = output(best);
    return Unreachable(lumens, bestLumens, RegulatedBound(at(best), best, mostAmps));
}

// Direct drive: the series resistance, which the output falls with.
Assembly SolveResistance(AssembledLight light, double lumens)
{
    DischargeRequest& request = light.Discharge;
    const auto at = [&](double ohms) {
        request.Leds.ResistorOhms = ohms;
        return GivenBy(request);
    };
    // The least resistance at which the LEDs stay within their measured flux
    // (and something limits the current at all).
    const auto within = [](const Given& g) { return !g.beyond && g.start != DischargeStart::Unlimited; };
    double least = 0.0;
    Given most = at(0.0);
    if (!within(most)) {
        double high = SmallestOhms;
        while (high < LargestOhms && !within(at(high)))
            high *= 2.0;
        double low = high / 2.0;
        for (int i = 0; i < 50; ++i) {
            const double middle = (low + high) / 2.0;
            (within(at(middle)) ? high : low) = middle;
        }
        least = high;
        most = at(least);
    }
    if (!most.lit || most.lumens < lumens * (1.0 - OutputTolerance)) {
        const std::string why = least == 0.0
                                    ? "on direct drive with no series resistance"
                                    : "at " + DoubleText(Rounded(least)) + " ohm in series, where each LED " +
                                          "reaches the end of its measured flux (" + Milliamps(most.ledAmps) + ")";
        return Unreachable(lumens, most.lit ? most.lumens : 0.0, why);
    }
    const auto gap = [&](double ohms) {
        const Given given = at(ohms);
        return (given.lit ? given.lumens : 0.0) - lumens;
    };
    double high = std::max(least, SmallestOhms);
    double gapHigh = gap(high);
    while (gapHigh > 0.0 && high < LargestOhms) {
        high *= 2.0;
        gapHigh = gap(high);
    }
    const double found = Crossing(least, high, most.lumens - lumens, gapHigh, gap, OutputTolerance * lumens);
    request.Leds.ResistorOhms = Rounded(found);
    light.Solved = SolvedFor::Resistance;
    return light;
}

} // namespace

Assembly SolveDrive(AssembledLight light, double lumens)
{
    light.WantedLumens = lumens;
    if (light.Discharge.Driver.Kind == DriverKind::Direct)
        return SolveResistance(std::move(light), lumens);
    return SolveCurrent(std::move(light), lumens);
}

} // namespace lumora
