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
// depend on each other through the current.
constexpr int LagRounds = 4;

// The circuit once some charge has been drawn.
struct Node {
    CellState cell;
    double openCircuitVolts = 0.0; // the rest curve at the available well's level
    DriverPoint at;
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
    explicit Stepper(const DischargeRequest& request) : m_request(request) {}

    Node At(const CellState& state) const
    {
        Node node;
        node.cell = state;
        node.openCircuitVolts = AvailableVoltage(m_request.Cell, state);
        node.at = Operate(m_request.Driver, m_request.Leds, node.openCircuitVolts, ResistanceAt(m_request.Cell, state),
                          m_request.Cell.CutOffVolts);
        return node;
    }

    // The node once the charge drawn has reached 'drawnAh' from 'from': its
    // time by the trapezoid on 1/I, and the bound well's lag advanced at the
    // step's mean current over that time, found together.
    Node StepTo(const Node& from, double drawnAh) const
    {
        Node next = At({drawnAh, from.cell.Lag});
        if (!(m_request.Cell.AvailableShare < 1.0))
            return next;
        for (int round = 0; round < LagRounds; ++round) {
            const double hours = StepHours(from, next);
            if (!std::isfinite(hours) || !(hours > 0.0))
                break;
            CellState state = Advance(m_request.Cell, from.cell, (drawnAh - from.cell.DrawnAh) / hours, hours);
            state.DrawnAh = drawnAh;
            next = At(state);
        }
        return next;
    }

    double Output(const Node& node) const
    {
        if (!node.at.Running)
            return 0.0;
        const double amps = node.at.Point.LedAmps;
        if (m_request.Flux.empty())
            return m_request.Leds.Count * amps;
        const std::optional<double> lumens = LumensAt(m_request.Flux, amps);
        if (!lumens) {
            m_beyondFluxAmps = std::max(m_beyondFluxAmps, amps);
            return m_request.Leds.Count * amps;
        }
        return m_request.Leds.Count * *lumens;
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

    DischargeRow Row(const Node& node, double hours) const
    {
        const OperatingPoint& p = node.at.Point;
        DischargeRow row;
        row.Hours = hours;
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
        return row;
    }

  private:
    const DischargeRequest& m_request;
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
    Node previous = stepper.At({request.StartDrawnAh, 0.0});
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
    result.Rows.push_back(stepper.Row(previous, 0.0));

    const CellModel& cell = request.Cell;
    const double capacity = cell.CapacityAh;
    const double step = request.StepFraction * capacity;
    // With a bound well, the available one may empty before the whole charge is drawn.
    const bool bound = cell.AvailableShare < 1.0;
    double hours = 0.0;
    bool regulationEnded = false;
    for (;;) {
        if (AvailableEmpty(cell, previous.cell)) {
            summary.End = DischargeEnd::Empty;
            break;
        }
        const double drawn = previous.cell.DrawnAh;
        double size = std::min(step, capacity - drawn - BoundBehind(cell, previous.cell));
        Node next = stepper.StepTo(previous, drawn + size);
        const auto changesFast = [&] {
            const double from = previous.at.Point.BatteryAmps, to = next.at.Point.BatteryAmps;
            return next.at.Running && std::fabs(to - from) > LargestCurrentChange * std::max(from, to);
        };
        for (int halving = 0; halving < MostHalvings && changesFast(); ++halving) {
            size /= 2.0;
            next = stepper.StepTo(previous, drawn + size);
        }
        bool stopped = false;
        bool emptied = false;
        if (!next.at.Running) {
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
        result.Rows.push_back(stepper.Row(next, hours));
        previous = next;

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
        result.Rows.push_back(out);
    }

    std::vector<DischargeRow>& rows = result.Rows;
    for (const DischargeRow& row : rows) {
        if (!row.Regulated)
            break;
        summary.RegulatedHours = row.Hours;
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
