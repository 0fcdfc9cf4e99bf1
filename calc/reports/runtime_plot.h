// SPDX-License-Identifier: MIT
#pragma once

#include "calc/light/discharge.h"

#include <string>
#include <utility>
#include <vector>

namespace lumora {

// The runtime graph as an SVG picture that any browser opens: output in
// percent of its 30-second value and the LED current against time, the
// 10 % line of the FL1 runtime, the end of regulation, round ticks with
// units, and a legend. Every number in it is written with DecimalText, so
// that every build writes the same bytes.
struct PlotLabels {
    std::string Title;    // "LH351D, direct drive, 18650"
    std::string Subtitle; // "FL1 runtime 0.73 h"
};

// How the picture is drawn: the wide layout (760 px, a legend in a row) or
// a narrow one for a phone (360 px, fewer ticks, the title on two lines,
// the legend a line each); in fixed light colours, the file's, or in the
// page's: text and frame in currentColor and the curves in the page's CSS
// variables (--plot-output, --plot-current, --plot-host, --plot-fl1,
// --plot-regulation, --plot-measured), without a ground of its own, and with the plot
// area's bounds and the time axis's top as data attributes for a readout.
struct PlotLayout {
    bool Narrow = false;
    bool Themed = false;
};

// A builder's own log drawn beside the prediction: hours and percent of the
// prediction's output at 30 s, and its legend's words.
struct MeasuredLine {
    std::vector<std::pair<double, double>> Points;
    std::string Label;
};

std::string RuntimePlotSvg(const Discharge& run, const PlotLabels& labels, PlotLayout layout = {},
                           const MeasuredLine* measured = nullptr);

} // namespace lumora
