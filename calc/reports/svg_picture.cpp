// SPDX-License-Identifier: MIT
#include "calc/reports/svg_picture.h"

#include "calc/text/number_text.h"

#include <cmath>

namespace lumora {

namespace {

// A round step of 1, 2 or 5 times a power of ten giving at most 'ticks'
// intervals over 'range'.
double RoundStep(double range, int ticks)
{
    const double raw = range / ticks;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double factor : {1.0, 2.0, 5.0, 10.0}) {
        if (factor * power >= raw)
            return factor * power;
    }
    return 10.0 * power;
}

} // namespace

std::string Px(double value) { return StepsText(std::round(value * 10.0), 1); }

std::string TickLabel(double value) { return DecimalText(value, 4); }

std::string Escaped(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

Axis RoundAxis(double largest, int ticks)
{
    if (!(largest > 0.0))
        largest = 1.0;
    Axis axis;
    axis.step = RoundStep(largest, ticks);
    axis.top = std::ceil(largest / axis.step - 1e-9) * axis.step;
    return axis;
}

SpanAxis RoundSpan(double lowest, double largest, int ticks)
{
    if (!(largest > lowest))
        largest = lowest + 1.0;
    SpanAxis axis;
    axis.step = RoundStep(largest - lowest, ticks);
    axis.bottom = std::floor(lowest / axis.step + 1e-9) * axis.step;
    axis.top = std::ceil(largest / axis.step - 1e-9) * axis.step;
    return axis;
}

std::string SvgOpen(double width, double height, bool ground, const std::string& attributes)
{
    return "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Px(width) + "\" height=\"" + Px(height) +
           "\" viewBox=\"0 0 " + Px(width) + " " + Px(height) +
           "\" font-family=\"DejaVu Sans, Arial, Helvetica, sans-serif\" font-size=\"12\"" + attributes + ">\n" +
           (ground ? "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n" : "");
}

void SvgText(std::string& svg, double x, double y, const std::string& text, const char* anchor,
             const std::string& extra)
{
    svg += "<text x=\"" + Px(x) + "\" y=\"" + Px(y) + "\" text-anchor=\"" + anchor + "\"" + extra + ">" +
           Escaped(text) + "</text>\n";
}

void SvgLine(std::string& svg, double x1, double y1, double x2, double y2, const std::string& style)
{
    svg += "<line x1=\"" + Px(x1) + "\" y1=\"" + Px(y1) + "\" x2=\"" + Px(x2) + "\" y2=\"" + Px(y2) + "\" " + style +
           "/>\n";
}

void SvgFrame(std::string& svg, double left, double top, double right, double bottom, const std::string& paint)
{
    svg += "<rect x=\"" + Px(left) + "\" y=\"" + Px(top) + "\" width=\"" + Px(right - left) + "\" height=\"" +
           Px(bottom - top) + "\" fill=\"none\" " + paint + "/>\n";
}

} // namespace lumora
