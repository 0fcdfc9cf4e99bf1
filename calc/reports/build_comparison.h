// SPDX-License-Identifier: MIT
#pragma once

#include "calc/reports/light_run.h"
#include "calc/reports/runtime_plot.h"
#include "calc/request/build_changes.h"

#include <string>
#include <vector>

namespace lumora {

// Builds side by side: the first build, and each other one as what it
// changes of the first (build_changes), run alike and compared figure by
// figure: the 30-s output, the FL1 runtime, the step-down, the sustained
// output, the peak temperatures, the energy and the warnings, each after
// the first with its difference from it ("+120 lm", "−35 min").
// lumora-cli graph --vs and the page's kept builds compare here.

struct ComparedBuild {
    std::string Name;    // what differs, in a builder's words: "Luminus SFT-40, 3000 mA"
    std::string Changes; // as written: "led=sft-40,current=3000"; "" for the first
    LightInputs Inputs;
    LightRun Run;
};

struct ComparedCell {
    std::string Value, Difference; // Difference "" for the first build and where none can be told
};

struct ComparedRow {
    std::string Label;
    std::vector<ComparedCell> Cells; // a cell per build
};

struct BuildComparison {
    // The first build's own refusals; another build's, naming the build.
    std::vector<RunRefusal> Refusals;
    bool Usage = false;
    std::vector<ComparedBuild> Builds;
    std::vector<ComparedRow> Rows;
};

// The first build and the others, each its changes; more than MostBuilds
// in all are refused, saying the most.
BuildComparison CompareBuilds(const LightInputs& first, const std::vector<std::vector<InputChange>>& others);

// The other builds' outputs as lines beside the first's runtime graph, in
// percent of the first build's output at 30 s (each of its own where the
// two are not both counted in lumens, and named so).
std::vector<PlotLine> OtherLines(const BuildComparison& comparison);

// The first build's runtime graph with the others' outputs beside it.
std::string ComparisonPlotSvg(const BuildComparison& comparison, PlotLayout layout = {},
                              const PlotLine* measured = nullptr);

} // namespace lumora
