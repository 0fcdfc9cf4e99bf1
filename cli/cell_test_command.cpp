// SPDX-License-Identifier: MIT
#include "cli/cell_test_command.h"

#include "calc/reports/cell_picture.h"
#include "cli/cell_fit_command.h"
#include "cli/files.h"

#include "cli/command.h"
#include "cli/lists.h"
#include "cli/options.h"
#include <CLI/CLI.hpp>
#include <algorithm>

#include "cli/graph_command.h"

namespace lumora::cli {

CommandOutput RunCellTestCommand(const CellTestRequest& request)
{
    CellComparison comparison = CompareCells(request.Comparison);
    if (!comparison.Refusals.empty())
        return RefusedOutput(comparison.Refusals, comparison.Usage);
    CommandOutput output;
    Report report;
    report.Columns = ColumnsOf(request.Curve ? CellCurveColumns() : CellComparisonColumns());
    report.Rows = request.Curve ? CellCurveRows(comparison) : comparison.Rows;
    output.Results = std::move(report);
    output.Warnings = comparison.Warnings;
    if (request.Plot)
        output.File = OutputFile{*request.Plot, CellComparisonSvg(comparison)};
    return output;
}

namespace {

// "lumora-cli cells": the list of battery presets, or with --test the
// battery test.
class Cells final : public Command {
  public:
    CLI::App* Add(CLI::App& program) override
    {
        return program.add_subcommand(
            "cells", "the battery presets: chemistries, cell formats and named cells with their sources; with --test, "
                     "cells discharged side by side");
    }

    void AddOptions(CLI::App& subcommand) override
    {
        CLI::App* command = &subcommand;
        command->add_flag("--test", m_test,
                          "discharge the cells given from full at a constant current or power to a cut-off, and "
                          "give the charge, energy, time and mid-discharge voltage of each");
        AddTestOptions(*command);
        AddFitOptions(*command);
        AddFormat(*command, m_format);
    }

    CommandOutput Run() override
    {
        if (!m_fitLogs.empty())
            return Fit();
        if (m_test) {
            for (const std::string& path : m_cellFiles) {
                std::optional<std::string> text = FileText(path);
                if (!text)
                    return Unreadable("--cell-file", path);
                m_request.Comparison.CellFiles.emplace_back(path, std::move(*text));
            }
            if (!m_powers.empty()) {
                m_request.Comparison.Kind = LoadKind::Power;
                m_request.Comparison.Loads = m_powers;
            }
            m_request.Comparison.CutOff = m_cutOff;
            m_request.Comparison.Ambient = m_ambient;
            return RunCellTestCommand(m_request);
        }
        CommandOutput cells;
        if (std::any_of(m_testOptions.begin(), m_testOptions.end(),
                        [](const CLI::Option* option) { return option->count() > 0; })) {
            cells.Exit = ExitCode::Usage;
            cells.Errors.push_back(
                "--cell, --cell-file, --current, --power, --cutoff, --ambient, --curve and --plot are "
                "a battery test's: add --test");
            return cells;
        }
        cells.Results = CellsReport();
        return cells;
    }

  private:
    static CommandOutput Unreadable(const char* option, const std::string& path)
    {
        CommandOutput output;
        output.Exit = ExitCode::Refused;
        output.Errors.push_back(std::string(option) + ": cannot read " + path);
        return output;
    }

    CommandOutput Fit()
    {
        CellFitRequest request;
        for (const std::string& path : m_fitLogs) {
            std::optional<std::string> text = FileText(path);
            if (!text)
                return Unreadable("--fit", path);
            request.Logs.emplace_back(path, std::move(*text));
        }
        request.Name = m_name;
        request.Out = m_out;
        return RunCellFit(request);
    }

    void AddFitOptions(CLI::App& command)
    {
        CLI::Option* fit =
            command
                .add_option("--fit", m_fitLogs,
                            "fit a cell to discharge logs from full to a cut-off (CSV with time_s, voltage_v and "
                            "current_a, or a charger-analyzer's export; with cell_c and ambient_c, the cell's heat "
                            "too), one or more; "
                            "writes the cell to --out")
                ->option_text("LOG.csv ...");
        command.add_option("--name", m_name, "the fitted cell's name")->option_text("NAME")->needs(fit);
        CLI::Option* out =
            command.add_option("--out", m_out, "the cell file to write; '-' writes it to standard output")
                ->option_text("FILE.json")
                ->needs(fit);
        fit->needs(out);
        fit->excludes("--test");
    }

    void AddTestOptions(CLI::App& command)
    {
        CellComparisonRequest& compared = m_request.Comparison;
        m_testOptions = {
            command.add_option("--cell", compared.Cells, "a cell preset to test; give it again, or a list, for more")
                ->option_text("NAME[,NAME...]")
                ->delimiter(','),
            command.add_option("--current", compared.Loads, "the test currents, A: one, or a list such as 1,3,10")
                ->option_text("A[,A...]")
                ->delimiter(','),
            command.add_option("--power", m_powers, "in place of --current, constant powers, W")
                ->option_text("W[,W...]")
                ->delimiter(','),
            command
                .add_option("--cutoff", m_cutOff,
                            "the cut-off, V per cell (each chemistry's empty voltage when not given)")
                ->option_text("V"),
            command
                .add_option("--ambient", m_ambient,
                            "the air around the cell, degrees C (25 when not given); a cell whose polarisation is "
                            "known warms by its own losses, and its voltage under load with it")
                ->option_text("C"),
            command.add_flag("--curve", m_request.Curve,
                             "give each test's discharge curve as rows (time_s, voltage_v, current_a, mah, wh, cell_c) "
                             "in place of the summary"),
            command
                .add_option("--plot", m_request.Plot,
                            "also write the voltage curves as an SVG picture; '-' writes it to standard output "
                            "in place of the table")
                ->option_text("FILE.svg")};
        m_testOptions.push_back(
            command
                .add_option("--cell-file", m_cellFiles, "a cell fitted by --fit, from its file; give it again for more")
                ->option_text("FILE.json"));
        m_testOptions[1]->excludes(m_testOptions[2]);
    }

    bool m_test = false;
    CellTestRequest m_request;
    std::vector<std::string> m_powers;
    std::optional<std::string> m_cutOff;
    std::optional<std::string> m_ambient;
    std::vector<std::string> m_cellFiles, m_fitLogs;
    std::string m_name = "my cell", m_out;
    std::vector<CLI::Option*> m_testOptions;
};

} // namespace

std::unique_ptr<Command> CellsCommand() { return std::make_unique<Cells>(); }

} // namespace lumora::cli
