// SPDX-License-Identifier: MIT
#include "calc/light/discharge_step.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace lumora::discharge_step {

double StepHours(const Node& from, const Node& to)
{
    if (!(from.at.Point.BatteryAmps > 0.0) || !(to.at.Point.BatteryAmps > 0.0))
        return std::numeric_limits<double>::infinity();
    return (to.cell.DrawnAh - from.cell.DrawnAh) * (1.0 / from.at.Point.BatteryAmps + 1.0 / to.at.Point.BatteryAmps) /
           2.0;
}

Stepper::Stepper(const DischargeRequest& request)
    : m_request(request), m_heat(request.Heat), m_thermal(HasHost(request.Heat.Host))
{
    if (m_thermal && m_heat.LimitC)
        m_targetW = (*m_heat.LimitC - m_heat.AmbientC) / m_heat.Host.KelvinPerWatt;
}

namespace {

// A direct driver's PWM: every current and power the average over its
// period, at 'duty' of the time on.
void ByDuty(DriverPoint& at, double duty)
{
    OperatingPoint& p = at.Point;
    p.BatteryAmps *= duty;
    p.LedAmps *= duty;
    p.ResistorWatts *= duty;
    p.LedWatts *= duty;
    p.SourceWatts *= duty;
    at.InternalWatts *= duty;
    at.DriverWatts *= duty;
}

// The circuit fed by the cell at its state: the source behind the internal
// resistance is the rest curve less the polarisation, whose loss the cell's
// own loss includes.
DriverPoint OperateCell(const Driver& driver, const LedString& leds, const CellModel& cell, const CellState& state)
{
    DriverPoint at = Operate(driver, leds, SourceVoltage(cell, state), ResistanceAt(cell, state), cell.CutOffVolts);
    at.InternalWatts += at.Point.BatteryAmps * state.PolarisationVolts;
    return at;
}

} // namespace

Node Stepper::At(const CellState& state, double hostC, double hours, double heatHint) const
{
    Node node;
    node.cell = state;
    node.ledHeatW = heatHint;
    node.hours = hours;
    node.openCircuitVolts = AvailableVoltage(m_request.Battery, state);
    if (!m_thermal) {
        // A timed step-down needs no heat: the driver's share of its output.
        node.throttle = FullThrottle(hours);
        Driver driver = m_request.Driver;
        const bool direct = driver.Kind == DriverKind::Direct;
        if (!direct)
            driver.RegulatedAmps *= node.throttle;
        node.at = OperateCell(driver, m_request.Leds, m_request.Battery, state);
        node.ledAmps = node.at.Point.LedAmps;
        if (direct)
            ByDuty(node.at, node.throttle);
        return node;
    }
    node.hostC = hostC;
    const double full = FullThrottle(hours);
    Throttle(node, full);
    if (m_heat.LimitC && hostC >= *m_heat.LimitC - 1e-9 && node.heatW > m_targetW && node.at.Running) {
        node.hostC = *m_heat.LimitC;
        HoldAtLimit(node, full);
        node.limited = true;
    }
    return node;
}

Node Stepper::StepTo(const Node& from, double drawnAh) const
{
    CellState moved = from.cell;
    moved.DrawnAh = drawnAh;
    Node next = At(moved, from.hostC, from.hours, from.ledHeatW);
    const bool dynamic = HasDynamics(m_request.Battery);
    if (!dynamic && !m_thermal) {
        next.hours = from.hours + StepHours(from, next);
        return next;
    }
    double lastHours = 0.0;
    for (int round = 0; round < LagRounds; ++round) {
        const double hours = StepHours(from, next);
        if (!std::isfinite(hours) || !(hours > 0.0) || std::fabs(hours - lastHours) <= 1e-13 * hours)
            break;
        lastHours = hours;
        // The cell's surroundings: the host, or the air.
        const double around = m_thermal ? from.hostC : m_heat.AmbientC;
        CellState state =
            dynamic ? Advance(m_request.Battery, from.cell, (drawnAh - from.cell.DrawnAh) / hours, hours, around)
                    : next.cell;
        state.DrawnAh = drawnAh;
        const double host = m_thermal ? HostAfter(m_heat.Host, m_heat.AmbientC, from.hostC,
                                                  (from.heatW + next.heatW) / 2.0, hours * SecondsPerHour)
                                      : 0.0;
        next = At(state, host, from.hours + hours, next.ledHeatW);
    }
    next.hours = from.hours + StepHours(from, next);
    return next;
}

double Stepper::Output(const Node& node) const
{
    if (!node.at.Running)
        return 0.0;
    // A throttled direct driver's LEDs carry their full current for the duty's share of the time.
    const double duty = DirectDuty(node);
    const double amps = node.ledAmps;
    if (m_request.Flux.empty())
        return m_request.Leds.Count * amps * duty;
    const std::optional<double> lumens = LumensAt(m_request.Flux, amps);
    if (!lumens) {
        m_beyondFluxAmps = std::max(m_beyondFluxAmps, amps);
        return m_request.Leds.Count * amps * duty;
    }
    return m_request.Leds.Count * *lumens * node.fluxFactor * duty * m_request.OpticsShare;
}

