// SPDX-License-Identifier: MIT
#include "cli/graph_command.h"

#include "calc/reports/light_run.h"
#include "calc/reports/runtime_plot.h"
#include "cli/calculation.h"

namespace lumora::cli {

namespace {

std::string OptionText(const RunRefusal& refusal)
{
    return refusal.Input.empty() ? refusal.Text : "--" + refusal.Input + ": " + refusal.Text;
}

} // namespace

CommandOutput RunGraph(const GraphRequest& request)
{
    LightInputs inputs;
    inputs.Driver = DriverNamed(request.Driver).value_or(DriverKind::Direct); // the reader takes no other name
    inputs.Current = request.Current;
    inputs.Vf = request.Vf;
    inputs.Resistance = request.Resistance;
    inputs.Leds = request.Leds;
    inputs.Battery = request.Battery;
    inputs.Capacity = request.Capacity;
    inputs.InternalResistance = request.InternalResistance;
    inputs.Efficiency = request.Efficiency;
    inputs.Dropout = request.Dropout;
    inputs.Step = request.Step;
    inputs.Wiring = request.Wiring;
    inputs.Cell = request.Cell;
    inputs.CellPack = request.CellPack;
    inputs.Led = LedFrom(request.Led);

    LightRun run = RunLight(inputs);
    CommandOutput output;
    if (!run.Refusals.empty()) {
        output.Exit = run.Usage ? ExitCode::Usage : ExitCode::Refused;
        for (const RunRefusal& refusal : run.Refusals)
            output.Errors.push_back(OptionText(refusal));
        return output;
    }
    Report report;
    for (const RunColumn& column : RunColumns())
        report.Columns.push_back({std::string(column.Key), std::string(column.Heading), column.Numeric});
    report.Rows = std::move(run.Rows);
    for (RunFigure& figure : run.Summary)
        report.Summary.push_back(
            {std::move(figure.Label), std::move(figure.Value), std::move(figure.Unit), std::move(figure.Mark)});
    output.Results = std::move(report);
    output.Warnings = std::move(run.Warnings);
    if (request.Plot)
        output.File = OutputFile{*request.Plot, RuntimePlotSvg(run.Run, run.Labels)};
    return output;
}

} // namespace lumora::cli
