// SPDX-License-Identifier: MIT
#include "calc/reports/cell_picture.h"

#include "calc/text/number_text.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace lumora {

namespace {

// The picture and its plot area, wide and narrow; ticks of charge and voltage.
constexpr PlotFrame Wide = {760, 70, 730, 50, 370, 8, 6};
constexpr PlotFrame Narrow = {360, 46, 340, 44, 300, 4, 5};
constexpr double LegendRow = 18;

// A colour for each cell, told apart in print and by the colour-blind
// (Okabe and Ito's palette, its yellow left out as too faint on white), a
// mark for each cell and a dash for each load.
constexpr std::array<const char*, 7> Colours = {"#0072b2", "#d55e00", "#009e73", "#cc79a7",
                                                "#e69f00", "#56b4e9", "#000000"};
constexpr std::size_t Marks = 7;
constexpr std::array<const char*, 5> Dashes = {"", " stroke-dasharray=\"8 4\"", " stroke-dasharray=\"2 3\"",
                                               " stroke-dasharray=\"12 3 2 3\"", " stroke-dasharray=\"4 4\""};

// A line drawn: its test, its cell's and its load's place.
struct Series {
    const ComparedTest* Test;
    std::size_t Cell, Load;
};

std::size_t PlaceOf(std::vector<std::string>& seen, const std::string& key)
{
    const auto found = std::find(seen.begin(), seen.end(), key);
    if (found != seen.end())
        return static_cast<std::size_t>(found - seen.begin());
    seen.push_back(key);
    return seen.size() - 1;
}

class Picture {
  public:
    Picture(const CellComparison& comparison, PlotLayout layout);
    std::string Done();

  private:
    double X(double mah) const { return g.left + (g.right - g.left) * mah / m_charge.top; }
    double Y(double v) const
    {
        return g.bottom - (g.bottom - g.top) * (v - m_volts.bottom) / (m_volts.top - m_volts.bottom);
    }
    std::string Stroke(std::size_t cell) const;
    std::string Neutral() const { return m_layout.Themed ? "stroke=\"currentColor\"" : "stroke=\"#333333\""; }
    void Mark(std::size_t cell, double x, double y);
    void Frame();
    void Lines();
    void Entry(std::size_t row, const std::string& style, std::optional<std::size_t> mark, const std::string& words);
    void Key();