Node Stepper::Boundary(const Node& start, double to, const std::function<bool(const Node&)>& holds) const
{
    double from = start.cell.DrawnAh;
    // Placed to a ten-billionth of the capacity: far finer than any row shows.
    const double close = BoundaryShare * m_request.Battery.CapacityAh;
    for (int i = 0; i < Bisections && to - from > close; ++i) {
        const double middle = from + (to - from) / 2.0;
        (holds(StepTo(start, middle)) ? from : to) = middle;
    }
    return StepTo(start, from);
}

DischargeRow Stepper::Row(const Node& node) const
{
    const OperatingPoint& p = node.at.Point;
    DischargeRow row;
    row.Hours = node.hours;
    row.OpenCircuitVolts = node.openCircuitVolts;
    row.TerminalVolts = p.TerminalVolts;
    row.BatteryAmps = p.BatteryAmps;
    row.LedAmps = p.LedAmps;
    row.LedVolts = p.LedVolts;
    row.ResistorWatts = p.ResistorWatts;
    row.LedWatts = p.LedWatts;
    row.LossWatts = node.at.InternalWatts + node.at.DriverWatts;
    row.Output = Output(node);
    row.Regulated = node.at.Regulated;
    if (m_thermal) {
        row.HostC = node.hostC;
        row.JunctionC = JunctionC(m_heat.Led, node.hostC, node.ledHeatW);
        row.HeatW = node.heatW;
        row.Throttle = node.throttle;
        row.Limited = node.limited;
    }
    return row;
}

double Stepper::FullThrottle(double hours) const
{
    const std::optional<StepDown>& down = m_heat.TimedStepDown;
    return down && hours * 60.0 >= down->AfterMinutes - 1e-9 ? down->Fraction : 1.0;
}

void Stepper::HoldAtLimit(Node& node, double full) const
{
    double low = 0.0, high = full;
    double lowExcess = -m_targetW, highExcess = node.heatW - m_targetW;
    int side = 0;
    for (int i = 0; i < ThrottleRounds; ++i) {
        const double at = (low * highExcess - high * lowExcess) / (highExcess - lowExcess);
        Throttle(node, at);
        const double excess = node.heatW - m_targetW;
        if (std::fabs(excess) <= 1e-9 * m_targetW)
            return;
        if (excess > 0.0) {
            high = at;
            highExcess = excess;
            if (side == -1)
                lowExcess /= 2.0;
            side = -1;
        } else {
            low = at;
            lowExcess = excess;
            if (side == 1)
                highExcess /= 2.0;
            side = 1;
        }
    }
}

double Stepper::DirectDuty(const Node& node) const
{
    return m_request.Driver.Kind == DriverKind::Direct ? node.throttle : 1.0;
}

void Stepper::Throttle(Node& node, double throttle) const
{
    Driver driver = m_request.Driver;
    const bool direct = driver.Kind == DriverKind::Direct;
    if (!direct)
        driver.RegulatedAmps *= throttle;
    LedString leds = m_request.Leds;
    const double count = leds.Count;
    double ledHeat = node.ledHeatW;
    DriverPoint at;
    for (int round = 0; round < HeatRounds; ++round) {
        leds.Curve.A = m_request.Leds.Curve.A + VoltShift(m_heat.Led, node.hostC, ledHeat);
        at = OperateCell(driver, leds, m_request.Battery, node.cell);
        const double electric = at.Point.LedWatts / count;
        std::optional<double> lumens =
            m_request.Flux.empty() ? std::nullopt : LumensAt(m_request.Flux, at.Point.LedAmps);
        const double optical = lumens ? *lumens * FluxFactor(m_heat.Led, node.hostC, ledHeat) / WhiteLumensPerWatt
                                      : electric * m_heat.Led.WallPlugEfficiency;
        ledHeat = std::max(0.0, electric - optical);
    }
    node.throttle = throttle;
    node.ledAmps = at.Point.LedAmps;
    node.ledHeatW = ledHeat;
    node.fluxFactor = FluxFactor(m_heat.Led, node.hostC, ledHeat);
    // The light the optics do not pass is absorbed in the head.
    const double lostW = (1.0 - m_request.OpticsShare) * std::max(0.0, at.Point.LedWatts / count - ledHeat);
    const double duty = direct ? throttle : 1.0;
    ByDuty(at, duty);
    const OperatingPoint& p = at.Point;
    node.at = at;
    node.heatW = (ledHeat + lostW) * count * duty + p.ResistorWatts + at.DriverWatts +
                 (m_heat.Host.CellInside ? at.InternalWatts : 0.0);
}

} // namespace lumora::discharge_step
