// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace lumora {

// The pieces the pictures are drawn of: an SVG text written the same, byte
// for byte, by every build (every number through DecimalText).

// A coordinate to a tenth of a pixel.
std::string Px(double value);

// A tick label: up to 4 significant digits, no trailing zeros.
std::string TickLabel(double value);

// A text for XML: & < > " escaped.
std::string Escaped(const std::string& text);

// An axis from 0 to a round top with round steps (1, 2 or 5 times a power
// of ten), at most 'ticks' intervals, covering 'largest'.
struct Axis {
    double top = 1.0, step = 1.0;
};
Axis RoundAxis(double largest, int ticks);

// An axis from a round bottom to a round top covering 'lowest' to
// 'largest', for voltages that never come near 0.
struct SpanAxis {
    double bottom = 0.0, top = 1.0, step = 1.0;
};
SpanAxis RoundSpan(double lowest, double largest, int ticks);

// The opening tag of a picture 'width' by 'height' pixels, on a white
// ground unless told otherwise, with more attributes if given, and its
// closing tag.
std::string SvgOpen(double width, double height, bool ground = true, const std::string& attributes = "");
inline constexpr const char* SvgClose = "</svg>\n";

void SvgText(std::string& svg, double x, double y, const std::string& text, const char* anchor = "middle",
             const std::string& extra = "");
void SvgLine(std::string& svg, double x1, double y1, double x2, double y2, const std::string& style);
// A plot area's frame: a rectangle without fill, in a stroke's paint.
void SvgFrame(std::string& svg, double left, double top, double right, double bottom, const std::string& paint);

// A plot's picture and the plot area inside it, pixels: the picture's
// width, the area's sides, and how many ticks along x and y at most.
struct PlotFrame {
    double width, left, right, top, bottom;
    int xTicks, yTicks;
};

// How a picture is drawn: the wide layout (760 px) or a narrow one for a
// phone (360 px, fewer ticks, the legend a line each); in fixed light
// colours, the file's, or in the page's: text and frame in currentColor and
// the lines in the page's CSS variables, without a ground of its own.
// The runtime graph also gives the plot area's bounds and the time axis's
// top as data attributes for a readout, and its lines' variables are
// --plot-output, --plot-current, --plot-host, --plot-fl1,
// --plot-regulation and --plot-measured.
struct PlotLayout {
    bool Narrow = false;
    bool Themed = false;
};

} // namespace lumora
