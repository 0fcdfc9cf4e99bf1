// SPDX-License-Identifier: MIT
// The resistor to buy's colour bands against IEC 60062's code, and its
// picture with the LEDs as wired.
#include "calc/light/colour_code.h"
#include "calc/reports/resistor_picture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <regex>
#include <string>

namespace lumora {
namespace {

struct BandRow {
    const char* name;
    double ohms;
    ESeries series;
    const char* bands; // "" for none
};

void PrintTo(const BandRow& row, std::ostream* os) { *os << row.name; }

class Bands : public testing::TestWithParam<BandRow> {};

TEST_P(Bands, FollowTheCode) { EXPECT_EQ(ColourBandsText(GetParam().ohms, GetParam().series), GetParam().bands); }

INSTANTIATE_TEST_SUITE_P(
    Rows, Bands,
    testing::Values(BandRow{"FourPointSeven", 4.7, ESeries::E24, "yellow, violet, gold, gold"},
                    BandRow{"LowestStocked", 0.1, ESeries::E24, "brown, black, silver, gold"},
                    BandRow{"OneKiloTenPercent", 1000, ESeries::E12, "brown, black, red, silver"},
                    BandRow{"TenMegaTwentyPercentNoBand", 10e6, ESeries::E6, "brown, black, blue"},
                    // Gold is E6's multiplier here, never a 5 % band.
                    BandRow{"E6BelowTenOhms", 4.7, ESeries::E6, "yellow, violet, gold"},
                    BandRow{"E6BelowOneOhm", 0.68, ESeries::E6, "blue, grey, silver"},
                    BandRow{"ThreeDigitsOnePercent", 137, ESeries::E96, "brown, orange, violet, black, brown"},
                    BandRow{"HalfPercent", 2490, ESeries::E192, "red, yellow, white, brown, green"},
                    BandRow{"ThreeDigitsBelowTen", 4.75, ESeries::E96, "yellow, violet, green, silver, brown"},
                    BandRow{"TwoPercentGiga", 1e9, ESeries::E48, "brown, black, black, violet, red"},
                    BandRow{"NotInTheSeries", 0.79, ESeries::E24, ""}, BandRow{"E24NotE12", 3.6, ESeries::E12, ""},
                    BandRow{"BelowTheSilverMultiplier", 0.047, ESeries::E12, ""},
                    BandRow{"Negative", -4.7, ESeries::E24, ""}, BandRow{"NotANumber", NAN, ESeries::E24, ""}),
    [](const auto& info) { return std::string(info.param.name); });

int Count(const std::string& text, const std::string& what)
{
    int count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++count;
    return count;
}

// The picture says its value and bands in its title, draws each band twice
// (the part and the schematic) and every LED up to six.
TEST(ResistorPictures, DrawTheBandsAndTheLeds)
{
    for (const auto& [count, wiring] :
         {std::pair{1, Wiring::Series}, {3, Wiring::Series}, {4, Wiring::Parallel}, {9, Wiring::Parallel}}) {
        const std::string svg = ResistorPictureSvg({4.7, "4.7", ESeries::E24, wiring, count});
        EXPECT_NE(svg.find("<title>4.7 ohm ±5 % (E24): yellow, violet, gold, gold</title>"), std::string::npos);
        EXPECT_EQ(Count(svg, "fill=\"#f2c400\""), 2) << "yellow, on the part and in the schematic";
        EXPECT_EQ(Count(svg, "<polygon"), std::min(count, 6)) << count;
        EXPECT_EQ(svg.find("drawn)") != std::string::npos, count > 6) << count;
        EXPECT_EQ(svg.find("in parallel") != std::string::npos, wiring == Wiring::Parallel && count > 1);
    }
    const std::string loose = ResistorPictureSvg({0.79, "0.79", ESeries::E24, Wiring::Series, 1});
    EXPECT_NE(loose.find("is not an E24 value"), std::string::npos);
    EXPECT_EQ(Count(loose, "fill=\"#e8d3a9\""), 1) << "no part drawn, the schematic's box alone";
}

} // namespace
} // namespace lumora
