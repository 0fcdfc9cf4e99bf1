// SPDX-License-Identifier: MIT
#pragma once

#include "calc/light/discharge.h"
#include "calc/reports/light_run.h"
#include "calc/reports/runtime_plot.h"

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace lumora {

// A light meter's runtime log as a builder brings it: CSV with a header
// row, a column time_min and a column lm (lumens) or pct (percent of the
// output at 30 s); other columns are passed over, blank lines and lines
// starting with '#' too. Laid beside the prediction, its FL1 figures and
// their ratios to the prediction's (ANSI/PLATO FL1: the output at 30 s, and
// the runtime until the output falls to 10 % of it).

struct MeasuredPoint {
    double Minutes = 0.0;
    double Value = 0.0; // lm, or % of the output at 30 s
};

struct MeasuredLog {
    bool InLumens = true;
    std::vector<MeasuredPoint> Points;
};

// The log read, or why it cannot be one, naming its line: no header, a
// column missing, a cell that is no number, time running backwards, a
// negative output, fewer than two points at different times. Two readings
// at one time are a step.
std::variant<MeasuredLog, std::string> ReadMeasuredLog(std::string_view text);

// The log's FL1 figures: its output at 30 s (interpolated, lm or %), and
// the time its output first falls to 10 % of that, h; where it never does,
// the log's last time, and Reached false.
struct MeasuredFigures {
    double Output30s = 0.0;
    double Fl1Hours = 0.0;
    bool Reached = false;
};

MeasuredFigures FiguresOf(const MeasuredLog& log);

// The log as the runtime graph draws it: hours and percent of the
// prediction's output at 30 s (a lumen log against the prediction's lumens,
// so that the two compare, or its own where the prediction is in LED
// current; a percent log as it is).
std::vector<std::pair<double, double>> PlottedPoints(const MeasuredLog& log, const DischargeSummary& prediction);

// The log laid beside a run made: the summary gains the measured FL1
// runtime and, for a lumen log, the output at 30 s, each with its ratio to
// the prediction (measured over predicted); the record gains
// measured_fl1_runtime_h, measured_fl1_ratio, measured_output_30s and
// measured_output_30s_ratio; the line to draw is returned, named 'name'.
PlotLine CompareMeasured(LightRun& run, const MeasuredLog& log, const std::string& name);

} // namespace lumora
