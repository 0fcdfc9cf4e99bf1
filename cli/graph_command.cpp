// SPDX-License-Identifier: MIT
#include "cli/graph_command.h"

#include "cli/command.h"
#include "cli/files.h"
#include "cli/options.h"
#include <CLI/CLI.hpp>

#include "calc/reports/build_comparison.h"
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

namespace {

// A run's own report: its summary, record and rows.
Report RunReport(const LightRun& run)
{
    Report report;
    report.Columns = ColumnsOf(run.Columns);
    report.Rows = run.Rows;
    report.Summary = SummaryOf(run.Summary);
    report.Record = {{"inputs", FieldsOf(run.Understood)}, {"summary", FieldsOf(run.Figures)}};
    report.RecordWarnings = run.Warnings;
    return report;
}

// Builds side by side, as the format asks: a column per build of the
// compared figures (text), every build's rows with a build column (CSV),
// or every build's own record (JSON).
Report BuildsReport(const BuildComparison& comparison, Format format)
{
    Report report;
    if (format == Format::Json) {
        report.PartsName = "builds";
        for (const ComparedBuild& build : comparison.Builds) {
            report.Parts.push_back(RunReport(build.Run));
            report.Parts.back().Name = build.Name;
        }
        return report;
    }
    if (format == Format::Csv) {
        report.Columns = ColumnsOf(RunColumns(true));
        report.Columns.insert(report.Columns.begin(), Column{"build", "Build", false});
        for (const ComparedBuild& build : comparison.Builds) {
            const std::vector<RunColumn> columns = build.Run.Columns;
            for (const std::vector<std::string>& row : build.Run.Rows) {
                std::vector<std::pair<std::string_view, std::string>> cells{{"build", build.Name}};
                for (std::size_t c = 0; c < columns.size(); ++c)
                    cells.emplace_back(columns[c].Key, row[c]);
                report.AddRow(cells);
            }
        }
        return report;
    }
    report.Columns.push_back({"figure", "", false});
    for (std::size_t b = 0; b < comparison.Builds.size(); ++b)
        report.Columns.push_back({"build_" + std::to_string(b + 1), comparison.Builds[b].Name, false});
    for (const ComparedRow& row : comparison.Rows) {
        std::vector<std::string> texts{row.Label};
        for (const ComparedCell& cell : row.Cells)
            texts.push_back(cell.Difference.empty() ? cell.Value : cell.Value + " (" + cell.Difference + ")");
        report.Rows.push_back(std::move(texts));
    }
    return report;
}

// The measured log read and laid beside a run; a refusal otherwise.
std::variant<std::optional<PlotLine>, CommandOutput> Measured(const GraphRequest& request, LightRun& run)
{
    if (!request.MeasuredText)
        return std::optional<PlotLine>();
    std::variant<MeasuredLog, std::string> log = ReadMeasuredLog(*request.MeasuredText);
    if (const std::string* refusal = std::get_if<std::string>(&log))
        return RefusedOutput({{"measured", *request.MeasuredName + ", " + *refusal}}, false);
    return std::optional<PlotLine>(CompareMeasured(run, std::get<MeasuredLog>(log), BaseName(*request.MeasuredName)));
}

CommandOutput RunBuilds(const GraphRequest& request)
{
    BuildComparison comparison = CompareBuilds(request.Inputs, request.Versus);
    if (!comparison.Refusals.empty())
        return RefusedOutput(comparison.Refusals, comparison.Usage);
    auto measured = Measured(request, comparison.Builds.front().Run);
    if (CommandOutput* refused = std::get_if<CommandOutput>(&measured))
        return std::move(*refused);
    const std::optional<PlotLine>& line = std::get<std::optional<PlotLine>>(measured);
    CommandOutput output;
    output.Results = BuildsReport(comparison, request.Reported);
    for (const ComparedBuild& build : comparison.Builds)
        for (const std::string& warning : build.Run.Warnings)
            output.Warnings.push_back(build.Name + ": " + warning);
    if (request.Plot)
        output.File = OutputFile{*request.Plot, ComparisonPlotSvg(comparison, {}, line ? &*line : nullptr)};
    return output;
}

} // namespace

