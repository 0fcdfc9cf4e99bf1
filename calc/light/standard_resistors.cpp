// SPDX-License-Identifier: MIT
#include "calc/light/standard_resistors.h"

#include "calc/text/field_text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace lumora {

namespace {

// IEC 60063:2015, Tables 1 to 3, one decade each. E6, E12 and E24 have two
// significant digits and E48 to E192 three; the published values are not all
// the rounded powers of ten they approximate (E24's 2.7 to 4.7 and 8.2, E192's
// 9.20), so they are kept as published.
// clang-format off
constexpr int E6[] = {100, 150, 220, 330, 470, 680};
constexpr int E12[] = {100, 120, 150, 180, 220, 270, 330, 390, 470, 560, 680, 820};
constexpr int E24[] = {100, 110, 120, 130, 150, 160, 180, 200, 220, 240, 270, 300,
                       330, 360, 390, 430, 470, 510, 560, 620, 680, 750, 820, 910};
constexpr int E48[] = {100, 105, 110, 115, 121, 127, 133, 140, 147, 154, 162, 169, 178, 187, 196, 205,
                       215, 226, 237, 249, 261, 274, 287, 301, 316, 332, 348, 365, 383, 402, 422, 442,
                       464, 487, 511, 536, 562, 590, 619, 649, 681, 715, 750, 787, 825, 866, 909, 953};
constexpr int E96[] = {100, 102, 105, 107, 110, 113, 115, 118, 121, 124, 127, 130, 133, 137, 140, 143,
                       147, 150, 154, 158, 162, 165, 169, 174, 178, 182, 187, 191, 196, 200, 205, 210,
                       215, 221, 226, 232, 237, 243, 249, 255, 261, 267, 274, 280, 287, 294, 301, 309,
                       316, 324, 332, 340, 348, 357, 365, 374, 383, 392, 402, 412, 422, 432, 442, 453,
                       464, 475, 487, 499, 511, 523, 536, 549, 562, 576, 590, 604, 619, 634, 649, 665,
                       681, 698, 715, 732, 750, 768, 787, 806, 825, 845, 866, 887, 909, 931, 953, 976};
constexpr int E192[] = {100, 101, 102, 104, 105, 106, 107, 109, 110, 111, 113, 114, 115, 117, 118, 120,
                        121, 123, 124, 126, 127, 129, 130, 132, 133, 135, 137, 138, 140, 142, 143, 145,
                        147, 149, 150, 152, 154, 156, 158, 160, 162, 164, 165, 167, 169, 172, 174, 176,
                        178, 180, 182, 184, 187, 189, 191, 193, 196, 198, 200, 203, 205, 208, 210, 213,
                        215, 218, 221, 223, 226, 229, 232, 234, 237, 240, 243, 246, 249, 252, 255, 258,
                        261, 264, 267, 271, 274, 277, 280, 284, 287, 291, 294, 298, 301, 305, 309, 312,
                        316, 320, 324, 328, 332, 336, 340, 344, 348, 352, 357, 361, 365, 370, 374, 379,
                        383, 388, 392, 397, 402, 407, 412, 417, 422, 427, 432, 437, 442, 448, 453, 459,
                        464, 470, 475, 481, 487, 493, 499, 505, 511, 517, 523, 530, 536, 542, 549, 556,
                        562, 569, 576, 583, 590, 597, 604, 612, 619, 626, 634, 642, 649, 657, 665, 673,
                        681, 690, 698, 706, 715, 723, 732, 741, 750, 759, 768, 777, 787, 796, 806, 816,
                        825, 835, 845, 856, 866, 876, 887, 898, 909, 920, 931, 942, 953, 965, 976, 988};
// clang-format on

constexpr std::array<ESeries, 6> Series = {ESeries::E6,  ESeries::E12, ESeries::E24,
                                           ESeries::E48, ESeries::E96, ESeries::E192};

// Decades by the power of ten of their first value: 0.1 ohm is -1, 1 Mohm is 6.
constexpr int FirstDecade = -1;
constexpr int LastDecade = 6;

// hundredths x 10^(decade - 2) ohms as a field text, shifting the point in
// the digits so that no rounding can creep in ("470", decade -1 -> "0.47").
std::string OhmsText(int hundredths, int decade)
{
    std::string text = std::to_string(hundredths);
    const int point = 1 + decade; // digits before the point
    if (point <= 0) {
        text.insert(0, static_cast<std::size_t>(2 - point), '0');
        text[1] = '.';
    } else if (point < static_cast<int>(text.size())) {
        text.insert(static_cast<std::size_t>(point), 1, '.');
    } else {
        text.append(static_cast<std::size_t>(point) - text.size(), '0');
    }
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.')
            text.pop_back();
    }
    return text;
}

