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

// The circuit once some charge has been drawn.
struct Node {
    double drawnAh = 0.0;
    double openCircuitVolts = 0.0;
    DriverPoint at;
};

class Stepper {
  public:
    explicit Stepper(const DischargeRequest& request) : m_request(request) {}

    Node At(double drawnAh) const
    {
        Node node;
        node.drawnAh = drawnAh;
        node.openCircuitVolts = OpenCircuitVoltage(m_request.Cell, drawnAh);
        node.at = Operate(m_request.Driver, m_request.Leds, node.openCircuitVolts, m_request.Cell.InternalOhms,
                          m_request.Cell.CutOffVolts);
        return node;
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

    // The most charge in [from, to] at which 'holds' is still true, given
    // that it holds at 'from' and not at 'to'.
    template <typename Test> double Boundary(double from, double to, Test holds) const
    {
        for (int i = 0; i < Bisections; ++i) {
            const double middle = from + (to - from) / 2.0;
            (holds(At(middle)) ? from : to) = middle;
        }
        return from;
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

// Hours to draw the charge between two nodes: the trapezoid rule on 1/I;
// without a current, never.
double StepHours(const Node& from, const Node& to)
{
    if (!(from.at.Point.BatteryAmps > 0.0) || !(to.at.Point.BatteryAmps > 0.0))
        return std::numeric_limits<double>::infinity();
    return (to.drawnAh - from.drawnAh) * (1.0 / from.at.Point.BatteryAmps + 1.0 / to.at.Point.BatteryAmps) / 2.0;
}

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
    Node previous = stepper.At(0.0);
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

    const double capacity = request.Cell.CapacityAh;
    const double step = request.StepFraction * capacity;
    double hours = 0.0;
    bool regulationEnded = false;
    for (;;) {
        if (previous.drawnAh >= capacity) {
            summary.End = DischargeEnd::Empty;
            break;
        }
        double size = std::min(step, capacity - previous.drawnAh);
        Node next = stepper.At(previous.drawnAh + size);
        const auto changesFast = [&] {
            const double from = previous.at.Point.BatteryAmps, to = next.at.Point.BatteryAmps;
            return next.at.Running && std::fabs(to - from) > LargestCurrentChange * std::max(from, to);
        };
        for (int halving = 0; halving < MostHalvings && changesFast(); ++halving) {
            size /= 2.0;
            next = stepper.At(previous.drawnAh + size);
        }
        bool stopped = false;
        if (!next.at.Running) {
            next = stepper.At(
                stepper.Boundary(previous.drawnAh, next.drawnAh, [](const Node& n) { return n.at.Running; }));
            stopped = true;
        } else if (previous.at.Regulated && !next.at.Regulated && !regulationEnded) {
            regulationEnded = true;
            next = stepper.At(
                stepper.Boundary(previous.drawnAh, next.drawnAh, [](const Node& n) { return n.at.Regulated; }));
        }
        double stepHours = StepHours(previous, next);
        bool longest = false;
        if (!(hours + stepHours <= LongestRunHours)) {
            const double left = LongestRunHours - hours;
            next = stepper.At(stepper.Boundary(previous.drawnAh, next.drawnAh,
                                               [&](const Node& n) { return StepHours(previous, n) <= left; }));
            stepHours = StepHours(previous, next);
            longest = true;
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

        if (stopped || longest) {
            summary.End = stopped ? DischargeEnd::CutOff : DischargeEnd::LongestRun;
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
