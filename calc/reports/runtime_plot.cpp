// SPDX-License-Identifier: MIT
#include "calc/reports/runtime_plot.h"

#include "calc/reports/svg_picture.h"

#include <algorithm>
#include <cmath>

namespace lumora {

namespace {

// The picture's frame and the plot area inside it, pixels, wide and narrow.
struct Geometry {
    double width, left, right, top, bottom;
    int timeTicks, valueTicks;
};
constexpr Geometry Wide = {760, 70, 690, 60, 380, 8, 6};
constexpr Geometry Narrow = {360, 46, 314, 74, 300, 4, 5};

// Paint by role: fixed colours, or the page's.
struct Ink {
    std::string text, frame, grid, output, current, fl1, regulation, host;
};
Ink Light()
{
    return {"",
            "stroke=\"#333333\"",
            "stroke=\"#e0e0e0\"",
            "stroke=\"#1f4e9c\"",
            "stroke=\"#c0392b\"",
            "stroke=\"#555555\"",
            "stroke=\"#27ae60\"",
            "stroke=\"#d35400\""};
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
            "style=\"stroke:var(--plot-host)\""};
}
// A text's colour from a line's: fill where the line has stroke.
std::string FillOf(std::string paint) { return " " + paint.replace(paint.find("stroke"), 6, "fill"); }

} // namespace

