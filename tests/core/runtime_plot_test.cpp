// SPDX-License-Identifier: MIT
// The runtime graph's first minutes: a long run whose output moves early
// gets them enlarged below, to a round span at least twice as long as the
// movement; a short run (drawn in minutes) or a steady one does not.
#include "calc/reports/runtime_plot.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <utility>
#include <vector>

namespace lumora {
namespace {

// A run from (minutes, percent of the 30 s output) points; the LED current
// follows the output, and a host at 'hostC' where given.
Discharge RunOf(const std::vector<std::pair<double, double>>& points, double hostC = 0.0)
{
    Discharge run;
    for (const auto& [minutes, percent] : points) {
        DischargeRow row;
        row.Hours = minutes / 60.0;
        row.OutputPercent = percent;
        row.LedAmps = 3.0 * percent / 100.0;
        row.HostC = hostC;
        run.Rows.push_back(row);
    }
    run.Summary.Fl1Hours = run.Rows.back().Hours;
    return run;
}

std::vector<std::string> Polylines(const std::string& svg)
{
    std::vector<std::string> points;
    const std::regex line("<polyline[^>]* points=\"([^\"]*)\"");
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), line); it != std::sregex_iterator(); ++it)
        points.push_back((*it)[1]);
    return points;
}

struct EarlyCase {
    const char* Name;
    std::vector<std::pair<double, double>> Points;
    double HostC;
    const char* Panel; // the panel's title, or "" for none
    std::size_t Lines; // polylines in all
};

class FirstMinutes : public testing::TestWithParam<EarlyCase> {};

TEST_P(FirstMinutes, AreEnlargedWhereTheOutputMovesEarly)
{
    const EarlyCase& c = GetParam();
    for (const PlotLayout layout : {PlotLayout{}, PlotLayout{true, true}}) {
        const std::string svg = RuntimePlotSvg(RunOf(c.Points, c.HostC), {"A light", "its cell"}, layout);
        const std::vector<std::string> lines = Polylines(svg);
        EXPECT_EQ(lines.size(), c.Lines) << layout.Narrow;
        const bool panel = *c.Panel != '\0';
        EXPECT_EQ(svg.find(panel ? c.Panel : "min, enlarged") != std::string::npos, panel) << layout.Narrow;
        if (!panel)
            continue;
        // Each enlarged line runs to the panel's right edge, the main plot's.
        const std::string right = layout.Narrow ? "314," : "690,";
        for (std::size_t k = lines.size() / 2; k < lines.size(); ++k)
            EXPECT_NE(lines[k].rfind(right), std::string::npos) << k << ": " << lines[k];
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FirstMinutes,
    testing::Values(
        EarlyCase{"TurboOfThreeMinutes",
                  {{0, 100}, {3, 96}, {3, 35}, {170, 35}, {180, 0}},
                  0.0,
                  "The first 10 min, enlarged",
                  4},
        EarlyCase{"StepAtTwentyMinutes",
                  {{0, 100}, {20, 100}, {20, 50}, {590, 45}, {600, 0}},
                  0.0,
                  "The first 40 min, enlarged",
                  4},
        EarlyCase{
            "WithAHost", {{0, 100}, {3, 96}, {3, 35}, {170, 35}, {180, 0}}, 45.0, "The first 10 min, enlarged", 6},
        EarlyCase{"SteadyLongRun", {{0, 100}, {170, 98}, {180, 0}}, 0.0, "", 2},
        EarlyCase{"ShortRunInMinutes", {{0, 100}, {3, 96}, {3, 35}, {80, 35}, {90, 0}}, 0.0, "", 2}),
    [](const testing::TestParamInfo<EarlyCase>& info) { return std::string(info.param.Name); });

// The panel adds its own height below the legend.
TEST(FirstMinutesPanel, AddsItsHeight)
{
    const auto height = [](const Discharge& run) {
        std::smatch match;
        const std::string svg = RuntimePlotSvg(run, {"A light", "its cell"});
        std::regex_search(svg, match, std::regex("height=\"([0-9.]+)\""));
        return std::stod(match[1]);
    };
    EXPECT_EQ(height(RunOf({{0, 100}, {3, 96}, {3, 35}, {170, 35}, {180, 0}})) -
                  height(RunOf({{0, 100}, {170, 98}, {180, 0}})),
              200.0);
}

} // namespace
} // namespace lumora
