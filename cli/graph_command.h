// SPDX-License-Identifier: MIT
#pragma once

#include "calc/reports/light_run.h"
#include "calc/request/build_changes.h"
#include "calc/request/light_inputs.h"
#include "cli/report.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace lumora::cli {

// "lumora-cli graph": the light's run from a full cell until it fades, with
// the FL1 runtime and, on request, the runtime graph as an SVG picture; the
// run itself is made by RunLight (calc/reports/light_run.h).
struct GraphRequest {
    LightInputs Inputs;              // by the keys of LightInputRows
    std::optional<std::string> Plot; // the SVG file to write
    // A light meter's log to lay beside the prediction: its file's name and
    // text, as read.
    std::optional<std::string> MeasuredName, MeasuredText;
    std::optional<std::string> CellFileName; // a fitted cell's file, read into Inputs
    // Other builds beside this one, each its changes ("led=sft-40,current=3000"),
    // a cell-file's text read; and the format they are reported in.
    std::vector<std::vector<InputChange>> Versus;
    Format Reported = Format::Text;
};

CommandOutput RunGraph(const GraphRequest& request);

// A refusal as the command line words it: "--current: the LED current must
// be above 0 mA", other inputs named as options.
std::string OptionText(const RunRefusal& refusal);

// What the commands on the light (graph, sustain, cells --test) share:
// refusals as the output, each in OptionText's words, ending in the exit
// code of a usage slip or of a refusal;
CommandOutput RefusedOutput(const std::vector<RunRefusal>& refusals, bool usage);
// a run's columns, figures and summary lines as a report's.
std::vector<Column> ColumnsOf(std::span<const RunColumn> columns);
std::vector<Field> FieldsOf(const std::vector<RunField>& fields);
std::vector<SummaryLine> SummaryOf(std::vector<RunLine> figures);

} // namespace lumora::cli
