// SPDX-License-Identifier: MIT
// Fits the named cells' capacity and load parameters to the published
// discharge tests, and the generic presets' load parameters to the ratios of
// every brand's capacities, and prints them for named_cells.cpp and
// battery_presets.cpp. Run by hand ("make fit-cells") after adding a test or
// a cell; the tests in cell_presets_test.cpp hold the results to the
// measurements.
//
// The fit is Nelder and Mead's simplex ("A simplex method for function
// minimization", Computer Journal 7(4), 1965) on the logarithms of the
// parameters, from a few starting points, minimising the worst relative
// error of the charge to the cut-off plus a tenth of the RMS error.
#include "calc/light/battery_presets.h"
#include "calc/light/cell_test.h"
#include "tests/core/published_cell_tests.h"

#include <string_view>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace lumora {
namespace {

using Parameters = std::vector<double>;

constexpr double MostRise = 6.0;
using Cost = std::function<double(const Parameters&)>;

Parameters Simplex(const Cost& cost, Parameters start, double size)
{
    const std::size_t n = start.size();
    std::vector<Parameters> points(n + 1, start);
    for (std::size_t i = 0; i < n; ++i)
        points[i + 1][i] += size;
    std::vector<double> values(n + 1);
    for (std::size_t i = 0; i <= n; ++i)
        values[i] = cost(points[i]);
    for (int round = 0; round < 300; ++round) {
        std::vector<std::size_t> order(n + 1);
        for (std::size_t i = 0; i <= n; ++i)
            order[i] = i;
        std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return values[a] < values[b]; });
        std::vector<Parameters> p;
        std::vector<double> v;
        for (std::size_t i : order) {
            p.push_back(points[i]);
            v.push_back(values[i]);
        }
        points = p;
        values = v;
        Parameters centre(n, 0.0);
        for (std::size_t i = 0; i < n; ++i)
            for (std::size_t j = 0; j < n; ++j)
                centre[j] += points[i][j] / static_cast<double>(n);
        const auto along = [&](double t) {
            Parameters x(n);
            for (std::size_t j = 0; j < n; ++j)
                x[j] = centre[j] + t * (points[n][j] - centre[j]);
            return x;
        };
        const Parameters reflected = along(-1.0);
        const double r = cost(reflected);
        if (r < values[0]) {
            const Parameters expanded = along(-2.0);
            const double e = cost(expanded);
            points[n] = e < r ? expanded : reflected;
            values[n] = std::min(e, r);
        } else if (r < values[n - 1]) {
            points[n] = reflected;
            values[n] = r;
        } else {
            const Parameters contracted = along(0.5);
            const double c = cost(contracted);
            if (c < values[n]) {
                points[n] = contracted;
                values[n] = c;
            } else {
                for (std::size_t i = 1; i <= n; ++i) {
                    for (std::size_t j = 0; j < n; ++j)
                        points[i][j] = points[0][j] + 0.5 * (points[i][j] - points[0][j]);
                    values[i] = cost(points[i]);
                }
            }
        }
    }
    return points[static_cast<std::size_t>(std::min_element(values.begin(), values.end()) - values.begin())];
}

double Delivered(const CellModel& cell, const PublishedCellTest& test)
{
    return RunPublishedTest(cell, test).DeliveredAh * 1000.0;
}

double DeliveredWh(const CellModel& cell, const PublishedCellTest& test)
{
    return RunPublishedTest(cell, test).DeliveredWh;
}

// The parameters as the simplex moves them: log capacity, logit share, log
// rate, log rise; those not fitted keep the cell's own.
CellModel Apply(CellModel cell, const Parameters& p)
{
    cell.CapacityAh = std::exp(p[0]);
    if (p.size() > 1)
        cell.AvailableShare = 1.0 / (1.0 + std::exp(-p[1]));
    if (p.size() > 2)
        cell.LevellingPerHour = std::exp(p[2]);
    // The resistance at most seven times the full cell's by the end: the
    // published tests end below 0.9 V, so they alone would let it grow
    // without bound, where a cut-off at 0.9 V sees it.
    if (p.size() > 3)
        cell.ResistanceRise = MostRise / (1.0 + std::exp(-p[3]));
    return cell;
}

