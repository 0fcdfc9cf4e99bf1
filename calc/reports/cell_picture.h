// SPDX-License-Identifier: MIT
#pragma once

#include "calc/reports/cell_comparison.h"
#include "calc/reports/svg_picture.h"

#include <string>

namespace lumora {

// The battery test as a picture: the terminal voltage against the charge
// delivered, a line for each test. A cell keeps one colour and one mark (at
// its lines' ends) and a load one dash, so that lines are told apart
// without colour too; the legend gives the cells and the loads apart where
// there are several of each, and a line each otherwise. Themed, the
// colours are the page's (--cell-0 to --cell-6) and the text and frame its
// own.
std::string CellComparisonSvg(const CellComparison& comparison, PlotLayout layout = {});

} // namespace lumora
