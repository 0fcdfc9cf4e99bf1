// SPDX-License-Identifier: MIT
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace lumora {

// An LED's forward voltage against its current: V(I) = A + B·ln(I) + Rs·I
// for I > 0 in amperes, V in volts. This is a SPICE diode with a series
// resistance: IS = e^(-A/B), N = B/Vt, RS = Rs.
struct LedCurve {
    double A = 0.0;  // V at 1 A without the series resistance
    double B = 0.0;  // V per e-fold of current, above 0
    double Rs = 0.0; // series resistance, ohms, 0 or above
};

// The thermal voltage at 27 °C, as SPICE uses it by default.
inline constexpr double ThermalVoltage = 0.025865;

// A white LED's typical slope, for a curve known at one point only: the
// logarithmic part (B, N about 3.5) and the resistive drop Rs·I at that
// point's current. Together they give about 0.34 V per e-fold of current
// at the point, as published tables of 1 W and 10 W white LEDs show.
inline constexpr double TypicalLogSlope = 0.09;   // V
inline constexpr double TypicalSeriesDrop = 0.25; // V at the given point

// The current below which an LED counts as dark: 0.1 mA, where a power LED
// gives a few hundredths of a lumen.
inline constexpr double DarkLedAmps = 1e-4;

struct LedPoint {
    double Amps = 0.0;
    double Volts = 0.0;
};

struct SpiceDiode {
    double Is = 0.0; // saturation current, A
    double N = 0.0;  // emission coefficient
    double Rs = 0.0; // ohms
};

// The forward voltage at a current above 0.
double ForwardVoltage(const LedCurve& curve, double amps);

// The current at which the LED's own voltage plus extraOhms·I is 'volts':
// the inverse of the curve, with more resistance in series. Never negative
// and never NaN: a voltage far below the curve gives a current that tends
// to 0. With no resistance at all (Rs and extraOhms 0) the current is the
// diode's exponential, which may be +infinity.
double CurrentAt(const LedCurve& curve, double volts, double extraOhms = 0.0);

// The curve through one measured point with a typical white LED's slope.
LedCurve CurveThrough(LedPoint point);

// The points a curve may miss by, in a least-squares fit, before they are
// refused as no curve of this form.
inline constexpr double LargestFitMiss = 0.05; // V

// Least squares over two or more points (B and Rs kept at or above 0); two
// points are met exactly, with the typical logarithmic slope where the pair
// allows it. A refusal in words when a point is not above 0 in both
// quantities, when the voltage does not rise with the current, or when the
// best curve misses a point by more than LargestFitMiss.
std::variant<LedCurve, std::string> FitCurve(std::span<const LedPoint> points);

SpiceDiode SpiceOf(const LedCurve& curve);
LedCurve DiodeCurve(const SpiceDiode& diode);

// A diode's parameters as SPICE writes them: "IS=4.4e-9 N=8.39 RS=7.8",
// also inside ".model NAME D(...)", in any case, numbers with an exponent or
// a SPICE scale suffix (f p n u m k meg g t). Other parameters (XTI, EG,
// TNOM...) are left aside; RS is 0 when not given. A refusal in words
// otherwise.
std::variant<SpiceDiode, std::string> ReadSpiceDiode(std::string_view text);

} // namespace lumora