double Worst(const std::vector<double>& errors)
{
    double worst = 0.0, squares = 0.0;
    for (double e : errors) {
        worst = std::max(worst, std::fabs(e));
        squares += e * e;
    }
    return worst + 0.1 * std::sqrt(squares / static_cast<double>(errors.size()));
}

Parameters Best(const Cost& cost, const Parameters& start)
{
    Parameters best = start;
    double lowest = cost(start);
    for (double share : {-1.0, 1.0, 3.0}) {
        for (double rate : {-1.0, 0.5, 2.0}) {
            Parameters from = start;
            if (from.size() > 1)
                from[1] = share;
            if (from.size() > 2)
                from[2] = rate;
            const Parameters found = Simplex(cost, from, 0.5);
            if (const double c = cost(found); c < lowest) {
                lowest = c;
                best = found;
            }
        }
    }
    return best;
}

using Role = PublishedCellTest::Role;

// Lithium-ion's typical load parameters, those of battery_presets.cpp's
// lithium-ion rows: what a cell with too few tests to fit them takes.
struct Load {
    double AvailableShare, LevellingPerHour, ResistanceRise;
};
constexpr Load TypicalLoad = {0.98, 1.0, 0.5};

std::vector<PublishedCellTest> TestsOf(std::string_view named, Role role)
{
    std::vector<PublishedCellTest> tests;
    // Constant-power tests fix the polarisation (named_cells.cpp), not the
    // charge: they are left to it.
    for (const PublishedCellTest& test : PublishedCellTests())
        if (test.Named == named && test.Use == role && test.Watts == 0.0)
            tests.push_back(test);
    return tests;
}

// The errors of a cell on tests, in charge and, where given, energy.
std::vector<double> Errors(const CellModel& cell, const std::vector<PublishedCellTest>& tests)
{
    std::vector<double> errors;
    for (const PublishedCellTest& test : tests) {
        errors.push_back(Delivered(cell, test) / test.Mah - 1.0);
        if (test.Wh > 0.0)
            errors.push_back(DeliveredWh(cell, test) / test.Wh - 1.0);
    }
    return errors;
}

double WorstOf(const std::vector<double>& errors)
{
    double worst = 0.0;
    for (double e : errors)
        worst = std::abs(e) > std::abs(worst) ? e : worst;
    return worst;
}

void PrintTests(const CellModel& cell, const std::vector<PublishedCellTest>& tests, const char* role)
{
    for (const PublishedCellTest& test : tests) {
        std::printf("    %-8s %6.2f A to %.2f V: %5.0f mAh, measured %5.0f (%+.1f %%)", role, test.Amps,
                    test.CutOffVolts, Delivered(cell, test), test.Mah,
                    (Delivered(cell, test) / test.Mah - 1.0) * 100.0);
        if (test.Wh > 0.0)
            std::printf("; %.2f Wh, measured %.2f (%+.1f %%)", DeliveredWh(cell, test), test.Wh,
                        (DeliveredWh(cell, test) / test.Wh - 1.0) * 100.0);
        std::printf("\n");
    }
}

// The table of docs/cell-fits.md: each named cell's worst error on the tests
// it was fitted to and on those held out of its fit.
std::vector<std::string> TableRows;

std::string Currents(const std::vector<PublishedCellTest>& tests)
{
    std::string text;
    for (const PublishedCellTest& test : tests) {
        char amps[64];
        std::snprintf(amps, sizeof amps, "%s%g A to %g V", text.empty() ? "" : ", ", test.Amps, test.CutOffVolts);
        text += amps;
    }
    return text.empty() ? "none" : text;
}