CommandOutput RunGraph(const GraphRequest& request)
{
    if (!request.Versus.empty())
        return RunBuilds(request);
    LightRun run = RunLight(request.Inputs);
    if (!run.Refusals.empty())
        return RefusedOutput(run.Refusals, run.Usage);
    auto measured = Measured(request, run);
    if (CommandOutput* refused = std::get_if<CommandOutput>(&measured))
        return std::move(*refused);
    const std::optional<PlotLine>& line = std::get<std::optional<PlotLine>>(measured);
    CommandOutput output;
    output.Results = RunReport(run);
    output.Warnings = run.Warnings;
    if (request.Plot)
        output.File = OutputFile{*request.Plot, RuntimePlotSvg(run.Run, run.Labels, {}, line ? &*line : nullptr)};
    return output;
}

namespace {

class Graph final : public Command {
  public:
    CLI::App* Add(CLI::App& program) override
    {
        return program.add_subcommand(
            "graph", "the runtime graph: the light's output from a full cell until it fades, and its FL1 runtime");
    }

    void AddOptions(CLI::App& subcommand) override
    {
        CLI::App* command = &subcommand;
        AddLightOptions(*command, m_light);
        command
            ->add_option("--plot", m_request.Plot,
                         "Also write the runtime graph as an SVG picture; '-' writes it to standard output in place "
                         "of the table.")
            ->option_text("FILE.svg");
        command
            ->add_option("--measured", m_request.MeasuredName,
                         "A light meter's runtime log to lay beside the prediction: CSV with columns time_min (or "
                         "time_h) and lm (or pct of the output at 30 s), as this command's own CSV also reads; the "
                         "summary gives its FL1 runtime and output at 30 s and their ratios to the prediction, and "
                         "the plot draws it.")
            ->option_text("FILE.csv");
        command
            ->add_option("--cell-file", m_request.CellFileName,
                         "Your own cell's file, written by fitting logs with the cells command, in place of a cell "
                         "preset, in a pack as one is.")
            ->option_text("FILE.json");
        command
            ->add_option("--vs", m_versus,
                         "Another build beside this one, as what it changes: KEY=VALUE[,KEY=VALUE...], each KEY an "
                         "option's name without its dashes, for example led=sft-40,current=3000 (host= for none); "
                         "repeat it for more builds, " +
                             std::to_string(MostBuilds) +
                             " in all at most. The text gives the builds' figures side by side, each with its "
                             "difference from the first; CSV every build's rows with a build column; JSON each "
                             "build's record; the plot every build's output.")
            ->option_text("KEY=VALUE[,...]");
        AddFormat(*command, m_format);
    }

    CommandOutput Run() override
    {
        m_request.Inputs = m_light.Inputs();
        m_request.Reported = FormatNamed(m_format).value_or(Format::Text);
        for (std::size_t b = 0; b < m_versus.size(); ++b) {
            std::variant<std::vector<InputChange>, std::string> changes = ReadChanges(m_versus[b]);
            const std::string build = "build " + std::to_string(b + 2) + " (" + m_versus[b] + "): ";
            if (const std::string* refusal = std::get_if<std::string>(&changes))
                return RefusedOutput({{"vs", build + *refusal}}, true);
            for (InputChange& change : std::get<std::vector<InputChange>>(changes))
                if (change.Key == "cell-file" && !(change.FileText = FileText(change.Text)))
                    return RefusedOutput({{"vs", build + "cannot read " + change.Text}}, false);
            m_request.Versus.push_back(std::get<std::vector<InputChange>>(std::move(changes)));
        }
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
    std::vector<std::string> m_versus;
};

} // namespace

std::unique_ptr<Command> GraphCommand() { return std::make_unique<Graph>(); }

} // namespace lumora::cli
