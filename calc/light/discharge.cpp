// SPDX-License-Identifier: MIT
#include "calc/light/discharge.h"

#include "calc/light/discharge_step.h"

#include <algorithm>
#include <cmath>

namespace lumora {

namespace {

using discharge_step::Node;
using discharge_step::StepHours;
using discharge_step::Stepper;

// What ends a step early: a moment of its own that becomes a row.
enum class Event { None, LimitReached, SteppedDown, Stopped, Emptied, RegulationEnded };

// The run's event loop: each step's size, what ends it early (the limit,
// the step-down's time, a cut-off, an empty well, the end of regulation,
// the longest run), its energies and its rows.
class Loop {
  public:
    Loop(const DischargeRequest& request, const Stepper& stepper, Discharge& result, Node start)
        : m_request(request), m_stepper(stepper), m_result(result), m_previous(std::move(start)),
          m_step(request.StepFraction * request.Battery.CapacityAh), m_lastSize(m_step),
          m_stepDownHours(request.Heat.TimedStepDown ? request.Heat.TimedStepDown->AfterMinutes / 60.0 : INFINITY),
          // The host's largest change a step, in proportion to the step's
          // charge, so that halving the step halves it too.
          m_hostChange(LargestHostChange * request.StepFraction / 0.01)
    {
    }

    // One step; false once the run has ended.
    bool Step();
    double Hours() const { return m_hours; }
    const Node& Last() const { return m_previous; }

  private:
    Node Sized(double drawn, double& size) const;
    Event Placed(Node& next) const;
    void Account(const Node& next, double stepHours);

