// SPDX-License-Identifier: MIT
#include "calc/light/discharge.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace lumora {

namespace {

// A current no flashlight reaches: above it, nothing but the LEDs' own
// exponential limits the current.
constexpr double UnlimitedAmps = 1e4;
constexpr double ThirtySecondsInHours = 30.0 / 3600.0;
// Halvings of a step where the current changes fast.
constexpr int MostHalvings = 6;
// Bisections to place the end of regulation, a cut-off or the end of the longest run.
constexpr int Bisections = 60;

// Fixed-point rounds for a step's time and the bound well's lag, which
// depend on each other through the current; and for the LEDs' heat and
// their forward voltage, which depend on each other through the junction.
constexpr int LagRounds = 4;
constexpr int HeatRounds = 2;
// More halvings where the host changes fast: it can warm by kelvins in the
// time a step draws 1 % of the charge.
constexpr int MostThermalHalvings = 14;
// Rounds for the throttle that holds the host at its limit.
constexpr int ThrottleRounds = 40;
constexpr double SecondsPerHour = 3600.0;

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
double StepHours(const Node& from, const Node& to)
{
    if (!(from.at.Point.BatteryAmps > 0.0) || !(to.at.Point.BatteryAmps > 0.0))
        return std::numeric_limits<double>::infinity();
    return (to.cell.DrawnAh - from.cell.DrawnAh) * (1.0 / from.at.Point.BatteryAmps + 1.0 / to.at.Point.BatteryAmps) /
           2.0;
}

class Stepper {
  public:
    explicit Stepper(const DischargeRequest& request)
        : m_request(request), m_heat(request.Heat), m_thermal(HasHost(request.Heat.Host))
    {
        if (m_thermal && m_heat.LimitC)
            m_targetW = (*m_heat.LimitC - m_heat.AmbientC) / m_heat.Host.KelvinPerWatt;
    }

    bool Thermal() const { return m_thermal; }
    double AmbientC() const { return m_thermal ? m_heat.AmbientC : 0.0; }

