// SPDX-License-Identifier: MIT
#include "calc/standard_resistors.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>

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

TEST(StandardResistors, EachSeriesHasItsCountOfValuesPerDecade)
{
    const std::size_t counts[] = {6, 12, 24, 48, 96, 192};
    for (std::size_t i = 0; i < AllESeries().size(); ++i)
        EXPECT_EQ(DecadeHundredths(AllESeries()[i]).size(), counts[i]) << NameOf(AllESeries()[i]);
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
