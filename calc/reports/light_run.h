// SPDX-License-Identifier: MIT
#pragma once

#include "calc/light/battery_presets.h"
#include "calc/light/discharge.h"
#include "calc/light/driver.h"
#include "calc/light/led_choice.h"
#include "calc/light/led_presets.h"
#include "calc/reports/runtime_plot.h"
#include "calc/request/light_inputs.h"
#include "calc/request/light_request.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lumora {

// A light as its builder describes it, run from a full cell until it fades
// and put in words: the FL1 figures, one row of texts per step and the
// picture's labels. lumora-cli graph and the web page's runtime graph both
// make their runs here, so that they check, word and round alike.

// One line of the summary: "FL1 runtime", "1.19", "h", "(01:11:41)".
struct RunLine {
    std::string Label, Value, Unit, Mark;
};

// One value of the run as a record for a script: "fl1_runtime_h", 1.19.
struct RunField {
    std::string Key, Text;
    bool Numeric = true;
};

// A column of the table: key for CSV and JSON, heading for people.
struct RunColumn {
    std::string_view Key, Heading;
    bool Numeric = true;
};

// The table's columns: with a host, its temperature, the junction's and the
// heat entering the host too.
std::vector<RunColumn> RunColumns(bool heat = false);

struct LightRun {
    // Empty when the run was made; Usage when inputs are missing or at odds
    // rather than out of range.
    std::vector<RunRefusal> Refusals;
    bool Usage = false;
    Discharge Run;
    std::vector<RunLine> Summary;
    std::vector<RunField> Understood;           // the inputs as the run took them: LED, driver, battery, pack
    std::vector<RunField> Figures;              // the summary's figures, numbers apart from their units
    std::vector<RunColumn> Columns;             // RunColumns of this run
    std::vector<std::vector<std::string>> Rows; // texts by Columns, "" where there is none
    std::vector<std::string> Warnings;
    // Where an LED or a named cell is driven past its maker's rating, the
    // first warning of Warnings that says so; "" for none.
    std::string PastRating;
    PlotLabels Labels; // for RuntimePlotSvg
    // The figures a builder looks for first, in a line: "FL1 runtime 1.85 h,
    // 862 lm at 30 s, 489 lm sustained" (the last where the run settles).
    std::string Headline;
};

// Reads every text by its row (LightInputRows) and refuses each that breaks
// the typing rules or names no choice; then checks the rest in a fixed
// order, stopping at the first refusal. An input not given takes its row's
// default.
LightRun RunLight(const LightInputs& inputs);
LightRun RunLight(const LightRequest& request);

// An input as the run took it (Understood), or a figure of its summary
// (Figures), by key: "current_ma", "fl1_runtime_clock"; "" for none.
std::string UnderstoodText(const LightRun& run, std::string_view key);
std::string FigureText(const LightRun& run, std::string_view key);

// The hottest the LEDs' junction gets over the run, °C (0 without a host).
double PeakJunctionC(const LightRun& run);

} // namespace lumora
