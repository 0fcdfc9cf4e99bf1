// SPDX-License-Identifier: MIT
#include "cli/graph_command.h"

#include "calc/reports/light_run.h"
#include "calc/reports/runtime_plot.h"
#include "calc/text/mentions.h"

namespace lumora::cli {

std::string OptionText(const RunRefusal& refusal)
{
    const std::string text = AsOptions(refusal.Text);
    return refusal.Input.empty() ? text : "--" + refusal.Input + ": " + text;
}

CommandOutput RefusedOutput(const std::vector<RunRefusal>& refusals, bool usage)
{
    CommandOutput output;
    output.Exit = usage ? ExitCode::Usage : ExitCode::Refused;
    for (const RunRefusal& refusal : refusals)
        output.Errors.push_back(OptionText(refusal));
    return output;
}

std::vector<Column> ColumnsOf(std::span<const RunColumn> columns)
{
    std::vector<Column> out;
    for (const RunColumn& column : columns)
        out.push_back({std::string(column.Key), std::string(column.Heading), column.Numeric});
    return out;
}

std::vector<Field> FieldsOf(const std::vector<RunField>& fields)
{
    std::vector<Field> out;
    for (const RunField& field : fields)
        out.push_back({field.Key, field.Text, field.Numeric});
    return out;
}

std::vector<SummaryLine> SummaryOf(std::vector<RunFigure> figures)
{
    std::vector<SummaryLine> out;
    for (RunFigure& figure : figures)
        out.push_back(
            {std::move(figure.Label), std::move(figure.Value), std::move(figure.Unit), std::move(figure.Mark)});
    return out;
}

CommandOutput RunGraph(const GraphRequest& request)
{
    LightRun run = RunLight(request.Inputs);
    if (!run.Refusals.empty())
        return RefusedOutput(run.Refusals, run.Usage);
    CommandOutput output;
    Report report;
    report.Columns = ColumnsOf(run.Columns);
    report.Rows = std::move(run.Rows);
    report.Summary = SummaryOf(std::move(run.Summary));
    report.Record = {{"inputs", FieldsOf(run.Understood)}, {"summary", FieldsOf(run.Figures)}};
    report.RecordWarnings = run.Warnings;
    output.Results = std::move(report);
    output.Warnings = std::move(run.Warnings);
    if (request.Plot)
        output.File = OutputFile{*request.Plot, RuntimePlotSvg(run.Run, run.Labels)};
    return output;
}

} // namespace lumora::cli