std::string RuntimePlotSvg(const Discharge& run, const PlotLabels& labels, PlotLayout layout)
{
    const Geometry g = layout.Narrow ? Narrow : Wide;
    const Ink ink = layout.Themed ? Themed() : Light();
    const double Left = g.left, Right = g.right, Top = g.top, Bottom = g.bottom, Width = g.width;
    const std::vector<DischargeRow>& rows = run.Rows;
    const DischargeSummary& summary = run.Summary;
    const double endHours = rows.empty() ? 1.0 : rows.back().Hours;
    // Minutes for runs under two hours.
    const bool minutes = endHours < 2.0;
    const double timeScale = minutes ? 60.0 : 1.0;
    const Axis time = RoundAxis(endHours * timeScale, g.timeTicks);
    double mostPercent = 100.0, mostAmps = 0.0;
    // With a host, its temperature in °C shares the left scale.
    const bool heat = !rows.empty() && rows.front().HostC != 0.0;
    for (const DischargeRow& row : rows) {
        mostPercent = std::max({mostPercent, row.OutputPercent, heat ? row.HostC : 0.0});
        mostAmps = std::max(mostAmps, row.LedAmps);
    }
    // LED current in mA below 1 A.
    const bool milliamps = mostAmps < 1.0;
    const double currentScale = milliamps ? 1000.0 : 1.0;
    const Axis percent = RoundAxis(mostPercent * 1.05, g.valueTicks);
    const Axis current = RoundAxis(mostAmps * currentScale * 1.05, g.valueTicks);

    const auto x = [&](double hours) { return Left + (Right - Left) * hours * timeScale / time.top; };
    const auto yPercent = [&](double value) { return Bottom - (Bottom - Top) * value / percent.top; };
    const auto yCurrent = [&](double value) { return Bottom - (Bottom - Top) * value * currentScale / current.top; };

    // The legend's entries: a line's paint and its words.
    std::vector<std::pair<std::string, std::string>> legend = {
        {ink.output + " stroke-width=\"2.5\"", summary.InLumens ? "output (lumens, %)" : "output (%)"},
        {ink.current + " stroke-width=\"1.5\" stroke-dasharray=\"5 3\"",
         milliamps ? "LED current (mA)" : "LED current (A)"},
        {ink.fl1 + " stroke-dasharray=\"6 4\"", "10 % of the 30 s output"}};
    if (heat)
        legend.push_back({ink.host + " stroke-width=\"2\" stroke-dasharray=\"1 3\" stroke-linecap=\"round\"",
                          "host temperature (C, left scale)"});
    const double height = layout.Narrow ? Bottom + 58 + 17.0 * static_cast<double>(legend.size()) : 470.0;

    const std::string data = layout.Themed ? " data-left=\"" + Px(Left) + "\" data-right=\"" + Px(Right) +
                                                 "\" data-hours=\"" + TickLabel(time.top / timeScale) + "\"" + ink.text
                                           : "";
    std::string svg = SvgOpen(Width, height, !layout.Themed, data);
    // The title, on two lines in the narrow layout where it is long.
    const std::size_t comma = labels.Title.find(", ");
    if (layout.Narrow && labels.Title.size() > 44 && comma != std::string::npos) {
        SvgText(svg, Width / 2, 20, labels.Title.substr(0, comma + 1), "middle",
                " font-size=\"13\" font-weight=\"bold\"");
        SvgText(svg, Width / 2, 37, labels.Title.substr(comma + 2), "middle", " font-size=\"13\" font-weight=\"bold\"");
        SvgText(svg, Width / 2, 55, labels.Subtitle);
    } else {
        SvgText(svg, Width / 2, 24, labels.Title, "middle",
                layout.Narrow ? " font-size=\"13\" font-weight=\"bold\"" : " font-size=\"15\" font-weight=\"bold\"");
        SvgText(svg, Width / 2, layout.Narrow ? 42 : 43, labels.Subtitle);
    }

    // Grid and ticks: time below, output on the left, current on the right.
    for (double t = 0.0; t <= time.top + time.step / 2; t += time.step) {
        const double px = Left + (Right - Left) * t / time.top;
        SvgLine(svg, px, Top, px, Bottom, ink.grid);
        SvgText(svg, px, Bottom + 16, TickLabel(t));
    }
    for (double p = 0.0; p <= percent.top + percent.step / 2; p += percent.step) {
        SvgLine(svg, Left, yPercent(p), Right, yPercent(p), ink.grid);
        SvgText(svg, Left - 6, yPercent(p) + 4, TickLabel(p), "end");
    }
    const std::string currentText = layout.Themed ? FillOf(ink.current) : " fill=\"#c0392b\"";
    for (double c = 0.0; c <= current.top + current.step / 2; c += current.step)
        SvgText(svg, Right + 6, yCurrent(c / currentScale) + 4, TickLabel(c), "start", currentText);
    svg += "<rect x=\"" + Px(Left) + "\" y=\"" + Px(Top) + "\" width=\"" + Px(Right - Left) + "\" height=\"" +
           Px(Bottom - Top) + "\" fill=\"none\" " + ink.frame + "/>\n";
    SvgText(svg, (Left + Right) / 2, Bottom + 36, minutes ? "Time (min)" : "Time (h)");
    const std::string outputAxis = layout.Narrow      ? (summary.InLumens ? "Output (% of lm at 30 s)" : "Output (%)")
                                   : summary.InLumens ? "Output (% of lumens at 30 s)"
                                                      : "Output (% of 30 s value)";
    const double leftTitle = layout.Narrow ? 12 : 18, rightTitle = Width - (layout.Narrow ? 8 : 16);
    SvgText(svg, leftTitle, (Top + Bottom) / 2, heat ? outputAxis + ", host (C)" : outputAxis, "middle",
            " transform=\"rotate(-90 " + Px(leftTitle) + " " + Px((Top + Bottom) / 2) + ")\"");
    SvgText(svg, rightTitle, (Top + Bottom) / 2, milliamps ? "LED current (mA)" : "LED current (A)", "middle",
            currentText + " transform=\"rotate(90 " + Px(rightTitle) + " " + Px((Top + Bottom) / 2) + ")\"");

    // The 10 % line and the end of regulation.
    SvgLine(svg, Left, yPercent(10), Right, yPercent(10), ink.fl1 + " stroke-dasharray=\"6 4\"");
    SvgText(svg, Left + 6, yPercent(10) - 4,
            "FL1 runtime " + TickLabel(summary.Fl1Hours * timeScale) + (minutes ? " min" : " h"), "start",
            layout.Themed ? FillOf(ink.fl1) : " fill=\"#555555\"");
    if (summary.RegulatedHours > 0.0) {
        SvgLine(svg, x(summary.RegulatedHours), Top, x(summary.RegulatedHours), Bottom,
                ink.regulation + " stroke-dasharray=\"3 3\"");
        // Left of its line, unless that would run out of the frame.
        const double at = x(summary.RegulatedHours);
        const bool room = !layout.Narrow || at - 4 - 110 >= Left;
        SvgText(svg, room ? at - 4 : at + 4, Top + 14, "end of regulation", room ? "end" : "start",
                layout.Themed ? FillOf(ink.regulation) : " fill=\"#27ae60\"");
    }

    // The curves.
    const auto path = [&](auto y, const std::string& style) {
        std::string points;
        for (const DischargeRow& row : rows)
            points += (points.empty() ? "" : " ") + Px(x(row.Hours)) + "," + Px(y(row));
        svg += "<polyline fill=\"none\" " + style + " points=\"" + points + "\"/>\n";
    };
    path([&](const DischargeRow& row) { return yCurrent(row.LedAmps); }, legend[1].first);
    path([&](const DischargeRow& row) { return yPercent(row.OutputPercent); }, legend[0].first);
    if (heat)
        path([&](const DischargeRow& row) { return yPercent(row.HostC); }, legend[3].first);

    // The legend: in a row below the time axis (a second for the host), or
    // a line each in the narrow layout.
    for (std::size_t i = 0; i < legend.size(); ++i) {
        const double lx = layout.Narrow ? Left : Left + (i == 3 ? 0.0 : 200.0 * static_cast<double>(i));
        const double ly = layout.Narrow ? Bottom + 62 + 17.0 * static_cast<double>(i) : Bottom + 66 + (i == 3 ? 18 : 0);
        SvgLine(svg, lx, ly - 4, lx + 28, ly - 4, legend[i].first);
        SvgText(svg, lx + 34, ly, legend[i].second, "start");
    }
    svg += SvgClose;
    return svg;
}

} // namespace lumora
