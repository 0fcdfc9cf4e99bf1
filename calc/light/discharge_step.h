// SPDX-License-Identifier: MIT
#pragma once

#include "calc/light/discharge.h"

#include <functional>

namespace lumora::discharge_step {

// One step of a discharge: the circuit at a state of the cell, the host's
// temperature and the driver's throttle, the LEDs at their junction's
// temperature; the run's loop (discharge.cpp) steps from node to node.

// A current no flashlight reaches: above it, nothing but the LEDs' own
// exponential limits the current.
inline constexpr double UnlimitedAmps = 1e4;
// Halvings of a step where the current changes fast.
inline constexpr int MostHalvings = 6;
// Bisections to place the end of regulation, a cut-off or the end of the
// longest run: at most, and until it is placed to this share of the capacity.
inline constexpr int Bisections = 60;
inline constexpr double BoundaryShare = 1e-10;

// Fixed-point rounds for a step's time and the bound well's lag, which
// depend on each other through the current; and for the LEDs' heat and
// their forward voltage, which depend on each other through the junction.
inline constexpr int LagRounds = 4;
inline constexpr int HeatRounds = 2;
// More halvings where the host changes fast: it can warm by kelvins in the
// time a step draws 1 % of the charge.
inline constexpr int MostThermalHalvings = 14;
// Rounds for the throttle that holds the host at its limit.
inline constexpr int ThrottleRounds = 40;
inline constexpr double SecondsPerHour = 3600.0;

// The circuit once some charge has been drawn, and with a host, its
// temperature and the throttle.
struct Node {
    CellState cell;
    double openCircuitVolts = 0.0; // the rest curve at the available well's level
    DriverPoint at;                // averaged over the PWM period of a throttled direct driver
    double hours = 0.0;
    double hostC = 0.0;
    double throttle = 1.0;
    bool limited = false;
    double ledAmps = 0.0;    // while on: the PWM's peak for a throttled direct driver
    double ledHeatW = 0.0;   // per LED, while on
    double heatW = 0.0;      // into the host, averaged
    double fluxFactor = 1.0; // of the junction's temperature
};

// Hours to draw the charge between two nodes: the trapezoid rule on 1/I;
// without a current, never.
double StepHours(const Node& from, const Node& to);

class Stepper {
  public:
    explicit Stepper(const DischargeRequest& request);
    bool Thermal() const { return m_thermal; }
    double AmbientC() const { return m_thermal ? m_heat.AmbientC : 0.0; }
    // The node at a cell state, a host temperature and a time: at the full
    // output the step-down allows, or, where that would heat the host at its
    // limit beyond what it sheds, throttled to shed just that.
    // 'heatHint' is a near node's heat per LED, to start the junction's
    // fixed point from.
    Node At(const CellState& state, double hostC, double hours, double heatHint = 0.0) const;
    // The node once the charge drawn has reached 'drawnAh' from 'from': its
    // time by the trapezoid on 1/I, the bound well's lag advanced at the
    // step's mean current over that time, and the host at the step's mean
    // heat, found together.
    Node StepTo(const Node& from, double drawnAh) const;
    double Output(const Node& node) const;
    // The highest LED current met beyond the flux points so far; 0 if none.
    double BeyondFluxAmps() const { return m_beyondFluxAmps; }
    // The node of the most charge between 'start' and 'to' at which 'holds'
    // is still true, given that it holds at 'start' and not at 'to'.
    Node Boundary(const Node& start, double to, const std::function<bool(const Node&)>& holds) const;
    DischargeRow Row(const Node& node) const;

  private:
    // The share of full output the step-down allows at a time.
    double FullThrottle(double hours) const;
    // The throttle whose heat is what the host sheds at its limit: the heat
    // rises steadily with the throttle (in proportion to a direct driver's
    // duty), so regula falsi (the Illinois variant) on [0, full] finds it.
    void HoldAtLimit(Node& node, double full) const;
    double DirectDuty(const Node& node) const;
    // The circuit at a throttle, its LEDs at their junction's temperature:
    // the forward voltage shifted by it and the heat that sets it, found
    // together; for a direct driver every power and current the average
    // over the PWM period.
    void Throttle(Node& node, double throttle) const;

    const DischargeRequest& m_request;
    const Heat& m_heat;
    bool m_thermal = false;
    double m_targetW = 0.0;
    mutable double m_beyondFluxAmps = 0.0;
};

// The run's figures from its rows, once they are all made: the end of
// regulation, the host's, the FL1 figures and the average efficiency.
void Summarise(Discharge& result, bool thermal);

} // namespace lumora::discharge_step
