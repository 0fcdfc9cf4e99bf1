// SPDX-License-Identifier: MIT
#include "calc/reports/runtime_plot.h"

#include "calc/reports/svg_picture.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace lumora {

namespace {

// The picture and its plot area, wide and narrow; ticks of time and value.
constexpr PlotFrame Wide = {760, 70, 690, 60, 380, 8, 6};
constexpr PlotFrame Narrow = {360, 46, 314, 74, 300, 4, 5};

// Paint by role: fixed colours, or the page's.
struct Ink {
    std::string text, frame, grid, output, current, fl1, regulation, host, measured;
};
// Other builds' lines: a colour and a dash each, quieter than the run's.
constexpr std::array<const char*, OtherLineStyles> OtherColours = {"#6a8fc7", "#b8860b", "#2e8b57", "#a0522d",
                                                                   "#708090", "#8b5a9c", "#4b8b8b"};
constexpr std::array<const char*, OtherLineStyles> OtherDashes = {"8 3",  "2 2", "10 3 2 3", "4 4",
                                                                  "12 4", "1 3", "6 2 2 2"};
std::string OtherStyle(std::size_t i, bool themed)
{
    const std::string paint = themed ? "style=\"stroke:var(--plot-build-" + std::to_string(i + 1) + ")\""
                                     : "stroke=\"" + std::string(OtherColours[i]) + "\"";
    return paint + " stroke-width=\"1.75\" stroke-opacity=\"0.85\" stroke-dasharray=\"" + OtherDashes[i] + "\"";
}
Ink Light()
{
    return {"",
            "stroke=\"#333333\"",
            "stroke=\"#e0e0e0\"",
            "stroke=\"#1f4e9c\"",
            "stroke=\"#c0392b\"",
            "stroke=\"#555555\"",
            "stroke=\"#27ae60\"",
            "stroke=\"#d35400\"",
            "stroke=\"#7b3294\""};
}
Ink Themed()
{
    return {" fill=\"currentColor\"",
            "stroke=\"currentColor\"",
            "stroke=\"currentColor\" stroke-opacity=\"0.18\"",
            "style=\"stroke:var(--plot-output)\"",
            "style=\"stroke:var(--plot-current)\"",
            "style=\"stroke:var(--plot-fl1)\"",
            "style=\"stroke:var(--plot-regulation)\"",
            "style=\"stroke:var(--plot-host)\"",
            "style=\"stroke:var(--plot-measured)\""};
}
// A text's colour from a line's: fill where the line has stroke.
std::string FillOf(std::string paint) { return " " + paint.replace(paint.find("stroke"), 6, "fill"); }

using Legend = std::vector<std::pair<std::string, std::string>>;

// How far a long run's first minutes are enlarged below it, minutes; 0 for
// none. Where the output moves early (a turbo and its step-down, the heat's
// throttle), the panel spans twice the time after which the output stays
// within EarlyBand points of its level at a quarter of the run, at least
// ten minutes, to a round top.
constexpr double EarlyBand = 5.0; // percent of the 30 s output
double EarlyMinutes(const std::vector<DischargeRow>& rows)
{
    if (rows.size() < 2)
        return 0.0;
    const double quarter = rows.back().Hours / 4.0;
    const auto level =
        std::find_if(rows.begin(), rows.end(), [&](const DischargeRow& r) { return r.Hours >= quarter; });
    double settled = 0.0;
    for (auto row = rows.begin(); row != level; ++row)
        if (std::abs(row->OutputPercent - level->OutputPercent) > EarlyBand)
            settled = std::next(row)->Hours;
    if (!(settled > 0.0))
        return 0.0;
    return RoundAxis(std::max(10.0, 2.0 * settled * 60.0), 6).top;
}

// The enlarged first minutes' panel: its height, and its frame's top and
// bottom below the legend.
constexpr double ZoomHeight = 200, ZoomTop = 48, ZoomBottom = 158;

// A text broken after its commas and semicolons into lines of at most
// 'most' characters (a part longer than that on a line of its own).
std::vector<std::string> Wrapped(const std::string& text, std::size_t most)
{
    std::vector<std::string> lines;
    std::string line;
    std::size_t from = 0;
    while (from < text.size()) {
        // The next place a line may end: after a comma or a semicolon.
        std::size_t end = std::string::npos;
        for (const char* mark : {", ", "; "})
            end = std::min(end, text.find(mark, from));
        const std::string part = text.substr(from, end == std::string::npos ? std::string::npos : end + 1 - from);
        from = end == std::string::npos ? text.size() : end + 2;
        const std::string joined = line.empty() ? part : line + " " + part;
        if (!line.empty() && joined.size() > most) {
            lines.push_back(line);
            line = part;
        } else {
            line = joined;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

// The most characters of a title's and a subtitle's line: what bold 13 px
// and plain 12 px DejaVu Sans (the widest of the fonts named) fit across the
// narrow picture, with a margin; and across the wide one.
constexpr std::size_t NarrowTitle = 38, NarrowSubtitle = 48, WideTitle = 72, WideSubtitle = 100;
// A legend entry's line, from its words' start: across the narrow picture,
// and the wide one; and the gap between an entry's lines.
constexpr std::size_t NarrowKey = 40, WideKey = 95;
constexpr double KeyLineGap = 14.0;

// Where the frame may start below the title and subtitle's last line.
double TitleBottom(const PlotLabels& labels, bool narrow)
{
    const double titles = static_cast<double>(Wrapped(labels.Title, narrow ? NarrowTitle : WideTitle).size());
    const double subtitles =
        static_cast<double>(Wrapped(labels.Subtitle, narrow ? NarrowSubtitle : WideSubtitle).size());
    const double last =
        (narrow ? 20 : 24) + 17 * (titles - 1) + (narrow ? (titles == 1 ? 22 : 18) : 19) + 16 * (subtitles - 1);
    return last + (narrow ? 19 : 17);
}

// The picture being drawn: its layout, scales and text so far.
class Plot {
  public:
    Plot(const Discharge& run, const PlotLabels& labels, PlotLayout layout, const PlotLine* measured,
         const OtherBuilds& others);

    void Title(const PlotLabels& labels);
    void Grid();
    void AxisTitles();
    void Marks();
    void Curves();
    template <typename Across, typename Up, typename UpAmps>
    void Lines(Across x, Up percentY, UpAmps currentY, double end);
    void Key();
    std::vector<std::pair<double, double>> KeyPlaces() const;
    std::vector<std::string> KeyLines(std::size_t entry) const;
    // Where the legend ends: its last entry's last line.
    double KeyBottom() const
    {
        const std::size_t last = m_legend.size() - 1;
        return KeyPlaces().back().second + KeyLineGap * static_cast<double>(KeyLines(last).size() - 1);
    }
    void Zoom();
    std::string Done() { return std::move(m_svg) + SvgClose; }

  private:
    double X(double hours) const { return g.left + (g.right - g.left) * hours * m_timeScale / m_time.top; }
    double YPercent(double value) const { return g.bottom - (g.bottom - g.top) * value / m_percent.top; }
    double YCurrent(double amps) const { return g.bottom - (g.bottom - g.top) * amps * m_currentScale / m_current.top; }

    const Discharge& m_run;
    const PlotLine* m_measured;
    std::span<const PlotLine> m_others;
    PlotLayout m_layout;
    PlotFrame g;
    Ink m_ink;
    bool m_minutes = false, m_heat = false, m_milliamps = false;
    double m_timeScale = 1.0, m_currentScale = 1.0;
    Axis m_time{}, m_percent{}, m_current{};
    double m_zoomMinutes = 0.0; // the first minutes enlarged below; 0 for none
    double m_height = 0.0;      // to the legend's end
    Legend m_legend;            // a line's paint and its words: the run's own, then the other builds'
    std::size_t m_ownEntries = 0;
    std::string m_currentText; // the current's tick and title paint
    std::string m_svg;
};

Plot::Plot(const Discharge& run, const PlotLabels& labels, PlotLayout layout, const PlotLine* measured,
           const OtherBuilds& others)
    : m_run(run), m_measured(measured && !measured->Points.empty() ? measured : nullptr),
      m_others(others.Lines.first(std::min(others.Lines.size(), OtherLineStyles))), m_layout(layout),
      g(layout.Narrow ? Narrow : Wide), m_ink(layout.Themed ? Themed() : Light())
{
    // A title or subtitle on more lines moves the plot down.
    const double shift = std::max(0.0, TitleBottom(labels, layout.Narrow) - g.top);
    g.top += shift;
    g.bottom += shift;
    const std::vector<DischargeRow>& rows = run.Rows;
    double endHours = rows.empty() ? 1.0 : rows.back().Hours;
    if (m_measured)
        endHours = std::max(endHours, m_measured->Points.back().first);
    for (const PlotLine& other : m_others)
        if (!other.Points.empty())
            endHours = std::max(endHours, other.Points.back().first);
    // Minutes for runs under two hours.
    m_minutes = endHours < 2.0;
    m_timeScale = m_minutes ? 60.0 : 1.0;
    m_time = RoundAxis(endHours * m_timeScale, g.xTicks);
    double mostPercent = 100.0, mostAmps = 0.0;
    // With a host, its temperature in °C shares the left scale.
    m_heat = !rows.empty() && rows.front().HostC != 0.0;
    for (const DischargeRow& row : rows) {
        mostPercent = std::max({mostPercent, row.OutputPercent, m_heat ? row.HostC : 0.0});
        mostAmps = std::max(mostAmps, row.LedAmps);
    }
    if (m_measured)
        for (const auto& [hours, percent] : m_measured->Points)
            mostPercent = std::max(mostPercent, percent);
    for (const PlotLine& other : m_others)
        for (const auto& [hours, percent] : other.Points)
            mostPercent = std::max(mostPercent, percent);
    // LED current in mA below 1 A.
    m_milliamps = mostAmps < 1.0;
    m_currentScale = m_milliamps ? 1000.0 : 1.0;
    m_percent = RoundAxis(mostPercent * 1.05, g.yTicks);
    m_current = RoundAxis(mostAmps * m_currentScale * 1.05, g.yTicks);
    const std::string own = run.Summary.InLumens ? "output (lumens, %)" : "output (%)";
    m_legend = {{m_ink.output + " stroke-width=\"2.5\"", m_others.empty() ? own : others.Name + ": " + own},
                {m_ink.current + " stroke-width=\"1.5\" stroke-dasharray=\"5 3\"",
                 m_milliamps ? "LED current (mA)" : "LED current (A)"},
                {m_ink.fl1 + " stroke-dasharray=\"6 4\"", "10 % of the 30 s output"}};
    if (m_heat)
        m_legend.push_back({m_ink.host + " stroke-width=\"2\" stroke-dasharray=\"1 3\" stroke-linecap=\"round\"",
                            "host temperature (°C, left scale)"});
    if (m_measured)
        m_legend.push_back({m_ink.measured + " stroke-width=\"2\" stroke-dasharray=\"9 3 2 3\"", m_measured->Label});
    m_ownEntries = m_legend.size();
    for (std::size_t i = 0; i < m_others.size(); ++i)
        m_legend.push_back({OtherStyle(i, layout.Themed), m_others[i].Label});
    m_currentText = layout.Themed ? FillOf(m_ink.current) : " fill=\"#c0392b\"";
    m_zoomMinutes = m_minutes ? 0.0 : EarlyMinutes(rows);
    m_height = layout.Narrow ? KeyBottom() + 13.0 : m_others.empty() ? 470.0 + shift : KeyBottom() + 12.0;
    const double height = m_height + (m_zoomMinutes > 0.0 ? ZoomHeight : 0.0);
    const std::string data =
        layout.Themed ? " data-left=\"" + Px(g.left) + "\" data-right=\"" + Px(g.right) + "\" data-hours=\"" +
                            TickLabel(m_time.top / m_timeScale) + "\"" +
                            (m_zoomMinutes > 0.0 ? " data-zoom-top=\"" + Px(m_height) + "\" data-zoom-minutes=\"" +
                                                       TickLabel(m_zoomMinutes) + "\""
                                                 : "") +
                            m_ink.text
                      : "";
    m_svg = SvgOpen(g.width, height, !layout.Themed, data);
}

// The title and subtitle, each on as many lines as its words need; the plot
// moves down for each line beyond the usual two (or three, narrow, where
// the title takes two).
void Plot::Title(const PlotLabels& labels)
{
    const bool narrow = m_layout.Narrow;
    const std::vector<std::string> title = Wrapped(labels.Title, narrow ? NarrowTitle : WideTitle);
    const std::vector<std::string> subtitle = Wrapped(labels.Subtitle, narrow ? NarrowSubtitle : WideSubtitle);
    const std::string bold =
        narrow ? " font-size=\"13\" font-weight=\"bold\"" : " font-size=\"15\" font-weight=\"bold\"";
    const double middle = g.width / 2;
    double y = narrow ? 20 : 24;
    for (std::size_t i = 0; i < title.size(); ++i, y += 17)
        SvgText(m_svg, middle, y, title[i], "middle", bold);
    y += narrow ? (title.size() == 1 ? 5 : 1) : 2;
    for (std::size_t i = 0; i < subtitle.size(); ++i, y += 16)
        SvgText(m_svg, middle, y, subtitle[i]);
}

// Grid and ticks: time below, output on the left, current on the right;
// the frame around them.
void Plot::Grid()
{
    for (double t = 0.0; t <= m_time.top + m_time.step / 2; t += m_time.step) {
        const double px = g.left + (g.right - g.left) * t / m_time.top;
        SvgLine(m_svg, px, g.top, px, g.bottom, m_ink.grid);
        SvgText(m_svg, px, g.bottom + 16, TickLabel(t));
    }
    for (double p = 0.0; p <= m_percent.top + m_percent.step / 2; p += m_percent.step) {
        SvgLine(m_svg, g.left, YPercent(p), g.right, YPercent(p), m_ink.grid);
        SvgText(m_svg, g.left - 6, YPercent(p) + 4, TickLabel(p), "end");
    }
    for (double c = 0.0; c <= m_current.top + m_current.step / 2; c += m_current.step)
        SvgText(m_svg, g.right + 6, YCurrent(c / m_currentScale) + 4, TickLabel(c), "start", m_currentText);
    SvgFrame(m_svg, g.left, g.top, g.right, g.bottom, m_ink.frame);
}

void Plot::AxisTitles()
{
    const bool lumens = m_run.Summary.InLumens;
    SvgText(m_svg, (g.left + g.right) / 2, g.bottom + 36, m_minutes ? "Time (min)" : "Time (h)");
    const std::string outputAxis = m_layout.Narrow ? (lumens ? "Output (% of lm at 30 s)" : "Output (%)")
                                   : lumens        ? "Output (% of lumens at 30 s)"
                                                   : "Output (% of 30 s value)";
    // Turned a quarter clockwise, the right title's letters rise to the right
    // of its line by their height: it stands that far inside the edge.
    const double leftTitle = m_layout.Narrow ? 12 : 18, rightTitle = g.width - (m_layout.Narrow ? 14 : 16);
    const double middle = (g.top + g.bottom) / 2;
    SvgText(m_svg, leftTitle, middle, m_heat ? outputAxis + ", host (°C)" : outputAxis, "middle",
            " transform=\"rotate(-90 " + Px(leftTitle) + " " + Px(middle) + ")\"");
    SvgText(m_svg, rightTitle, middle, m_milliamps ? "LED current (mA)" : "LED current (A)", "middle",
            m_currentText + " transform=\"rotate(90 " + Px(rightTitle) + " " + Px(middle) + ")\"");
}

// The 10 % line and the end of regulation.
void Plot::Marks()
{
    const DischargeSummary& summary = m_run.Summary;
    SvgLine(m_svg, g.left, YPercent(10), g.right, YPercent(10), m_ink.fl1 + " stroke-dasharray=\"6 4\"");
    SvgText(m_svg, g.left + 6, YPercent(10) - 4,
            "FL1 runtime " + TickLabel(summary.Fl1Hours * m_timeScale) + (m_minutes ? " min" : " h"), "start",
            m_layout.Themed ? FillOf(m_ink.fl1) : " fill=\"#555555\"");
    if (summary.RegulatedHours > 0.0) {
        const double at = X(summary.RegulatedHours);
        SvgLine(m_svg, at, g.top, at, g.bottom, m_ink.regulation + " stroke-dasharray=\"3 3\"");
        // Left of its line, unless that would run out of the frame.
        const bool room = !m_layout.Narrow || at - 4 - 110 >= g.left;
        SvgText(m_svg, room ? at - 4 : at + 4, g.top + 14, "end of regulation", room ? "end" : "start",
                m_layout.Themed ? FillOf(m_ink.regulation) : " fill=\"#27ae60\"");
    }
}

void Plot::Curves()
{
    Lines([&](double hours) { return X(hours); }, [&](double percent) { return YPercent(percent); },
          [&](double amps) { return YCurrent(amps); }, INFINITY);
}

// The run's lines, the LED current, the output, the host and a measured
// log, each in its legend's paint, placed by a panel's x (hours) and y (of
// a percent, of a current), to 'end' hours: a line that runs past it stops
// at it, straight from the point before.
template <typename Across, typename Up, typename UpAmps>
void Plot::Lines(Across x, Up percentY, UpAmps currentY, double end)
{
    using Points = std::vector<std::pair<double, double>>; // hours, value
    const auto line = [&](const Points& points, auto y, const std::string& style) {
        std::string text;
        for (std::size_t k = 0; k < points.size() && (k == 0 || points[k - 1].first < end); ++k) {
            auto [hours, value] = points[k];
            if (hours > end && k > 0) {
                const auto& [h0, v0] = points[k - 1];
                value = v0 + (value - v0) * (end - h0) / (hours - h0);
                hours = end;
            }
            text += (text.empty() ? "" : " ") + Px(x(hours)) + "," + Px(y(value));
        }
        m_svg += "<polyline fill=\"none\" " + style + " points=\"" + text + "\"/>\n";
    };
    const auto rows = [&](double DischargeRow::*member) {
        Points points;
        for (const DischargeRow& row : m_run.Rows)
            points.emplace_back(row.Hours, row.*member);
        return points;
    };
    line(rows(&DischargeRow::LedAmps), currentY, m_legend[1].first);
    line(rows(&DischargeRow::OutputPercent), percentY, m_legend[0].first);
    if (m_heat)
        line(rows(&DischargeRow::HostC), percentY, m_legend[3].first);
    if (m_measured)
        line(Points(m_measured->Points.begin(), m_measured->Points.end()), percentY, m_legend[m_ownEntries - 1].first);
    for (std::size_t i = 0; i < m_others.size(); ++i)
        line(Points(m_others[i].Points.begin(), m_others[i].Points.end()), percentY, m_legend[m_ownEntries + i].first);
}

// The legend: in a row below the time axis (a second for the host and the
// measured log), or a line each in the narrow layout.
void Plot::Key()
{
    const std::vector<std::pair<double, double>> places = KeyPlaces();
    for (std::size_t i = 0; i < m_legend.size(); ++i) {
        const auto [lx, ly] = places[i];
        SvgLine(m_svg, lx, ly - 4, lx + 28, ly - 4, m_legend[i].first);
        const std::vector<std::string> lines = KeyLines(i);
        for (std::size_t k = 0; k < lines.size(); ++k)
            SvgText(m_svg, lx + 34, ly + KeyLineGap * static_cast<double>(k), lines[k], "start");
    }
}

// An entry's words on as many lines as a line each needs: in the narrow
// layout, and for the builds' lines in the wide one; the wide layout's
// rows of three keep their short words on one.
std::vector<std::string> Plot::KeyLines(std::size_t i) const
{
    if (!m_layout.Narrow && (m_others.empty() || (i > 0 && i < m_ownEntries)))
        return {m_legend[i].second};
    return Wrapped(m_legend[i].second, m_layout.Narrow ? NarrowKey : WideKey);
}

// Where each legend entry's line starts and its text's baseline: a line
// each in the narrow layout; in the wide one a row of three below the time
// axis (a second for the host and the measured log), or, beside other
// builds, the builds' outputs a line each below the run's other lines.
std::vector<std::pair<double, double>> Plot::KeyPlaces() const
{
    std::vector<std::pair<double, double>> places;
    const double top = g.bottom + 66;
    // The lines of the entries before, beyond their first.
    double extra = 0.0;
    for (std::size_t i = 0; i < m_legend.size(); ++i) {
        const double at = static_cast<double>(i);
        if (m_layout.Narrow)
            places.emplace_back(g.left, g.bottom + 62 + 17.0 * at + KeyLineGap * extra);
        else if (m_others.empty())
            places.emplace_back(i >= 3 ? g.left + 260.0 * (at - 3.0) : g.left + 200.0 * at, top + (i >= 3 ? 18 : 0));
        else
            places.emplace_back(0.0, 0.0);
        extra += static_cast<double>(KeyLines(i).size() - 1);
    }
    if (m_layout.Narrow || m_others.empty())
        return places;
    // The run's lines but its output in a row, the measured log below;
    // then the builds' outputs, the run's own first, a line each.
    double row = 0.0, column = 0.0;
    for (std::size_t i = 1; i < m_ownEntries; ++i) {
        const bool measured = m_measured && i + 1 == m_ownEntries;
        if (measured && column > 0.0)
            row += 1.0, column = 0.0;
        places[i] = {g.left + 200.0 * column, top + 18.0 * row};
        column += 1.0;
    }
    double y = top + 18.0 * (row + 1.0);
    for (std::size_t i : {std::size_t{0}}) {
        places[i] = {g.left, y};
        y += 18.0 + KeyLineGap * static_cast<double>(KeyLines(i).size() - 1);
    }
    for (std::size_t i = m_ownEntries; i < m_legend.size(); ++i) {
        places[i] = {g.left, y};
        y += 18.0 + KeyLineGap * static_cast<double>(KeyLines(i).size() - 1);
    }
    return places;
}

// The run's first minutes enlarged in a panel of their own below the
// legend: the output, the LED current, the host and a measured log on the
// main plot's scales, to the panel's end.
void Plot::Zoom()
{
    if (m_zoomMinutes == 0.0)
        return;
    const double minutes = m_zoomMinutes, y0 = m_height + ZoomTop, y1 = m_height + ZoomBottom;
    const auto x = [&](double hours) { return g.left + (g.right - g.left) * hours * 60.0 / minutes; };
    const auto y = [&](double share) { return y1 - (y1 - y0) * share; };
    SvgText(m_svg, g.left, y0 - 10, "The first " + TickLabel(minutes) + " min, enlarged", "start",
            " font-weight=\"bold\"");
    const Axis ticks = RoundAxis(minutes, g.xTicks);
    for (double t = 0.0; t <= minutes + ticks.step / 1000; t += ticks.step) {
        SvgLine(m_svg, x(t / 60.0), y0, x(t / 60.0), y1, m_ink.grid);
        SvgText(m_svg, x(t / 60.0), y1 + 16, TickLabel(t));
    }
    for (double p = 0.0; p <= m_percent.top + m_percent.step / 2; p += 2 * m_percent.step)
        SvgText(m_svg, g.left - 6, y(p / m_percent.top) + 4, TickLabel(p), "end");
    SvgFrame(m_svg, g.left, y0, g.right, y1, m_ink.frame);
    SvgText(m_svg, (g.left + g.right) / 2, y1 + 34, "Time (min)");
    Lines(
        x, [&](double percent) { return y(percent / m_percent.top); },
        [&](double amps) { return y(amps * m_currentScale / m_current.top); }, minutes / 60.0);
}

} // namespace

std::string RuntimePlotSvg(const Discharge& run, const PlotLabels& labels, PlotLayout layout, const PlotLine* measured,
                           const OtherBuilds& others)
{
    Plot plot(run, labels, layout, measured, others);
    plot.Title(labels);
    plot.Grid();
    plot.AxisTitles();
    plot.Marks();
    plot.Curves();
    plot.Key();
    plot.Zoom();
    return plot.Done();
}

} // namespace lumora
