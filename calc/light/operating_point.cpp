// SPDX-License-Identifier: MIT
#include "calc/light/operating_point.h"

#include <algorithm>

namespace lumora {

OperatingPoint SolveOperatingPoint(const LedString& string, double openCircuitVolts, double sourceOhms)
{
    const double inSeries = string.InSeries();
    const double inParallel = string.InParallel();
    // E = n·V(I) + m·I·(R + R_source), per LED: V(I) + (m/n)·(R + R_source)·I = E/n.
    OperatingPoint point;
    point.LedAmps = openCircuitVolts > 0.0 ? CurrentAt(string.Curve, openCircuitVolts / inSeries,
                                                       inParallel * (string.ResistorOhms + sourceOhms) / inSeries)
                                           : 0.0;
    // Below the smallest double the whole voltage stands across the LEDs.
    point.LedVolts =
        point.LedAmps > 0.0 ? ForwardVoltage(string.Curve, point.LedAmps) : std::max(openCircuitVolts, 0.0) / inSeries;
    point.BatteryAmps = inParallel * point.LedAmps;
    point.TerminalVolts = openCircuitVolts - point.BatteryAmps * sourceOhms;
    point.ResistorWatts = point.BatteryAmps * point.BatteryAmps * string.ResistorOhms;
    point.LedWatts = string.Count * point.LedAmps * point.LedVolts;
    point.SourceWatts = point.BatteryAmps * point.BatteryAmps * sourceOhms;
    return point;
}

} // namespace lumora