    // The node at a cell state, a host temperature and a time: at the full
    // output the step-down allows, or, where that would heat the host at its
    // limit beyond what it sheds, throttled to shed just that.
    // 'heatHint' is a near node's heat per LED, to start the junction's
    // fixed point from.
    Node At(const CellState& state, double hostC, double hours, double heatHint = 0.0) const
    {
        Node node;
        node.cell = state;
        node.ledHeatW = heatHint;
        node.hours = hours;
        node.openCircuitVolts = AvailableVoltage(m_request.Cell, state);
        if (!m_thermal) {
            node.at = Operate(m_request.Driver, m_request.Leds, node.openCircuitVolts,
                              ResistanceAt(m_request.Cell, state), m_request.Cell.CutOffVolts);
            node.ledAmps = node.at.Point.LedAmps;
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

    // The node once the charge drawn has reached 'drawnAh' from 'from': its
    // time by the trapezoid on 1/I, the bound well's lag advanced at the
    // step's mean current over that time, and the host at the step's mean
    // heat, found together.
    Node StepTo(const Node& from, double drawnAh) const
    {
        Node next = At({drawnAh, from.cell.Lag}, from.hostC, from.hours, from.ledHeatW);
        const bool bound = m_request.Cell.AvailableShare < 1.0;
        if (!bound && !m_thermal) {
            next.hours = from.hours + StepHours(from, next);
            return next;
        }
        double lastHours = 0.0;
        for (int round = 0; round < LagRounds; ++round) {
            const double hours = StepHours(from, next);
            if (!std::isfinite(hours) || !(hours > 0.0) || std::fabs(hours - lastHours) <= 1e-13 * hours)
                break;
            lastHours = hours;
            CellState state =
                bound ? Advance(m_request.Cell, from.cell, (drawnAh - from.cell.DrawnAh) / hours, hours) : next.cell;
            state.DrawnAh = drawnAh;
            const double host = m_thermal ? HostAfter(m_heat.Host, m_heat.AmbientC, from.hostC,
                                                      (from.heatW + next.heatW) / 2.0, hours * SecondsPerHour)
                                          : 0.0;
            next = At(state, host, from.hours + hours, next.ledHeatW);
        }
        next.hours = from.hours + StepHours(from, next);
        return next;
    }

    double Output(const Node& node) const
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
        return m_request.Leds.Count * *lumens * node.fluxFactor * duty;
    }

    // The highest LED current met beyond the flux points so far; 0 if none.
    double BeyondFluxAmps() const { return m_beyondFluxAmps; }

    // The node of the most charge between 'start' and 'to' at which 'holds'
    // is still true, given that it holds at 'start' and not at 'to'.
    template <typename Test> Node Boundary(const Node& start, double to, Test holds) const
    {
        double from = start.cell.DrawnAh;
        for (int i = 0; i < Bisections; ++i) {
            const double middle = from + (to - from) / 2.0;
            (holds(StepTo(start, middle)) ? from : to) = middle;
        }
        return StepTo(start, from);
    }

    DischargeRow Row(const Node& node) const
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

  private:
    // The share of full output the step-down allows at a time.
    double FullThrottle(double hours) const
    {
        const std::optional<StepDown>& down = m_heat.TimedStepDown;
        return down && hours * 60.0 >= down->AfterMinutes - 1e-9 ? down->Fraction : 1.0;
    }

    // The throttle whose heat is what the host sheds at its limit: the heat
    // rises steadily with the throttle (in proportion to a direct driver's
    // duty), so regula falsi (the Illinois variant) on [0, full] finds it.
    void HoldAtLimit(Node& node, double full) const
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

    double DirectDuty(const Node& node) const
    {
        return m_request.Driver.Kind == DriverKind::Direct ? node.throttle : 1.0;
    }

    // The circuit at a throttle, its LEDs at their junction's temperature:
    // the forward voltage shifted by it and the heat that sets it, found
    // together; for a direct driver every power and current the average
    // over the PWM period.
    void Throttle(Node& node, double throttle) const
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
            at = Operate(driver, leds, node.openCircuitVolts, ResistanceAt(m_request.Cell, node.cell),
                         m_request.Cell.CutOffVolts);
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
        const double duty = direct ? throttle : 1.0;
        OperatingPoint& p = at.Point;
        p.BatteryAmps *= duty;
        p.LedAmps *= duty;
        p.ResistorWatts *= duty;
        p.LedWatts *= duty;
        p.SourceWatts *= duty;
        at.InternalWatts *= duty;
        at.DriverWatts *= duty;
        node.at = at;
        node.heatW = ledHeat * count * duty + p.ResistorWatts + at.DriverWatts +
                     (m_heat.Host.CellInside ? at.InternalWatts : 0.0);
    }

