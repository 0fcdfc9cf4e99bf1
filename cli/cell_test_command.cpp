// SPDX-License-Identifier: MIT
#include "cli/cell_test_command.h"

#include "cli/graph_command.h"

namespace lumora::cli {

CommandOutput RunCellTestCommand(const CellTestRequest& request)
{
    CellComparison comparison = CompareCells(request.Comparison);
    CommandOutput output;
    if (!comparison.Refusals.empty()) {
        output.Exit = comparison.Usage ? ExitCode::Usage : ExitCode::Refused;
        for (const RunRefusal& refusal : comparison.Refusals)
            output.Errors.push_back(OptionText(refusal));
        return output;
    }
    Report report;
    for (const RunColumn& column : CellComparisonColumns())
        report.Columns.push_back({std::string(column.Key), std::string(column.Heading), column.Numeric});
    report.Rows = comparison.Rows;
    output.Results = std::move(report);
    if (request.Plot)
        output.File = OutputFile{*request.Plot, CellComparisonSvg(comparison)};
    return output;
}

} // namespace lumora::cli
