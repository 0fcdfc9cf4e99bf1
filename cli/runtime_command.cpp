// SPDX-License-Identifier: MIT
#include "cli/runtime_command.h"

#include "cli/command.h"
#include "cli/options.h"
#include <CLI/CLI.hpp>

#include "calc/calculators/messages.h"
#include "calc/calculators/quantities.h"
#include "calc/calculators/runtime_calculator.h"
#include "cli/field_input.h"

#include <array>

namespace lumora::cli {

namespace {

using Q = RuntimeQuantity;

// The quantities in record order, as RuntimeQuantities() lists them.
Q QuantityAt(std::size_t index) { return static_cast<Q>(index); }

Report EmptyReport()
{
    Report report;
    for (const QuantityRow& row : RuntimeQuantities())
        report.Columns.push_back({std::string(row.Column), std::string(row.Heading), true});
    report.Columns.push_back({"days", "Days", true});
    report.Columns.push_back({"clock", "Clock"});
    report.Columns.push_back({"solved", "Solved", false, false});
    report.Columns.push_back({"note", "Note"});
    report.TableInText = false;
    return report;
}

// "(solved)", with why the figure is one no working light gives where it is.
std::string SolvedMark(const ConverterOutcome& outcome)
{
    const std::string caveat = SolvedCaveat(outcome);
    return caveat.empty() ? "(solved)" : "(solved: " + caveat + ")";
}

StepResult Calculate(const std::vector<Input>& inputs, bool sweeping, Report& report,
                     const std::optional<std::string>& preset)
{
    ConverterFields fields;
    fields.Days = "0";
    fields.Clock = "00:00:00";
    for (std::size_t i = 0; i < inputs.size(); ++i)
        FieldText(fields, QuantityAt(i)) = inputs[i].Text;
    const ConverterOutcome outcome = CalculateConverter(fields);

    StepResult result;
    if (!outcome.Windows.empty()) {
        result.Refusals = RefusalsOf(outcome.Windows, inputs);
    } else if (outcome.Failure != Failure::None) {
        const Input* culprit = outcome.Culprit ? &inputs[static_cast<std::size_t>(*outcome.Culprit)] : nullptr;
        result.Failure = FailureOf(FailureText(outcome), culprit);
    }
    const bool solved = result.Refusals.empty() && result.Failure.empty();
    if (!solved && !sweeping)
        return result;

    std::vector<std::pair<std::string_view, std::string>> row;
    for (std::size_t i = 0; i < inputs.size(); ++i)
        row.emplace_back(RowOf(QuantityAt(i)).Column, FieldText(outcome.Fields, QuantityAt(i)));
    if (solved) {
        row.emplace_back("days", outcome.Fields.Days);
        row.emplace_back("clock", outcome.Fields.Clock);
        row.emplace_back("solved", RowOf(*outcome.Target).Key);
    } else {
        row.emplace_back("note", result.Refusals.empty() ? result.Failure : result.Refusals.front());
    }
    report.AddRow(row);

    if (solved && !sweeping) {
        for (std::size_t i = 0; i < inputs.size(); ++i) {
            const QuantityRow& q = RowOf(QuantityAt(i));
            report.Summary.push_back({std::string(q.Caption), FieldText(outcome.Fields, QuantityAt(i)),
                                      std::string(q.Unit), QuantityAt(i) == outcome.Target ? SolvedMark(outcome) : ""});
        }
        report.Summary.push_back({"Days", outcome.Fields.Days, "", ""});
        report.Summary.push_back({"Time", outcome.Fields.Clock, "", ""});
        if (preset)
            report.Summary.push_back({"Battery preset", *preset, "", ""});
    }
    return result;
}

} // namespace

CommandOutput RunRuntime(const RuntimeRequest& request)
{
    std::vector<Input> inputs;
    for (const QuantityRow& row : RuntimeQuantities())
        inputs.push_back(InputOf(row, GivenText(request.Texts, row.Key)));

    std::optional<std::string> preset;
    if (request.Cell) {
        const PackTexts pack = TextsOf(*request.Cell, request.CellPack);
        Input& battery = inputs[static_cast<std::size_t>(Q::BatteryVoltage)];
        Input& capacity = inputs[static_cast<std::size_t>(Q::Capacity)];
        if (!battery.Given)
            battery.Text = pack.Nominal;
        if (!capacity.Given && pack.CapacityMah)
            capacity.Text = *pack.CapacityMah;
        preset = PackName(*request.Cell, request.CellPack);
    }
    const std::optional<std::string> battery = GivenText(request.Texts, RowOf(Q::BatteryVoltage).Key);
    if (battery && battery->find(':') != std::string::npos)
        return Stop(ExitCode::Usage, "--battery: a range FULL:EMPTY is for the resistor calculator; the runtime "
                                     "calculator takes one voltage");
    return RunCalculation(inputs, request.Sweep, EmptyReport(),
                          [&](const std::vector<Input>& in, bool sweeping, Report& report) {
                              return Calculate(in, sweeping, report, preset);
                          });
}

namespace {

class Runtime final : public Command {
  public:
    CLI::App* Add(CLI::App& program) override
    {
        return program.add_subcommand(
            "runtime", "the runtime calculator: give five of current, vf, battery, capacity, runtime and efficiency");
    }

    void AddOptions(CLI::App& subcommand) override
    {
        CLI::App* command = &subcommand;
        AddQuantities(*command, RuntimeQuantities(), m_request.Texts);
        AddCalculatorOptions(*command, m_common, m_format);
    }

    CommandOutput Run() override
    {
        m_common.Apply(m_request);
        return RunRuntime(m_request);
    }

  private:
    RuntimeRequest m_request;
    CalculatorOptions m_common;
};

} // namespace

std::unique_ptr<Command> RuntimeCommand() { return std::make_unique<Runtime>(); }

} // namespace lumora::cli
