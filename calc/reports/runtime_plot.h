// SPDX-License-Identifier: MIT
#pragma once

#include "calc/light/discharge.h"
#include "calc/reports/svg_picture.h"

#include <string>
#include <utility>
#include <vector>

namespace lumora {

// The runtime graph as an SVG picture that any browser opens: output in
// percent of its 30-second value and the LED current against time, the
// 10 % line of the FL1 runtime, the end of regulation, round ticks with
// units, and a legend; below it, where a run drawn in hours moves early
// (a turbo and its step-down), its first minutes enlarged. Every number in
// it is written with DecimalText, so that every build writes the same
// bytes. Themed, the picture also gives the enlarged panel's top and span
// (data-zoom-top, data-zoom-minutes) for the readout.
struct PlotLabels {
    std::string Title;    // "LH351D, direct drive, 18650"
    std::string Subtitle; // "FL1 runtime 0.73 h"
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
