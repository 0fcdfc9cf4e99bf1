// SPDX-License-Identifier: MIT
#pragma once

#include "calc/light/cell_model.h"
#include "calc/light/driver.h"
#include "calc/light/led_presets.h"
#include "calc/light/thermal.h"

#include <optional>
#include <vector>

namespace lumora {

// A light run from a full cell until it fades: the runtime graph and the
// ANSI/PLATO FL1 figures taken from it.

struct DischargeRequest {
    CellModel Battery; // the cells as the light carries them: one, or a pack
    LedString Leds;
    lumora::Driver Driver;
    std::vector<FluxPoint> Flux; // of one LED; empty: output is counted in LED current
    // The share of the LEDs' light that leaves the light through its
    // reflector or optic and lens; the rest warms the head (the host).
    double OpticsShare = 1.0;
    double StepFraction = 0.01; // the most charge one step draws, as a fraction of the capacity
    double StartDrawnAh = 0.0;  // charge already drawn at switch-on; the cell has rested since
    // The host, the LED's thermal figures, a temperature limit and a timed
    // step-down; without a host (HasHost) the LEDs stay at their points'
    // own temperatures, and neither limit nor step-down acts.
    lumora::Heat Heat;
};

// The run ends after this long at the latest.
inline constexpr double LongestRunHours = 7 * 24;
// ... or once the output falls below this fraction of its start.
inline constexpr double FadedFraction = 0.01;
// A step draws less charge where the battery current changes faster than this.
inline constexpr double LargestCurrentChange = 0.1;
// ... or where the host warms or cools by more than this, K, at steps of
// 1 % (in proportion for others).
inline constexpr double LargestHostChange = 0.5;

// The state at one moment. Currents in A, voltages in V, powers in W.
struct DischargeRow {
    double Hours = 0.0;
    double OpenCircuitVolts = 0.0, TerminalVolts = 0.0, BatteryAmps = 0.0;
    double LedAmps = 0.0, LedVolts = 0.0; // each LED
    double ResistorWatts = 0.0, LedWatts = 0.0;
    double LossWatts = 0.0;     // internal resistance and driver
    double Output = 0.0;        // lumens out the front, of all LEDs, or their current in A without flux points
    double OutputPercent = 0.0; // of the output 30 s after switch-on
    bool Regulated = false;
    bool Lit = true; // false in the last row of a run that stopped (cut-off, empty cell)
    // With a host: its temperature, the LEDs' junction's, all the heat
    // entering the host (W), and the share of its full output the driver
    // gives (the regulated current's, or a direct driver's PWM duty).
    double HostC = 0.0, JunctionC = 0.0, HeatW = 0.0, Throttle = 1.0;
    bool Limited = false;     // held at the thermal limit
    bool SteppedDown = false; // the driver's timed step-down takes effect here
};

enum class DischargeStart {
    Lit,
    Dark,        // the full cell cannot light the LEDs
    CannotPower, // the full cell cannot give the converter its power
    Unlimited,   // nothing limits the current: no resistance anywhere
};

enum class DischargeEnd { CutOff, Faded, Empty, LongestRun };

struct DischargeSummary {
    DischargeStart Start = DischargeStart::Lit;
    DischargeEnd End = DischargeEnd::Empty;
    bool InLumens = false;
    // The highest LED current of a run that had flux points but reached
    // beyond them, and so is counted in LED current instead; 0 otherwise.
    double BeyondFluxAmps = 0.0;
    double StartOutput = 0.0;
    double Output30s = 0.0;
    double Fl1Hours = 0.0;  // until the output falls to 10 % of Output30s; the run's end if it never does
    bool Fl1Reached = true; // false when the run stopped after LongestRunHours first
    double HalfHours = 0.0; // until 50 % of Output30s, likewise
    double RegulatedHours = 0.0;
    double EndHours = 0.0;
    double DrawnWh = 0.0;     // from the cell: open-circuit voltage times current
    double DeliveredWh = 0.0; // to the LEDs
    double ResistorWh = 0.0, InternalWh = 0.0, DriverWh = 0.0;
    double AverageEfficiency = 0.0; // delivered over drawn
    // When the driver first lowers its output (a timed step-down or the
    // limit reached); nullopt when it never does. Until then the light
    // gives its turbo.
    std::optional<double> TurboHours;
    // With a host: the hottest it gets, when the limit was reached (never:
    // nullopt), and the level the light settles at (SettledKelvins): its time,
    // output, LED current and heat; nullopt when the cell fades first.
    // Without a host, the level after a timed step-down, if there is one.
    double PeakHostC = 0.0;
    std::optional<double> LimitHours;
    std::optional<double> SettledHours;
    double SustainedOutput = 0.0, SustainedLedAmps = 0.0, SustainedHeatW = 0.0;
};

// The light has settled once the driver has made its last change (the last
// timed step-down, or the limit reached) and over the next SettledMinutes
// of the lit run the host moves by SettledKelvins at most and the output by
// SettledShare of itself at most; without a host, at the last step-down
// itself; held at the limit, where the limit is reached. A cell that fades
// first (a direct driver's falling output) never lets it settle.
inline constexpr double SettledKelvins = 0.5;
inline constexpr double SettledShare = 0.02;
inline constexpr double SettledMinutes = 10.0;

struct Discharge {
    std::vector<DischargeRow> Rows;
    DischargeSummary Summary;
};

// Steps the charge drawn from full, at most StepFraction of the capacity a
// step (less where the current changes fast), each step's time from the
// charge over the current; stops at a converter's cut-off, when the output
// falls below FadedFraction of its start, when the cell is empty, or after
// LongestRunHours. The ends of regulation and the cut-off are found exactly
// and become rows of their own. Nothing is stepped unless Start is Lit.
// Output is in lumens when flux points are given and every row's LED
// current lies within them (LumensAt); a run that reaches beyond them is
// counted in LED current throughout, so that its FL1 figures compare one
// quantity, and says how far it reached (BeyondFluxAmps).
Discharge RunDischarge(const DischargeRequest& request);

// The same run only as far as its first step past 'seconds', with the
// same steps, so that its figures up to then (Output30s above all) are the
// whole run's; in lumens even where it reaches beyond the flux points
// (BeyondFluxAmps says so), as it is not run again in current.
Discharge RunFirstSeconds(const DischargeRequest& request, double seconds);

} // namespace lumora
