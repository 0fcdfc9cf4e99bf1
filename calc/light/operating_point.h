// SPDX-License-Identifier: MIT
#pragma once

#include "calc/light/led_model.h"
#include "calc/light/wiring.h"

namespace lumora {

// Identical LEDs behind one resistor: all in one string (series), or side by
// side, each carrying its own current and the resistor the sum (parallel).
struct LedString {
    LedCurve Curve;
    double Count = 1; // as the resistor calculator reads it
    lumora::Wiring Wiring = lumora::Wiring::Series;
    double ResistorOhms = 0.0;

    double InSeries() const { return Wiring == lumora::Wiring::Series ? Count : 1.0; }
    double InParallel() const { return Wiring == lumora::Wiring::Parallel ? Count : 1.0; }
};

// Where a source of open-circuit voltage E behind a resistance meets the
// resistor and the LEDs. Currents in A, voltages in V, powers in W.
struct OperatingPoint {
    double LedAmps = 0.0;  // through each LED
    double LedVolts = 0.0; // across each LED
    double BatteryAmps = 0.0;
    double TerminalVolts = 0.0; // E less the current times the source's resistance
    double ResistorWatts = 0.0;
    double LedWatts = 0.0;    // all LEDs together
    double SourceWatts = 0.0; // lost in the source's resistance
};

// E − I·R_source meets the resistor and the string. The equation rises
// steadily with the current, so it has one solution: never negative, never
// NaN, and continuous in every input (no cliff where E passes the LEDs'
// forward voltage). Only when nothing limits the current (no resistance
// anywhere) can it be infinite.
OperatingPoint SolveOperatingPoint(const LedString& string, double openCircuitVolts, double sourceOhms);

} // namespace lumora
