// SPDX-License-Identifier: MIT
// The runtime graph's first minutes: a long run whose output moves early
// gets them enlarged below, to a round span at least twice as long as the
// movement; a short run (drawn in minutes) or a steady one does not.
#include "calc/reports/runtime_plot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <set>
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

// The enlarged panel's ticks stop at its span, where its frame ends: a
// fifteen-minute panel has no tick at 16.
TEST(FirstMinutesPanel, TicksStayInsideTheirSpan)
{
    const std::string svg = RuntimePlotSvg(RunOf({{0, 100}, {7, 96}, {7, 35}, {170, 35}, {180, 0}}), {"A", "b"});
    ASSERT_NE(svg.find("The first 15 min, enlarged"), std::string::npos);
    const std::regex tick("<text x=\"([0-9.]+)\" y=\"([0-9.]+)\"[^>]*>([0-9.]+)</text>");
    double rightmost = 0.0;
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), tick); it != std::sregex_iterator(); ++it)
        if (std::stod((*it)[2]) > 600)
            rightmost = std::max(rightmost, std::stod((*it)[1]));
    EXPECT_LE(rightmost, 690.0);
}

struct OthersCase {
    const char* Name;
    std::size_t Others;
    bool Narrow;
};

class OtherBuildLines : public testing::TestWithParam<OthersCase> {};

// Each other build gets its line, its own paint and its legend entry, each
// entry in a place of its own, all within the picture's height.
TEST_P(OtherBuildLines, EachDrawnNamedAndPlacedApart)
{
    const OthersCase& c = GetParam();
    const Discharge run = RunOf({{0, 100}, {170, 98}, {180, 0}});
    std::vector<PlotLine> others;
    for (std::size_t i = 0; i < c.Others; ++i)
        others.push_back({{{0.0, 50.0 + 10.0 * i}, {3.0, 40.0 + 10.0 * i}}, "build " + std::to_string(i + 2)});
    const std::string svg = RuntimePlotSvg(run, {"A light", "its cell"}, {c.Narrow, false}, nullptr, {"first", others});
    EXPECT_EQ(Polylines(svg).size(), 2 + c.Others);
    std::smatch match;
    ASSERT_TRUE(std::regex_search(svg, match, std::regex("height=\"([0-9.]+)\"")));
    const double height = std::stod(match[1]);
    std::set<std::pair<std::string, std::string>> places;
    std::set<std::string> paints;
    // A legend entry: a line 28 px long, its words beside it.
    const std::regex entry("<line x1=\"([0-9.]+)\" y1=\"([0-9.]+)\" x2=\"([0-9.]+)\"[^>]*"
                           "(stroke=\"#[0-9a-f]+\"[^/]*)/>\n<text x=\"[0-9.]+\" y=\"([0-9.]+)\"[^>]*>([^<]*)</text>");
    std::size_t named = 0;
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), entry); it != std::sregex_iterator(); ++it) {
        if (std::stod((*it)[3]) - std::stod((*it)[1]) != 28.0)
            continue;
        EXPECT_TRUE(places.insert({(*it)[1], (*it)[2]}).second) << (*it)[6] << " shares a place";
        EXPECT_LT(std::stod((*it)[5]), height) << (*it)[6];
        if (std::string((*it)[6]).rfind("build ", 0) == 0) {
            ++named;
            EXPECT_TRUE(paints.insert((*it)[4]).second) << (*it)[6] << " shares a paint";
        }
    }
    EXPECT_EQ(named, c.Others);
    EXPECT_EQ(svg.find("first: output") != std::string::npos, c.Others > 0);
}

INSTANTIATE_TEST_SUITE_P(Rows, OtherBuildLines,
                         testing::Values(OthersCase{"None", 0, false}, OthersCase{"OneWide", 1, false},
                                         OthersCase{"SevenWide", 7, false}, OthersCase{"SevenNarrow", 7, true}),
                         [](const testing::TestParamInfo<OthersCase>& info) { return std::string(info.param.Name); });

} // namespace
} // namespace lumora