    const DischargeRequest& m_request;
    const Heat& m_heat;
    bool m_thermal = false;
    double m_targetW = 0.0;
    mutable double m_beyondFluxAmps = 0.0;
};

// When the output first falls to 'level', interpolated between rows; nullopt if never.
std::optional<double> FallsTo(const std::vector<DischargeRow>& rows, double level)
{
    for (std::size_t k = 1; k < rows.size(); ++k) {
        if (rows[k].Output <= level && rows[k - 1].Output > level) {
            const double part = (rows[k - 1].Output - level) / (rows[k - 1].Output - rows[k].Output);
            return rows[k - 1].Hours + part * (rows[k].Hours - rows[k - 1].Hours);
        }
    }
    return std::nullopt;
}

double OutputAt(const std::vector<DischargeRow>& rows, double hours)
{
    for (std::size_t k = 1; k < rows.size(); ++k) {
        if (rows[k].Hours >= hours && rows[k].Hours > rows[k - 1].Hours) {
            const double part = (hours - rows[k - 1].Hours) / (rows[k].Hours - rows[k - 1].Hours);
            return rows[k - 1].Output + part * (rows[k].Output - rows[k - 1].Output);
        }
    }
    return rows.back().Lit ? rows.back().Output : rows.front().Output;
}

// One run, its output in lumens when the request carries flux points.
Discharge Run(const DischargeRequest& request)
{
    Discharge result;
    DischargeSummary& summary = result.Summary;
    summary.InLumens = !request.Flux.empty();
    const Stepper stepper(request);
    Node previous = stepper.At({request.StartDrawnAh, 0.0}, stepper.AmbientC(), 0.0);
    if (!previous.at.Running) {
        summary.Start = DischargeStart::CannotPower;
        return result;
    }
    if (!(previous.at.Point.LedAmps < UnlimitedAmps)) {
        summary.Start = DischargeStart::Unlimited;
        return result;
    }
    if (previous.at.Point.LedAmps < DarkLedAmps) {
        summary.Start = DischargeStart::Dark;
        return result;
    }
    summary.StartOutput = stepper.Output(previous);
    result.Rows.push_back(stepper.Row(previous));

    const CellModel& cell = request.Cell;
    const double capacity = cell.CapacityAh;
    const double step = request.StepFraction * capacity;
    // With a bound well, the available one may empty before the whole charge is drawn.
    const bool bound = cell.AvailableShare < 1.0;
    double hours = 0.0;
    bool regulationEnded = false;
    const std::optional<StepDown>& stepDown = request.Heat.TimedStepDown;
    const double stepDownHours = stepper.Thermal() && stepDown ? stepDown->AfterMinutes / 60.0 : INFINITY;
    double lastSize = step;
    bool steppedDown = false;
    // The host's largest change a step, in proportion to the step's charge,
    // so that halving the step halves it too.
    const double hostChange = LargestHostChange * request.StepFraction / 0.01;
    for (;;) {
        if (AvailableEmpty(cell, previous.cell)) {
            summary.End = DischargeEnd::Empty;
            break;
        }
        const double drawn = previous.cell.DrawnAh;
        // A warming host starts from twice the last step's size rather than
        // the whole step, so as not to halve its way down every time.
        double size = std::min(
            {step, stepper.Thermal() ? 2.0 * lastSize : step, capacity - drawn - BoundBehind(cell, previous.cell)});
        Node next = stepper.StepTo(previous, drawn + size);
        // Halved while the current or the host change fast, each down to
        // its own smallest step.
        const auto halve = [&] {
            const double from = previous.at.Point.BatteryAmps, to = next.at.Point.BatteryAmps;
            const bool current = std::fabs(to - from) > LargestCurrentChange * std::max(from, to);
            const bool host = std::fabs(next.hostC - previous.hostC) > hostChange;
            return next.at.Running && ((current && size > step / (1 << MostHalvings) * 1.000001) ||
                                       (host && size > step / (1 << MostThermalHalvings) * 1.000001));
        };
        while (halve()) {
            size /= 2.0;
            next = stepper.StepTo(previous, drawn + size);
        }
        lastSize = size;
        bool stopped = false;
        bool emptied = false;
        // A change of the driver's own (the limit reached, the step-down's
        // time) is a moment of its own: the step ends just before, and the
        // next starts there with the changed driver.
        bool changes = false;
        bool limitReached = false;
        if (next.at.Running && !previous.limited && next.limited) {
            next = stepper.Boundary(previous, next.cell.DrawnAh, [](const Node& n) { return !n.limited; });
            changes = limitReached = true;
        } else if (next.at.Running && !steppedDown && next.hours >= stepDownHours) {
            next =
                stepper.Boundary(previous, next.cell.DrawnAh, [&](const Node& n) { return n.hours < stepDownHours; });
            changes = true;
        } else if (!next.at.Running) {
            next = stepper.Boundary(previous, next.cell.DrawnAh, [](const Node& n) { return n.at.Running; });
            stopped = true;
        } else if (bound && AvailableEmpty(cell, next.cell)) {
            next = stepper.Boundary(previous, next.cell.DrawnAh,
                                    [&](const Node& n) { return !AvailableEmpty(cell, n.cell); });
            emptied = true;
        } else if (previous.at.Regulated && !next.at.Regulated && !regulationEnded) {
            regulationEnded = true;
            next = stepper.Boundary(previous, next.cell.DrawnAh, [](const Node& n) { return n.at.Regulated; });
        }
        double stepHours = StepHours(previous, next);
        bool longest = false;
        if (!(hours + stepHours <= LongestRunHours)) {
            changes = false;
            const double left = LongestRunHours - hours;
            next = stepper.Boundary(previous, next.cell.DrawnAh,
                                    [&](const Node& n) { return StepHours(previous, n) <= left; });
            stepHours = StepHours(previous, next);
            longest = true;
            emptied = stopped = false;
        }

        // Every power by the same trapezoid, so that the energies balance
        // exactly as the powers do at each node.
        const auto energy = [&](auto power) { return (power(previous) + power(next)) / 2.0 * stepHours; };
        summary.DrawnWh += energy([](const Node& n) { return n.openCircuitVolts * n.at.Point.BatteryAmps; });
        summary.DeliveredWh += energy([](const Node& n) { return n.at.Point.LedWatts; });
        summary.ResistorWh += energy([](const Node& n) { return n.at.Point.ResistorWatts; });
        summary.InternalWh += energy([](const Node& n) { return n.at.InternalWatts; });
        summary.DriverWh += energy([](const Node& n) { return n.at.DriverWatts; });
        hours += stepHours;
        next.hours = hours;
        result.Rows.push_back(stepper.Row(next));
        previous = next;
        if (changes) {
            // The driver's change at once: the same moment, held at the
            // limit or stepped down.
            steppedDown = steppedDown || !limitReached;
            previous = limitReached ? stepper.At(next.cell, *request.Heat.LimitC, hours)
                                    : stepper.At(next.cell, next.hostC, std::max(hours, stepDownHours));
            previous.hours = hours;
            result.Rows.push_back(stepper.Row(previous));
        }

        if (stopped || longest || emptied) {
            summary.End = stopped ? DischargeEnd::CutOff : longest ? DischargeEnd::LongestRun : DischargeEnd::Empty;
            break;
        }
        if (stepper.Output(next) < FadedFraction * summary.StartOutput) {
            summary.End = DischargeEnd::Faded;
            break;
        }
    }
    summary.EndHours = hours;
    if (summary.End == DischargeEnd::CutOff || summary.End == DischargeEnd::Empty) {
        // The light goes out: a last row without current.
        DischargeRow out;
        out.Hours = hours;
        out.OpenCircuitVolts = out.TerminalVolts = previous.openCircuitVolts;
        out.Lit = false;
        if (stepper.Thermal())
            out.HostC = out.JunctionC = previous.hostC; // no heat: the junction at the host
        result.Rows.push_back(out);
    }

    std::vector<DischargeRow>& rows = result.Rows;
    for (const DischargeRow& row : rows) {
        if (!row.Regulated)
            break;
        summary.RegulatedHours = row.Hours;
    }
    if (stepper.Thermal()) {
        const auto hottest = std::max_element(
            rows.begin(), rows.end(), [](const DischargeRow& a, const DischargeRow& b) { return a.HostC < b.HostC; });
        const auto limited =
            std::find_if(rows.begin(), rows.end(), [](const DischargeRow& row) { return row.Limited; });
        const DischargeRow& held = limited != rows.end() ? *limited : *hottest;
        summary.PeakHostC = hottest->HostC;
        if (limited != rows.end())
            summary.LimitHours = limited->Hours;
        summary.SustainedOutput = held.Output;
        summary.SustainedLedAmps = held.LedAmps;
        summary.SustainedHeatW = held.HeatW;
    }
    summary.Output30s = OutputAt(rows, ThirtySecondsInHours);
    if (!(summary.Output30s > 0.0))
        summary.Output30s = summary.StartOutput;
    for (DischargeRow& row : rows)
        row.OutputPercent = 100.0 * row.Output / summary.Output30s;
    const std::optional<double> fl1 = FallsTo(rows, 0.1 * summary.Output30s);
    const std::optional<double> half = FallsTo(rows, 0.5 * summary.Output30s);
    summary.Fl1Hours = fl1.value_or(summary.EndHours);
    summary.Fl1Reached = fl1 || summary.End != DischargeEnd::LongestRun;
    summary.HalfHours = half.value_or(summary.EndHours);
    summary.AverageEfficiency = summary.DrawnWh > 0.0 ? summary.DeliveredWh / summary.DrawnWh : 0.0;
    summary.BeyondFluxAmps = stepper.BeyondFluxAmps();
    return result;
}

} // namespace

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
