// SPDX-License-Identifier: MIT
#pragma once

#include "calc/light/discharge.h"
#include "calc/reports/svg_picture.h"

#include <cstddef>
#include <span>
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

// A line beside the run, a builder's own log or another build's output:
// hours and percent of the run's own output at 30 s, and its legend's words.
struct PlotLine {
    std::vector<std::pair<double, double>> Points;
    std::string Label;
};

// Other builds' outputs are drawn quieter than the run's own, each in a
// colour and dash of its own (at most OtherLineStyles of them), named in
// the legend, and the run's own output is named 'name' there.
inline constexpr std::size_t OtherLineStyles = 7;
struct OtherBuilds {
    std::string Name; // the run's own
    std::span<const PlotLine> Lines;
};

std::string RuntimePlotSvg(const Discharge& run, const PlotLabels& labels, PlotLayout layout = {},
                           const PlotLine* measured = nullptr, const OtherBuilds& others = {});

} // namespace lumora