    PlotLayout m_layout;
    PlotFrame g;
    std::vector<Series> m_series;
    std::vector<std::string> m_cells, m_cellNames; // each cell's key and trade name, in order of appearance
    std::vector<std::string> m_loads;              // each load's text (LoadText), in order of appearance
    Axis m_charge{};
    SpanAxis m_volts{};
    bool m_grouped = false;
    std::string m_svg;
};

Picture::Picture(const CellComparison& comparison, PlotLayout layout)
    : m_layout(layout), g(layout.Narrow ? Narrow : Wide)
{
    double mostMah = 0.0, lowest = INFINITY, highest = 0.0;
    for (const ComparedTest& compared : comparison.Tests) {
        if (compared.Test.Curve.empty())
            continue;
        const std::size_t cell = PlaceOf(m_cells, compared.Cell);
        if (cell == m_cellNames.size())
            m_cellNames.push_back(compared.TradeName);
        const std::size_t load = PlaceOf(m_loads, LoadText(compared.Load));
        m_series.push_back({&compared, cell, load});
        mostMah = std::max(mostMah, compared.Test.DeliveredAh * 1000.0);
        for (const CellTestPoint& point : compared.Test.Curve) {
            lowest = std::min(lowest, point.TerminalVolts);
            highest = std::max(highest, point.TerminalVolts);
        }
    }
    if (m_series.empty())
        lowest = 0.0, highest = 1.0;
    m_charge = RoundAxis(mostMah, g.xTicks);
    m_volts = RoundSpan(lowest, highest, g.yTicks);
    m_grouped = m_cells.size() > 1 && m_loads.size() > 1;
    const std::size_t entries = m_grouped ? m_cells.size() + m_loads.size() : m_series.size();
    const double columns = layout.Narrow ? 1.0 : 2.0;
    const double height = g.bottom + 60 + LegendRow * std::ceil(static_cast<double>(entries) / columns);
    m_svg = SvgOpen(g.width, height, !layout.Themed, layout.Themed ? " fill=\"currentColor\"" : "");
    const std::string kind =
        !m_series.empty() && m_series.front().Test->Load.Kind == LoadKind::Power ? "power" : "current";
    SvgText(m_svg, g.width / 2, layout.Narrow ? 22 : 26, "Cells at constant " + kind + " to their cut-off", "middle",
            layout.Narrow ? " font-size=\"13\" font-weight=\"bold\"" : " font-size=\"15\" font-weight=\"bold\"");
}

std::string Picture::Stroke(std::size_t cell) const
{
    return m_layout.Themed ? "style=\"stroke:var(--cell-" + std::to_string(cell % Colours.size()) + ")\""
                           : "stroke=\"" + std::string(Colours[cell % Colours.size()]) + "\"";
}

// The cell's mark, in its colour: a circle, square, triangle, diamond,
// downward triangle, ring or hollow square; past seven cells the marks
// move on by one against the colours.
void Picture::Mark(std::size_t cell, double x, double y)
{
    std::string paint = Stroke(cell);
    std::string fill = paint;
    fill.replace(fill.find("stroke"), 6, "fill");
    const std::size_t kind = (cell + cell / Colours.size()) % Marks;
    const std::string solid = " " + fill + " " + paint, hollow = " fill=\"none\" stroke-width=\"1.5\" " + paint;
    const auto polygon = [&](std::initializer_list<std::pair<double, double>> corners) {
        std::string points;
        for (const auto& [dx, dy] : corners)
            points += (points.empty() ? "" : " ") + Px(x + dx) + "," + Px(y + dy);
        m_svg += "<polygon points=\"" + points + "\"" + solid + "/>\n";
    };
    const std::string centre = " cx=\"" + Px(x) + "\" cy=\"" + Px(y) + "\"";
    const std::string box = "<rect x=\"" + Px(x - 4) + "\" y=\"" + Px(y - 4) + "\" width=\"8\" height=\"8\"";
    switch (kind) {
    case 0: m_svg += "<circle" + centre + " r=\"4.5\"" + solid + "/>\n"; break;
    case 1: m_svg += box + solid + "/>\n"; break;
    case 2: polygon({{0, -5}, {5, 4}, {-5, 4}}); break;
    case 3: polygon({{0, -5.5}, {5.5, 0}, {0, 5.5}, {-5.5, 0}}); break;
    case 4: polygon({{0, 5}, {5, -4}, {-5, -4}}); break;
    case 5: m_svg += "<circle" + centre + " r=\"4\"" + hollow + "/>\n"; break;
    default: m_svg += box + hollow + "/>\n"; break;
    }
}

// The grid, ticks, frame and axis titles.
void Picture::Frame()
{
    const std::string grid = m_layout.Themed ? "stroke=\"currentColor\" stroke-opacity=\"0.18\"" : "stroke=\"#e0e0e0\"";
    for (double mah = 0.0; mah <= m_charge.top + m_charge.step / 2; mah += m_charge.step) {
        SvgLine(m_svg, X(mah), g.top, X(mah), g.bottom, grid);
        SvgText(m_svg, X(mah), g.bottom + 16, TickLabel(mah));
    }
    for (double v = m_volts.bottom; v <= m_volts.top + m_volts.step / 2; v += m_volts.step) {
        SvgLine(m_svg, g.left, Y(v), g.right, Y(v), grid);
        SvgText(m_svg, g.left - 6, Y(v) + 4, TickLabel(v), "end");
    }
    SvgFrame(m_svg, g.left, g.top, g.right, g.bottom, Neutral());
    SvgText(m_svg, (g.left + g.right) / 2, g.bottom + 36, "Charge delivered (mAh)");
    const double side = m_layout.Narrow ? 13 : 18;
    SvgText(m_svg, side, (g.top + g.bottom) / 2, "Cell voltage (V)", "middle",
            " transform=\"rotate(-90 " + Px(side) + " " + Px((g.top + g.bottom) / 2) + ")\"");
}

// Each test's curve, its cell's mark at its end.
void Picture::Lines()
{
    for (const Series& series : m_series) {
        std::string points;
        for (const CellTestPoint& point : series.Test->Test.Curve)
            points +=
                (points.empty() ? "" : " ") + Px(X(point.DeliveredAh * 1000.0)) + "," + Px(Y(point.TerminalVolts));
        m_svg += "<polyline fill=\"none\" " + Stroke(series.Cell) + " stroke-width=\"2\"" +
                 Dashes[series.Load % Dashes.size()] + " points=\"" + points + "\"/>\n";
        const CellTestPoint& end = series.Test->Test.Curve.back();
        Mark(series.Cell, X(end.DeliveredAh * 1000.0), Y(end.TerminalVolts));
    }
}

void Picture::Entry(std::size_t row, const std::string& style, std::optional<std::size_t> mark,
                    const std::string& words)
{
    const double columns = m_layout.Narrow ? 1.0 : 2.0;
    const double place = static_cast<double>(row);
    const double lx = m_layout.Narrow ? 12 : g.left + std::fmod(place, columns) * (g.right - g.left) / 2;
    const double ly = g.bottom + 62 + LegendRow * std::floor(place / columns);
    SvgLine(m_svg, lx, ly - 4, lx + 28, ly - 4, style);
    if (mark)
        Mark(*mark, lx + 14, ly - 4);
    SvgText(m_svg, lx + 36, ly, words, "start");
}

// The legend: the cells by colour and mark and the loads by dash where
// there are several of each; else a line each.
void Picture::Key()
{
    std::size_t row = 0;
    if (m_grouped) {
        for (std::size_t cell = 0; cell < m_cells.size(); ++cell)
            Entry(row++, Stroke(cell) + " stroke-width=\"2\"", cell, m_cellNames[cell]);
        for (std::size_t load = 0; load < m_loads.size(); ++load)
            Entry(row++, Neutral() + " stroke-width=\"2\"" + Dashes[load % Dashes.size()], std::nullopt, m_loads[load]);
        return;
    }
    for (const Series& series : m_series)
        Entry(row++, Stroke(series.Cell) + " stroke-width=\"2\"" + Dashes[series.Load % Dashes.size()], series.Cell,
              series.Test->TradeName + ", " + LoadText(series.Test->Load));
}

std::string Picture::Done()
{
    Frame();
    Lines();
    Key();
    return std::move(m_svg) + SvgClose;
}

} // namespace

std::string CellComparisonSvg(const CellComparison& comparison, PlotLayout layout)
{
    return Picture(comparison, layout).Done();
}

} // namespace lumora