struct Stocked {
    std::vector<std::string> texts;
    std::vector<double> ohms; // each text as read, ascending
};

// Every stocked value of a series, from 0.1 ohm up to and including 10 Mohm.
const Stocked& StockOf(ESeries series)
{
    static const std::array<Stocked, Series.size()> stock = [] {
        std::array<Stocked, Series.size()> all;
        for (std::size_t s = 0; s < Series.size(); ++s) {
            for (int decade = FirstDecade; decade <= LastDecade + 1; ++decade) {
                for (int hundredths : DecadeHundredths(Series[s])) {
                    if (decade > LastDecade && hundredths > 100)
                        break;
                    all[s].texts.push_back(OhmsText(hundredths, decade));
                    all[s].ohms.push_back(*ReadNumber(all[s].texts.back()));
                }
            }
        }
        return all;
    }();
    return stock[static_cast<std::size_t>(series)];
}

constexpr double Ratings[] = {0.125, 0.25, 0.5, 1, 2, 3, 5, 10};

} // namespace

std::string_view SeriesName(ESeries series)
{
    switch (series) {
    case ESeries::E6: return "E6";
    case ESeries::E12: return "E12";
    case ESeries::E24: return "E24";
    case ESeries::E48: return "E48";
    case ESeries::E96: return "E96";
    case ESeries::E192: break;
    }
    return "E192";
}

std::optional<ESeries> ESeriesNamed(std::string_view name)
{
    for (ESeries series : Series) {
        const std::string_view known = SeriesName(series);
        if (name.size() == known.size() && std::equal(name.begin(), name.end(), known.begin(),
                                                      [](char a, char b) { return (a == 'e' ? 'E' : a) == b; }))
            return series;
    }
    return std::nullopt;
}

std::span<const ESeries> AllESeries() { return Series; }

std::span<const int> DecadeHundredths(ESeries series)
{
    switch (series) {
    case ESeries::E6: return E6;
    case ESeries::E12: return E12;
    case ESeries::E24: return E24;
    case ESeries::E48: return E48;
    case ESeries::E96: return E96;
    case ESeries::E192: break;
    }
    return E192;
}

StandardNeighbours NeighboursOf(ESeries series, double ohms)
{
    StandardNeighbours neighbours;
    if (!std::isfinite(ohms) || ohms < 0.0)
        return neighbours;
    const Stocked& stock = StockOf(series);
    // The first value at or above, and the last at or below.
    const auto above = std::lower_bound(stock.ohms.begin(), stock.ohms.end(), ohms);
    const auto below = std::upper_bound(stock.ohms.begin(), stock.ohms.end(), ohms);
    if (above != stock.ohms.end())
        neighbours.Above = stock.texts[static_cast<std::size_t>(above - stock.ohms.begin())];
    if (below != stock.ohms.begin())
        neighbours.Below = stock.texts[static_cast<std::size_t>(below - stock.ohms.begin() - 1)];
    return neighbours;
}

std::optional<double> RatingFor(double watts)
{
    for (double rating : Ratings) {
        if (rating >= 2.0 * watts)
            return rating;
    }
    return std::nullopt;
}

} // namespace lumora