void FitNamed(const BatteryChoice& choice)
{
    const std::vector<PublishedCellTest> tests = TestsOf(choice.named->Id, Role::Fit);
    const std::vector<PublishedCellTest> heldOut = TestsOf(choice.named->Id, Role::HeldOut);
    CellModel own = ModelOf(choice, Pack{});
    if (FittedModelOf(*choice.named)) {
        std::printf("%-22s fitted to its own logs (make fit-cell-logs)\n", std::string(choice.named->Id).c_str());
        return;
    }
    if (tests.empty()) {
        std::printf("%-22s no published test to fit to\n", std::string(choice.named->Id).c_str());
        return;
    }
    // Three currents or more fit all four; fewer fit the capacity and, with
    // two, the share; the rest are lithium-ion's typical load, so that no
    // parameter comes from a test held out (a generic preset may have been
    // fitted to the very cell: the AA lithium's is the Energizer's).
    const std::size_t fitted = tests.size() >= 3 ? 4 : tests.size();
    if (fitted < 2)
        own.AvailableShare = TypicalLoad.AvailableShare;
    if (fitted < 4) {
        own.LevellingPerHour = TypicalLoad.LevellingPerHour;
        own.ResistanceRise = TypicalLoad.ResistanceRise;
    }
    const Cost cost = [&](const Parameters& p) { return Worst(Errors(Apply(own, p), tests)); };
    Parameters start = {std::log(own.CapacityAh), std::log(own.AvailableShare / (1.0 - own.AvailableShare + 1e-9)),
                        std::log(own.LevellingPerHour + 1e-9),
                        std::log(own.ResistanceRise / (MostRise - own.ResistanceRise + 1e-9) + 1e-9)};
    start.resize(fitted);
    const CellModel cell = Apply(own, Best(cost, start));
    std::printf("%-22s %5.0f mAh  c %.3f  k' %.3f/h  rise %.2f\n", std::string(choice.named->Id).c_str(),
                cell.CapacityAh * 1000.0, cell.AvailableShare, cell.LevellingPerHour, cell.ResistanceRise);
    PrintTests(cell, tests, "fit");
    PrintTests(cell, heldOut, "held out");
    // The table judges the cell as shipped (named_cells.cpp), not this
    // fit: the simplex, from other starts, may land elsewhere.
    const CellModel shipped = ModelOf(choice, Pack{});
    char fitError[32], heldError[32] = "";
    std::snprintf(fitError, sizeof fitError, "%+.1f %%", WorstOf(Errors(shipped, tests)) * 100.0);
    if (!heldOut.empty())
        std::snprintf(heldError, sizeof heldError, "%+.1f %%", WorstOf(Errors(shipped, heldOut)) * 100.0);
    const std::string row = "| " + std::string(choice.named->TradeName) + " | " + Currents(tests) + " | " + fitError +
                            " | " + (heldOut.empty() ? "none: one test published" : Currents(heldOut)) + " | " +
                            heldError + " |";
    TableRows.push_back(row);
}

// A generic preset follows each brand's capacities relative to the brand's
// lowest tested current, for tests of one source and cut-off.
void FitGeneric(const char* preset)
{
    std::map<std::string, std::vector<PublishedCellTest>> brands;
    for (const PublishedCellTest& test : PublishedCellTests())
        if (test.Generic == preset && test.Use != Role::Check)
            brands[std::string(test.Brand) + "|" + std::string(test.Source)].push_back(test);
    const CellModel own = ModelOf(*BatteryNamed(preset), Pack{});
    const auto errors = [&](const CellModel& cell) {
        std::vector<double> all;
        for (auto& [brand, tests] : brands) {
            std::sort(tests.begin(), tests.end(), [](auto& a, auto& b) { return a.Amps < b.Amps; });
            const double base = Delivered(cell, tests[0]);
            for (std::size_t i = 1; i < tests.size(); ++i)
                all.push_back((Delivered(cell, tests[i]) / base) / (tests[i].Mah / tests[0].Mah) - 1.0);
        }
        return all;
    };
    const Cost cost = [&](const Parameters& p) {
        Parameters full = {std::log(own.CapacityAh)};
        full.insert(full.end(), p.begin(), p.end());
        return Worst(errors(Apply(own, full)));
    };
    const Parameters p = Best(cost, {0.0, 0.0, 0.0});
    const CellModel cell = Apply(own, {std::log(own.CapacityAh), p[0], p[1], p[2]});
    std::printf("%-22s c %.3f  k' %.3f/h  rise %.2f\n", preset, cell.AvailableShare, cell.LevellingPerHour,
                cell.ResistanceRise);
    for (double e : errors(cell))
        std::printf("    ratio %+.1f %%\n", e * 100.0);
}

} // namespace
} // namespace lumora

int main()
{
    using namespace lumora;
    for (const BatteryChoice& choice : BatteryPresets())
        if (choice.named)
            FitNamed(choice);
    for (const char* generic : {"aa", "aaa"})
        FitGeneric(generic);
    std::printf("\n| Cell | Fitted to | Worst error there | Held out | Worst error there |\n|---|---|---|---|---|\n");
    for (const std::string& row : TableRows)
        std::printf("%s\n", row.c_str());
}
