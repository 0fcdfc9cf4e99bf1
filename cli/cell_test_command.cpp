// SPDX-License-Identifier: MIT
#include "cli/cell_test_command.h"

#include "cli/graph_command.h"

namespace lumora::cli {

CommandOutput RunCellTestCommand(const CellTestRequest& request)
{
    CellComparison comparison = CompareCells(request.Comparison);
    if (!comparison.Refusals.empty())
        return RefusedOutput(comparison.Refusals, comparison.Usage);
    CommandOutput output;
    Report report;
    report.Columns = ColumnsOf(CellComparisonColumns());
    report.Rows = comparison.Rows;
    output.Results = std::move(report);
    if (request.Plot)
        output.File = OutputFile{*request.Plot, CellComparisonSvg(comparison)};
    return output;
}

} // namespace lumora::cli
