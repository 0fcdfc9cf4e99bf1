// SPDX-License-Identifier: MIT
#include "cli/graph_command.h"

#include "cli/command.h"
#include "cli/files.h"
#include "cli/options.h"
#include <CLI/CLI.hpp>

#include "calc/reports/light_run.h"
#include "calc/reports/measured_log.h"
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

std::vector<SummaryLine> SummaryOf(std::vector<RunLine> figures)
{
    std::vector<SummaryLine> out;
    for (RunLine& figure : figures)
        out.push_back(
            {std::move(figure.Label), std::move(figure.Value), std::move(figure.Unit), std::move(figure.Mark)});
    return out;
}

CommandOutput RunGraph(const GraphRequest& request)
{
    LightRun run = RunLight(request.Inputs);
    if (!run.Refusals.empty())
        return RefusedOutput(run.Refusals, run.Usage);
    std::optional<MeasuredLine> measured;
    if (request.MeasuredText) {
        std::variant<MeasuredLog, std::string> log = ReadMeasuredLog(*request.MeasuredText);
        if (const std::string* refusal = std::get_if<std::string>(&log))
            return RefusedOutput({{"measured", *request.MeasuredName + ", " + *refusal}}, false);
        measured = CompareMeasured(run, std::get<MeasuredLog>(log), BaseName(*request.MeasuredName));
    }
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
        output.File =
            OutputFile{*request.Plot, RuntimePlotSvg(run.Run, run.Labels, {}, measured ? &*measured : nullptr)};
    return output;
}

namespace {

class Graph final : public Command {
  public:
    CLI::App* Add(CLI::App& program) override
    {
        CLI::App* command = program.add_subcommand(
            "graph", "the runtime graph: the light's output from a full cell until it fades, and its FL1 runtime");
        AddLightOptions(*command, m_light);
        command
            ->add_option("--plot", m_request.Plot,
                         "also write the runtime graph as an SVG picture; '-' writes it to standard output in place "
                         "of the table")
            ->option_text("FILE.svg");
        command
            ->add_option("--measured", m_request.MeasuredName,
                         "a light meter's runtime log to lay beside the prediction: CSV with columns time_min and lm "
                         "(or pct of the output at 30 s); the summary gives its FL1 runtime and output at 30 s and "
                         "their ratios to the prediction, and the plot draws it")
            ->option_text("FILE.csv");
        command
            ->add_option("--cell-file", m_request.CellFileName,
                         "your own cell's file, written by fitting logs with the cells command; in place of a cell "
                         "preset, in a pack as one is")
            ->option_text("FILE.json");
        AddFormat(*command, m_format);
        return command;
    }

    CommandOutput Run() override
    {
        m_request.Inputs = m_light.Inputs();
        if (const std::optional<std::string>& path = m_request.CellFileName) {
            std::optional<std::string> text = FileText(*path);
            if (!text)
                return RefusedOutput({{"cell-file", "cannot read " + *path}}, false);
            m_request.Inputs.CellFile = {BaseName(*path), std::move(*text)};
        }
        if (m_request.MeasuredName) {
            m_request.MeasuredText = FileText(*m_request.MeasuredName);
            if (!m_request.MeasuredText)
                return RefusedOutput({{"measured", "cannot read " + *m_request.MeasuredName}}, false);
        }
        return RunGraph(m_request);
    }

  private:
    GraphRequest m_request;
    LightOptions m_light;
};

} // namespace

std::unique_ptr<Command> GraphCommand() { return std::make_unique<Graph>(); }

} // namespace lumora::cli
