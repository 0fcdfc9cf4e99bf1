// SPDX-License-Identifier: MIT
#include "calc/reports/runtime_plot.h"

#include "calc/reports/svg_picture.h"

#include <algorithm>
#include <cmath>

namespace lumora {

namespace {

// The picture's frame and the plot area inside it, pixels.
constexpr double Width = 760, Height = 470;
constexpr double Left = 70, Right = 690, Top = 60, Bottom = 380;

} // namespace

std::string RuntimePlotSvg(const Discharge& run, const PlotLabels& labels)
{
    const std::vector<DischargeRow>& rows = run.Rows;
    const DischargeSummary& summary = run.Summary;
    const double endHours = rows.empty() ? 1.0 : rows.back().Hours;
    // Minutes for runs under two hours.
    const bool minutes = endHours < 2.0;
    const double timeScale = minutes ? 60.0 : 1.0;
    const Axis time = RoundAxis(endHours * timeScale, 8);
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
    const Axis percent = RoundAxis(mostPercent * 1.05, 6);
    const Axis current = RoundAxis(mostAmps * currentScale * 1.05, 6);

    const auto x = [&](double hours) { return Left + (Right - Left) * hours * timeScale / time.top; };
    const auto yPercent = [&](double value) { return Bottom - (Bottom - Top) * value / percent.top; };
    const auto yCurrent = [&](double value) { return Bottom - (Bottom - Top) * value * currentScale / current.top; };

    std::string svg = SvgOpen(Width, Height);
    SvgText(svg, Width / 2, 24, labels.Title, "middle", " font-size=\"15\" font-weight=\"bold\"");
    SvgText(svg, Width / 2, 43, labels.Subtitle);

    // Grid and ticks: time below, output on the left, current on the right.
    for (double t = 0.0; t <= time.top + time.step / 2; t += time.step) {
        const double px = Left + (Right - Left) * t / time.top;
        SvgLine(svg, px, Top, px, Bottom, "stroke=\"#e0e0e0\"");
        SvgText(svg, px, Bottom + 16, TickLabel(t));
    }
    for (double p = 0.0; p <= percent.top + percent.step / 2; p += percent.step) {
        SvgLine(svg, Left, yPercent(p), Right, yPercent(p), "stroke=\"#e0e0e0\"");
        SvgText(svg, Left - 6, yPercent(p) + 4, TickLabel(p), "end");
    }
    for (double c = 0.0; c <= current.top + current.step / 2; c += current.step)
        SvgText(svg, Right + 6, yCurrent(c / currentScale) + 4, TickLabel(c), "start", " fill=\"#c0392b\"");
    svg += "<rect x=\"" + Px(Left) + "\" y=\"" + Px(Top) + "\" width=\"" + Px(Right - Left) + "\" height=\"" +
           Px(Bottom - Top) + "\" fill=\"none\" stroke=\"#333333\"/>\n";
    SvgText(svg, (Left + Right) / 2, Bottom + 36, minutes ? "Time (min)" : "Time (h)");
    const std::string outputAxis = summary.InLumens ? "Output (% of lumens at 30 s)" : "Output (% of 30 s value)";
    SvgText(svg, 18, (Top + Bottom) / 2, heat ? outputAxis + ", host (C)" : outputAxis, "middle",
            " transform=\"rotate(-90 18 " + Px((Top + Bottom) / 2) + ")\"");
    SvgText(svg, Width - 16, (Top + Bottom) / 2, milliamps ? "LED current (mA)" : "LED current (A)", "middle",
            " fill=\"#c0392b\" transform=\"rotate(90 " + Px(Width - 16) + " " + Px((Top + Bottom) / 2) + ")\"");

    // The 10 % line and the end of regulation.
    SvgLine(svg, Left, yPercent(10), Right, yPercent(10), "stroke=\"#555555\" stroke-dasharray=\"6 4\"");
    SvgText(svg, Left + 6, yPercent(10) - 4,
            "FL1 runtime " + TickLabel(summary.Fl1Hours * timeScale) + (minutes ? " min" : " h"), "start",
            " fill=\"#555555\"");
    if (summary.RegulatedHours > 0.0) {
        SvgLine(svg, x(summary.RegulatedHours), Top, x(summary.RegulatedHours), Bottom,
                "stroke=\"#27ae60\" stroke-dasharray=\"3 3\"");
        SvgText(svg, x(summary.RegulatedHours) - 4, Top + 14, "end of regulation", "end", " fill=\"#27ae60\"");
    }

    // The two curves.
    const auto path = [&](auto y, const char* style) {
        std::string points;
        for (const DischargeRow& row : rows)
            points += (points.empty() ? "" : " ") + Px(x(row.Hours)) + "," + Px(y(row));
        svg += "<polyline fill=\"none\" " + std::string(style) + " points=\"" + points + "\"/>\n";
    };
    path([&](const DischargeRow& row) { return yCurrent(row.LedAmps); },
         "stroke=\"#c0392b\" stroke-width=\"1.5\" stroke-dasharray=\"5 3\"");
    path([&](const DischargeRow& row) { return yPercent(row.OutputPercent); },
         "stroke=\"#1f4e9c\" stroke-width=\"2.5\"");
    if (heat)
        path([&](const DischargeRow& row) { return yPercent(row.HostC); },
             "stroke=\"#d35400\" stroke-width=\"2\" stroke-dasharray=\"1 3\" stroke-linecap=\"round\"");

    // Legend, in one row below the time axis.
    const double ly = Bottom + 66;
    SvgLine(svg, Left, ly - 4, Left + 28, ly - 4, "stroke=\"#1f4e9c\" stroke-width=\"2.5\"");
    SvgText(svg, Left + 34, ly, summary.InLumens ? "output (lumens, %)" : "output (%)", "start");
    SvgLine(svg, Left + 200, ly - 4, Left + 228, ly - 4,
            "stroke=\"#c0392b\" stroke-width=\"1.5\" stroke-dasharray=\"5 3\"");
    SvgText(svg, Left + 234, ly, milliamps ? "LED current (mA)" : "LED current (A)", "start");
    SvgLine(svg, Left + 400, ly - 4, Left + 428, ly - 4, "stroke=\"#555555\" stroke-dasharray=\"6 4\"");
    SvgText(svg, Left + 434, ly, "10 % of the 30 s output", "start");
    if (heat) {
        SvgLine(svg, Left, ly + 14, Left + 28, ly + 14,
                "stroke=\"#d35400\" stroke-width=\"2\" stroke-dasharray=\"1 3\" stroke-linecap=\"round\"");
        SvgText(svg, Left + 34, ly + 18, "host temperature (C, left scale)", "start");
    }
    svg += SvgClose;
    return svg;
}

} // namespace lumora
