// SPDX-License-Identifier: MIT
#include "calc/light/standard_resistors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace lumora {
namespace {

struct NeighbourRow {
    const char* name;
    ESeries series;
    double ohms;
    std::optional<std::string> below, above;
};

void PrintTo(const NeighbourRow& row, std::ostream* os) { *os << row.name; }

class Neighbours : public testing::TestWithParam<NeighbourRow> {};

TEST_P(Neighbours, AreThePublishedValuesEitherSide)
{
    const NeighbourRow& row = GetParam();
    const StandardNeighbours next = NeighboursOf(row.series, row.ohms);
    EXPECT_EQ(next.Below, row.below);
    EXPECT_EQ(next.Above, row.above);
}

const double Nan = std::numeric_limits<double>::quiet_NaN();

// The irregular values, where the rounded powers of ten differ from the
// published series, and the edges of decades and of the stocked range.
INSTANTIATE_TEST_SUITE_P(Rows, Neighbours,
                         testing::Values(NeighbourRow{"E24Is2p7Not2p6", ESeries::E24, 2.65, "2.4", "2.7"},
                                         NeighbourRow{"E24Is3Not2p9", ESeries::E24, 2.95, "2.7", "3"},
                                         NeighbourRow{"E24Is4p3Not4p2", ESeries::E24, 4.25, "3.9", "4.3"},
                                         NeighbourRow{"E24Is8p2Not8p3", ESeries::E24, 8.25, "8.2", "9.1"},
                                         NeighbourRow{"E12Is4p7Not4p6", ESeries::E12, 4.65, "3.9", "4.7"},
                                         NeighbourRow{"E192Is9p20Not9p19", ESeries::E192, 9.195, "9.09", "9.2"},
                                         NeighbourRow{"E96AcrossADecade", ESeries::E96, 9900, "9760", "10000"},
                                         NeighbourRow{"E6StandardValueBothSides", ESeries::E6, 4700, "4700", "4700"},
                                         NeighbourRow{"E48SubOhm", ESeries::E48, 0.5, "0.487", "0.511"},
                                         NeighbourRow{"BelowTheLowest", ESeries::E24, 0.05, std::nullopt, "0.1"},
                                         NeighbourRow{"TheHighest", ESeries::E12, 10e6, "10000000", "10000000"},
                                         NeighbourRow{"AboveTheHighest", ESeries::E12, 10.5e6, "10000000",
                                                      std::nullopt},
                                         NeighbourRow{"LastDecadeTop", ESeries::E24, 9.5e6, "9100000", "10000000"},
                                         NeighbourRow{"Negative", ESeries::E24, -25, std::nullopt, std::nullopt},
                                         NeighbourRow{"NotANumber", ESeries::E24, Nan, std::nullopt, std::nullopt}),
                         [](const auto& info) { return std::string(info.param.name); });

// IEC 60063 rounds the powers of the 24th root of 10 to two digits and of the
// 192nd root to three, except where it publishes other values (the second of
// each pair below); E12 and E6 take every second and fourth value of E24,
// E96 and E48 of E192.
TEST(StandardResistors, EachSeriesIsThePublishedOne)
{
    const std::map<int, int> publishedE24 = {{260, 270}, {290, 300}, {320, 330}, {350, 360},
                                             {380, 390}, {420, 430}, {460, 470}, {830, 820}};
    const std::map<int, int> publishedE192 = {{919, 920}};
    const struct {
        ESeries series;
        int steps, every, digits;
        const std::map<int, int>& published;
    } rows[] = {{ESeries::E6, 24, 4, 2, publishedE24},    {ESeries::E12, 24, 2, 2, publishedE24},
                {ESeries::E24, 24, 1, 2, publishedE24},   {ESeries::E48, 192, 4, 3, publishedE192},
                {ESeries::E96, 192, 2, 3, publishedE192}, {ESeries::E192, 192, 1, 3, publishedE192}};
    for (const auto& row : rows) {
        std::vector<int> expected; // in hundredths
        for (int i = 0; i < row.steps; i += row.every) {
            const double digits = std::round(std::pow(10.0, i / double(row.steps) + row.digits - 1));
            const int value = static_cast<int>(digits) * (row.digits == 2 ? 10 : 1);
            expected.push_back(row.published.contains(value) ? row.published.at(value) : value);
        }
        const std::span<const int> values = DecadeHundredths(row.series);
        EXPECT_EQ(std::vector<int>(values.begin(), values.end()), expected) << SeriesName(row.series);
    }
    EXPECT_EQ(ESeriesNamed("e96"), ESeries::E96);
    EXPECT_EQ(ESeriesNamed("E25"), std::nullopt);
}

TEST(StandardResistors, RatingIsAtLeastTwiceTheDissipation)
{
    const struct {
        double watts;
        std::optional<double> rating;
    } rows[] = {{0, 0.125}, {0.0625, 0.125}, {0.0626, 0.25}, {0.38, 1}, {1.2, 3}, {5, 10}, {5.01, std::nullopt}};
    for (const auto& row : rows)
        EXPECT_EQ(RatingFor(row.watts), row.rating) << row.watts;
}

} // namespace
} // namespace lumora