    const DischargeRequest& m_request;
    const Stepper& m_stepper;
    Discharge& m_result;
    Node m_previous;
    double m_step, m_lastSize;
    double m_stepDownHours, m_hostChange;
    double m_hours = 0.0;
    bool m_regulationEnded = false, m_steppedDown = false;
};

// The node a step reaches: at most a whole step (a warming host from
// twice the last step's size, so as not to halve its way down every time),
// halved while the current or the host change fast, each down to its own
// smallest step.
Node Loop::Sized(double drawn, double& size) const
{
    const CellModel& cell = m_request.Battery;
    size = std::min({m_step, m_stepper.Thermal() ? 2.0 * m_lastSize : m_step,
                     cell.CapacityAh - drawn - BoundBehind(cell, m_previous.cell)});
    Node next = m_stepper.StepTo(m_previous, drawn + size);
    const auto halve = [&] {
        const double from = m_previous.at.Point.BatteryAmps, to = next.at.Point.BatteryAmps;
        const bool current = std::fabs(to - from) > LargestCurrentChange * std::max(from, to);
        const bool host = std::fabs(next.hostC - m_previous.hostC) > m_hostChange;
        return next.at.Running && ((current && size > m_step / (1 << discharge_step::MostHalvings) * 1.000001) ||
                                   (host && size > m_step / (1 << discharge_step::MostThermalHalvings) * 1.000001));
    };
    while (halve()) {
        size /= 2.0;
        next = m_stepper.StepTo(m_previous, drawn + size);
    }
    return next;
}

// The step's end moved back to the first event within it, if any.
Event Loop::Placed(Node& next) const
{
    const Node& from = m_previous;
    const double to = next.cell.DrawnAh;
    const CellModel& cell = m_request.Battery;
    if (next.at.Running && !from.limited && next.limited) {
        next = m_stepper.Boundary(from, to, [](const Node& n) { return !n.limited; });
        return Event::LimitReached;
    }
    if (next.at.Running && !m_steppedDown && next.hours >= m_stepDownHours) {
        next = m_stepper.Boundary(from, to, [&](const Node& n) { return n.hours < m_stepDownHours; });
        return Event::SteppedDown;
    }
    if (!next.at.Running) {
        next = m_stepper.Boundary(from, to, [](const Node& n) { return n.at.Running; });
        return Event::Stopped;
    }
    if (cell.AvailableShare < 1.0 && AvailableEmpty(cell, next.cell)) {
        next = m_stepper.Boundary(from, to, [&](const Node& n) { return !AvailableEmpty(cell, n.cell); });
        return Event::Emptied;
    }
    if (from.at.Regulated && !next.at.Regulated && !m_regulationEnded) {
        next = m_stepper.Boundary(from, to, [](const Node& n) { return n.at.Regulated; });
        return Event::RegulationEnded;
    }
    return Event::None;
}

// Every power by the same trapezoid, so that the energies balance exactly
// as the powers do at each node.
void Loop::Account(const Node& next, double stepHours)
{
    DischargeSummary& summary = m_result.Summary;
    const auto energy = [&](auto power) { return (power(m_previous) + power(next)) / 2.0 * stepHours; };
    summary.DrawnWh += energy([](const Node& n) { return n.openCircuitVolts * n.at.Point.BatteryAmps; });
    summary.DeliveredWh += energy([](const Node& n) { return n.at.Point.LedWatts; });
    summary.ResistorWh += energy([](const Node& n) { return n.at.Point.ResistorWatts; });
    summary.InternalWh += energy([](const Node& n) { return n.at.InternalWatts; });
    summary.DriverWh += energy([](const Node& n) { return n.at.DriverWatts; });
}

bool Loop::Step()
{
    DischargeSummary& summary = m_result.Summary;
    if (AvailableEmpty(m_request.Battery, m_previous.cell)) {
        summary.End = DischargeEnd::Empty;
        return false;
    }
    double size = 0.0;
    Node next = Sized(m_previous.cell.DrawnAh, size);
    m_lastSize = size;
    Event event = Placed(next);
    m_regulationEnded = m_regulationEnded || event == Event::RegulationEnded;
    double stepHours = StepHours(m_previous, next);
    if (!(m_hours + stepHours <= LongestRunHours)) {
        const double left = LongestRunHours - m_hours;
        const Node& from = m_previous;
        next = m_stepper.Boundary(from, next.cell.DrawnAh, [&](const Node& n) { return StepHours(from, n) <= left; });
        stepHours = StepHours(m_previous, next);
        summary.End = DischargeEnd::LongestRun;
        event = Event::None;
    }
    Account(next, stepHours);
    m_hours += stepHours;
    next.hours = m_hours;
    m_result.Rows.push_back(m_stepper.Row(next));
    m_previous = next;
    if (event == Event::LimitReached || event == Event::SteppedDown) {
        // The driver's change at once: the same moment, held at the limit
        // or stepped down.
        m_steppedDown = m_steppedDown || event == Event::SteppedDown;
        m_previous = event == Event::LimitReached
                         ? m_stepper.At(next.cell, *m_request.Heat.LimitC, m_hours)
                         : m_stepper.At(next.cell, next.hostC, std::max(m_hours, m_stepDownHours));
        m_previous.hours = m_hours;
        m_result.Rows.push_back(m_stepper.Row(m_previous));
        m_result.Rows.back().SteppedDown = event == Event::SteppedDown;
    }
    if (summary.End == DischargeEnd::LongestRun || event == Event::Stopped || event == Event::Emptied) {
        if (summary.End != DischargeEnd::LongestRun)
            summary.End = event == Event::Stopped ? DischargeEnd::CutOff : DischargeEnd::Empty;
        return false;
    }
    if (m_stepper.Output(next) < FadedFraction * summary.StartOutput) {
        summary.End = DischargeEnd::Faded;
        return false;
    }
    return true;
}

// Why a run cannot start from its first node; Lit when it can.
DischargeStart StartOf(const Node& first)
{
    if (!first.at.Running)
        return DischargeStart::CannotPower;
    if (!(first.at.Point.LedAmps < discharge_step::UnlimitedAmps))
        return DischargeStart::Unlimited;
    if (first.at.Point.LedAmps < DarkLedAmps)
        return DischargeStart::Dark;
    return DischargeStart::Lit;
}

// One run, its output in lumens when the request carries flux points; to
// its end, or only until its first step past 'untilHours'.
Discharge Run(const DischargeRequest& request, double untilHours = INFINITY)
{
    Discharge result;
    DischargeSummary& summary = result.Summary;
    summary.InLumens = !request.Flux.empty();
    const Stepper stepper(request);
    const Node first = stepper.At(RestingCell(request.Heat.AmbientC, request.StartDrawnAh), stepper.AmbientC(), 0.0);
    summary.Start = StartOf(first);
    if (summary.Start != DischargeStart::Lit)
        return result;
    summary.StartOutput = stepper.Output(first);
    result.Rows.push_back(stepper.Row(first));
    Loop loop(request, stepper, result, first);
    bool ended = false;
    while (!ended && loop.Hours() < untilHours)
        ended = !loop.Step();
    summary.EndHours = loop.Hours();
    if (ended && (summary.End == DischargeEnd::CutOff || summary.End == DischargeEnd::Empty)) {
        // The light goes out: a last row without current.
        DischargeRow out;
        out.Hours = loop.Hours();
        out.OpenCircuitVolts = out.TerminalVolts = loop.Last().openCircuitVolts;
        out.Lit = false;
        if (stepper.Thermal())
            out.HostC = out.JunctionC = loop.Last().hostC; // no heat: the junction at the host
        result.Rows.push_back(out);
    }
    discharge_step::Summarise(result, stepper.Thermal());
    summary.BeyondFluxAmps = stepper.BeyondFluxAmps();
    return result;
}

} // namespace

Discharge RunFirstSeconds(const DischargeRequest& request, double seconds) { return Run(request, seconds / 3600.0); }

Discharge RunDischarge(const DischargeRequest& request)
{
    Discharge result = Run(request);
    if (result.Summary.BeyondFluxAmps > 0.0) {
        DischargeRequest inCurrent = request;
        inCurrent.Flux.clear();
        const double beyond = result.Summary.BeyondFluxAmps;
        result = Run(inCurrent);
        result.Summary.BeyondFluxAmps = beyond;
    }
    return result;
}

} // namespace lumora
