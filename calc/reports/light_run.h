// SPDX-License-Identifier: MIT
#pragma once

#include "calc/light/battery_presets.h"
#include "calc/light/discharge.h"
#include "calc/light/driver.h"
#include "calc/light/led_choice.h"
#include "calc/light/led_presets.h"
#include "calc/reports/runtime_plot.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace lumora {

// A light as its builder describes it, run from a full cell until it fades
// and put in words: the FL1 figures, one row of texts per step and the
// picture's labels. lumora-cli graph and the web page's runtime graph both
// make their runs here, so that they check, word and round alike.

// The run's inputs. The quantities are texts as typed, nullopt when not
// given, read by the window's typing rules; each is named in messages by its
// option ("current", "internal-resistance").
struct LightInputs {
    DriverKind Driver = DriverKind::Direct;
    std::optional<std::string> Current; // mA: the regulated current, or where Vf was measured
    std::optional<std::string> Vf;      // V at Current, for a typical LED through that point
    std::optional<std::string> Resistance, Leds, Battery, Capacity, InternalResistance, Efficiency, Dropout, Step;
    lumora::Wiring Wiring = lumora::Wiring::Series;
    std::optional<BatteryChoice> Cell; // a preset, or Battery for a flat cell
    Pack CellPack;
    // The LED named: none (then Vf with Current), a choice, or a refusal
    // already naming what named it.
    std::variant<std::monostate, LedChoice, std::string> Led;
};

// The most rows a run may give.
inline constexpr double LargestRunRows = 100000;
// No flashlight's battery gives more.
inline constexpr double LargestBatteryVolts = 1000;

// A refusal, about the input named by its option ("" for the run as a whole).
struct RunRefusal {
    std::string Input;
    std::string Text;
};

// One line of the summary: "FL1 runtime", "1.19", "h", "(01:11:41)".
struct RunFigure {
    std::string Label, Value, Unit, Mark;
};

// A column of the table: key for CSV and JSON, heading for people.
struct RunColumn {
    std::string_view Key, Heading;
    bool Numeric = true;
};

std::span<const RunColumn> RunColumns();

struct LightRun {
    // Empty when the run was made; Usage when inputs are missing or at odds
    // rather than out of range.
    std::vector<RunRefusal> Refusals;
    bool Usage = false;
    Discharge Run;
    std::vector<RunFigure> Summary;
    std::vector<std::vector<std::string>> Rows; // texts by RunColumns, "" where there is none
    std::vector<std::string> Warnings;
    PlotLabels Labels; // for RuntimePlotSvg
};

// Reads every text first and refuses each that breaks the typing rules;
// then checks the rest in a fixed order, stopping at the first refusal.
LightRun RunLight(const LightInputs& inputs);

} // namespace lumora
