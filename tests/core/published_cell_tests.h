// SPDX-License-Identifier: MIT
#pragma once

#include "calc/light/cell_test.h"

#include <span>
#include <string>

namespace lumora {

// Constant-current (and some constant-power) discharge tests of cells from full to a cut-off, as their
// testers published them, read from data/published_cell_tests.csv (whose
// header says what each column holds). A row names the preset that stands
// for the cell (a named cell, when Lumora has one) and the generic preset of
// its format and chemistry. Where the source gives the energy at the
// terminals too, it is compared as well; elsewhere it stays 0.
struct PublishedCellTest {
    // What the fit makes of a row: fitted to, kept out of the fit to judge
    // it, or a check of cells in use.
    enum class Role { Fit, HeldOut, Check };

    std::string Named;   // the named cell's preset, or "" for a brand Lumora does not name
    std::string Generic; // the format's preset in the cell's chemistry: "aa", "aaa", "18650"
    std::string Brand;   // as the source names the cell
    double Amps = 0.0;
    double CutOffVolts = 0.0;
    double Mah = 0.0;
    double Wh = 0.0; // 0 where the source gives none
    Role Use = Role::Fit;
    std::string Source;     // who measured it, how
    std::string Where;      // the page or table it is on
    double Watts = 0.0;     // a constant-power test's load, in place of Amps; 0 for a current
    double AmbientC = 25.0; // the air around the cell
};

// The test's load: its constant power where it has one, else its current.
CellLoad LoadOf(const PublishedCellTest& test);

// The test run on a cell model, at the test's load, cut-off and ambient.
CellTest RunPublishedTest(const CellModel& cell, const PublishedCellTest& test);

// Every row of the file, in its order; the program stops with a message on
// a row it cannot read.
std::span<const PublishedCellTest> PublishedCellTests();

} // namespace lumora
