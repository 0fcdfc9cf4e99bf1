// SPDX-License-Identifier: MIT
#pragma once

#include "calc/light/discharge.h"

#include <string>

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

std::string RuntimePlotSvg(const Discharge& run, const PlotLabels& labels);

} // namespace lumora
