// SPDX-License-Identifier: MIT
#pragma once

#include "calc/light/cell_test.h"
#include "calc/reports/light_run.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lumora {

// The table builders compare cells by: each cell from full at a constant
// current or power to a cut-off, the charge and energy it gives, how long
// it lasts and its voltage at mid-discharge; and the voltage curves as a
// picture. lumora-cli cells --test and the web page make it here.

// The most cells and loads one comparison takes.
inline constexpr std::size_t MostComparedCells = 20;
inline constexpr std::size_t MostComparedLoads = 10;

struct CellComparisonRequest {
    std::vector<std::string> Cells; // preset names: "samsung-30q", "18650"
    LoadKind Kind = LoadKind::Current;
    std::vector<std::string> Loads;     // field texts, A or W
    std::optional<std::string> CutOff;  // V per cell; the chemistry's empty voltage when not given
    std::optional<std::string> Ambient; // °C around the cell; 25 when not given
    // Builders' own cells (cell_file.h): each file's name and text.
    std::vector<std::pair<std::string, std::string>> CellFiles;
};

struct ComparedTest {
    std::string Cell, TradeName;
    CellLoad Load;
    double CutOffVolts = 0.0;
    CellTest Test;
};

struct CellComparison {
    // Empty when the tests were run; Usage when inputs are missing rather
    // than out of range. Inputs are "cell", "current", "power", "cutoff",
    // "ambient", "cell-file".
    std::vector<RunRefusal> Refusals;
    bool Usage = false;
    std::vector<ComparedTest> Tests;            // cell by cell, each load in the order given
    std::vector<std::vector<std::string>> Rows; // texts by CellComparisonColumns
    // A named cell tested past its maker's maximum continuous discharge.
    std::vector<std::string> Warnings;
};

std::span<const RunColumn> CellComparisonColumns();

// A test's load as the table and the picture give it: "3 A", "75 W".
std::string LoadText(const CellLoad& load);

// The items of a list as people type it: "1, 3,10" is "1", "3", "10";
// blanks around an item are dropped, an empty item kept (and refused as no
// number).
std::vector<std::string> ListItems(std::string_view text);

CellComparison CompareCells(const CellComparisonRequest& request);

// Each test's discharge curve as rows, test after test: the cell, the
// load, then time_s, voltage_v, current_a, mah, wh and the cell's own
// temperature.
std::span<const RunColumn> CellCurveColumns();
std::vector<std::vector<std::string>> CellCurveRows(const CellComparison& comparison);

} // namespace lumora
