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

namespace {

std::vector<Field> FieldsOf(const std::vector<RunField>& fields)
{
    std::vector<Field> out;
    for (const RunField& field : fields)
        out.push_back({field.Key, field.Text, field.Numeric});
    return out;
}

} // namespace

CommandOutput RunGraph(const GraphRequest& request)
{
    LightRun run = RunLight(request.Inputs);
    CommandOutput output;
    if (!run.Refusals.empty()) {
        output.Exit = run.Usage ? ExitCode::Usage : ExitCode::Refused;
        for (const RunRefusal& refusal : run.Refusals)
            output.Errors.push_back(OptionText(refusal));
        return output;
    }
    Report report;
    for (const RunColumn& column : run.Columns)
        report.Columns.push_back({std::string(column.Key), std::string(column.Heading), column.Numeric});
    report.Rows = std::move(run.Rows);
    for (RunFigure& figure : run.Summary)
        report.Summary.push_back(
            {std::move(figure.Label), std::move(figure.Value), std::move(figure.Unit), std::move(figure.Mark)});
    report.Record = {{"inputs", FieldsOf(run.Understood)}, {"summary", FieldsOf(run.Figures)}};
    report.RecordWarnings = run.Warnings;
    output.Results = std::move(report);
    output.Warnings = std::move(run.Warnings);
    if (request.Plot)
        output.File = OutputFile{*request.Plot, RuntimePlotSvg(run.Run, run.Labels)};
    return output;
}

} // namespace lumora::cli
