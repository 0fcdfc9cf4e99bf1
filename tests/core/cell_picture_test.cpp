// SPDX-License-Identifier: MIT
// The battery test's picture: every line drawn with its cell's mark, the
// legend grouped into cells and loads where there are several of each, and
// the page's theme without a fixed colour.
#include "calc/reports/cell_picture.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>

namespace lumora {
namespace {

std::size_t Count(const std::string& text, const std::string& part)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

CellComparison Compared(std::vector<std::string> cells, std::vector<std::string> loads)
{
    CellComparisonRequest request;
    request.Cells = std::move(cells);
    request.Loads = std::move(loads);
    return CompareCells(request);
}

std::size_t Marks(const std::string& svg)
{
    return Count(svg, "<circle") + Count(svg, "<polygon") + Count(svg, "<rect x=") - 1; // less the frame
}

struct PictureCase {
    std::vector<std::string> Cells, Loads;
    std::size_t LegendEntries; // a line with words each
};

class CellPictures : public testing::TestWithParam<PictureCase> {};

// Each test a line, each line a mark at its end; the legend a line for each
// test, or for each cell and each load where there are several of both.
TEST_P(CellPictures, DrawEveryTestAndItsLegend)
{
    const PictureCase& c = GetParam();
    for (const PlotLayout layout : {PlotLayout{}, PlotLayout{true, true}}) {
        const std::string svg = CellComparisonSvg(Compared(c.Cells, c.Loads), layout);
        const std::size_t tests = c.Cells.size() * c.Loads.size();
        EXPECT_EQ(Count(svg, "<polyline"), tests);
        const std::size_t cellEntries = c.LegendEntries == tests ? tests : c.Cells.size();
        EXPECT_EQ(Marks(svg), tests + cellEntries) << "a mark at each line's end and beside each cell in the legend";
        std::size_t legend = 0;
        const std::regex entry("<line x1=\"([0-9.]+)\" y1=\"([0-9.]+)\" x2=\"([0-9.]+)\" y2=\"\\2\"");
        for (auto it = std::sregex_iterator(svg.begin(), svg.end(), entry); it != std::sregex_iterator(); ++it)
            legend += std::stod((*it)[3]) - std::stod((*it)[1]) == 28.0;
        EXPECT_EQ(legend, c.LegendEntries) << layout.Narrow;
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, CellPictures,
                         testing::Values(PictureCase{{"samsung-30q"}, {"1"}, 1},
                                         PictureCase{{"samsung-30q"}, {"1", "3", "10"}, 3},
                                         PictureCase{{"samsung-30q", "sony-vtc6", "lg-mj1"}, {"2"}, 3},
                                         PictureCase{{"samsung-30q", "sony-vtc6", "lg-mj1"}, {"1", "5"}, 5}));

// Themed for the page: no ground, no fixed colour, the page's variables,
// 360 px wide when narrow; for a file: a white ground and fixed colours.
TEST(CellPictureThemes, FollowThePageOrStandAlone)
{
    const CellComparison compared = Compared({"samsung-30q", "sony-vtc6"}, {"1", "5"});
    const std::string page = CellComparisonSvg(compared, {true, true});
    EXPECT_NE(page.find("width=\"360\""), std::string::npos);
    EXPECT_EQ(page.find("#ffffff"), std::string::npos);
    EXPECT_FALSE(std::regex_search(page, std::regex("(stroke|fill)=\"#"))) << "a fixed colour in the page's picture";
    EXPECT_NE(page.find("var(--cell-1)"), std::string::npos);
    const std::string file = CellComparisonSvg(compared);
    EXPECT_NE(file.find("width=\"760\""), std::string::npos);
    EXPECT_NE(file.find("fill=\"#ffffff\""), std::string::npos);
    EXPECT_EQ(file.find("var("), std::string::npos);
}

// Past seven cells the colours come round again, but the marks do not
// repeat with them: the eighth cell is not drawn as the first.
TEST(CellPictureThemes, TheEighthCellIsNotTheFirst)
{
    const std::vector<std::string> eight = {"samsung-30q",  "samsung-35e", "sony-vtc6",   "lg-mj1",
                                            "molicel-p28a", "18650",       "samsung-50s", "molicel-p42a"};
    const std::string svg = CellComparisonSvg(Compared(eight, {"1"}));
    const std::regex ends("<polyline[^>]*stroke=\"(#[0-9a-f]+)\"[^>]*/>\n<(\\w+)");
    std::set<std::pair<std::string, std::string>> looks;
    std::size_t lines = 0;
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), ends); it != std::sregex_iterator(); ++it, ++lines)
        looks.insert({(*it)[1], (*it)[2]});
    ASSERT_EQ(lines, 8u);
    EXPECT_EQ(looks.size(), 8u);
}

} // namespace
} // namespace lumora
