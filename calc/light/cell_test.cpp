// SPDX-License-Identifier: MIT
#include "calc/light/cell_test.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace lumora {

namespace {

constexpr int Bisections = 50;
constexpr int LagRounds = 4;
// A step draws less where the terminal voltage would fall by more than this.
constexpr double LargestVoltageFall = 0.02; // V
constexpr int MostHalvings = 6;

struct Node {
    CellState state;
    double amps = 0.0;
    double volts = 0.0;
    bool running = false;
};

class Tester {
  public:
    Tester(const CellModel& cell, CellLoad load, double cutOffVolts, double ambientC)
        : m_cell(cell), m_load(load), m_cutOff(cutOffVolts), m_ambientC(ambientC)
    {
    }

    Node At(const CellState& state) const
    {
        Node node;
        node.state = state;
        const double rest = SourceVoltage(m_cell, state);
        const double ohms = ResistanceAt(m_cell, state);
        if (m_load.Kind == LoadKind::Current) {
            node.amps = m_load.Value;
        } else {
            // V·I = P with V = E - I·R: the smaller root, written so that R = 0 needs no case.
            const double discriminant = rest * rest - 4.0 * ohms * m_load.Value;
            if (!(rest > 0.0) || discriminant < 0.0)
                return node;
            node.amps = 2.0 * m_load.Value / (rest + std::sqrt(discriminant));
        }
        node.volts = rest - node.amps * ohms;
        node.running = node.volts >= m_cutOff && !AvailableEmpty(m_cell, state);
        return node;
    }

    static double Hours(const Node& from, const Node& to)
    {
        return (to.state.DrawnAh - from.state.DrawnAh) * (1.0 / from.amps + 1.0 / to.amps) / 2.0;
    }

    Node StepTo(const Node& from, double drawnAh) const
    {
        CellState moved = from.state;
        moved.DrawnAh = drawnAh;
        Node next = At(moved);
        for (int round = 0; round < LagRounds && HasDynamics(m_cell); ++round) {
            const double hours = Hours(from, next);
            if (!std::isfinite(hours) || !(hours > 0.0))
                break;
            CellState state = Advance(m_cell, from.state, (drawnAh - from.state.DrawnAh) / hours, hours, m_ambientC);
            state.DrawnAh = drawnAh;
            next = At(state);
        }
        return next;
    }

  private:
    const CellModel& m_cell;
    CellLoad m_load;
    double m_cutOff;
    double m_ambientC;
};

} // namespace

CellTest RunCellTest(const CellModel& cell, CellLoad load, double cutOffVolts, double stepFraction, double ambientC)
{
    CellTest test;
    const Tester tester(cell, load, cutOffVolts, ambientC);
    Node previous = tester.At(RestingCell(ambientC));
    if (!previous.running || !(previous.amps > 0.0))
        return test;
    test.Curve.push_back({0.0, 0.0, previous.volts, previous.amps, 0.0, previous.state.Celsius});
    const double step = stepFraction * cell.CapacityAh;
    for (;;) {
        double size = step;
        Node next = tester.StepTo(previous, previous.state.DrawnAh + size);
        for (int halving = 0;
             halving < MostHalvings && next.running && previous.volts - next.volts > LargestVoltageFall; ++halving) {
            size /= 2.0;
            next = tester.StepTo(previous, previous.state.DrawnAh + size);
        }
        const bool ends = !next.running;
        if (ends) {
            double from = previous.state.DrawnAh, to = next.state.DrawnAh;
            for (int i = 0; i < Bisections; ++i) {
                const double middle = from + (to - from) / 2.0;
                (tester.StepTo(previous, middle).running ? from : to) = middle;
            }
            next = tester.StepTo(previous, from);
            test.End =
                next.volts - cutOffVolts < LargestVoltageFall / 10.0 ? CellTestEnd::CutOff : CellTestEnd::Exhausted;
        }
        const double hours = Tester::Hours(previous, next);
        test.Hours += hours;
        test.DeliveredWh += (previous.volts * previous.amps + next.volts * next.amps) / 2.0 * hours;
        test.DeliveredAh = next.state.DrawnAh;
        test.Curve.push_back(
            {test.Hours, test.DeliveredAh, next.volts, next.amps, test.DeliveredWh, next.state.Celsius});
        previous = next;
        if (ends)
            break;
    }
    const double half = test.DeliveredAh / 2.0;
    for (std::size_t k = 1; k < test.Curve.size(); ++k) {
        const CellTestPoint& a = test.Curve[k - 1];
        const CellTestPoint& b = test.Curve[k];
        if (b.DeliveredAh >= half && b.DeliveredAh > a.DeliveredAh) {
            test.MidVolts = a.TerminalVolts + (b.TerminalVolts - a.TerminalVolts) * (half - a.DeliveredAh) /
                                                  (b.DeliveredAh - a.DeliveredAh);
            break;
        }
    }
    return test;
}

} // namespace lumora
