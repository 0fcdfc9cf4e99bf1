// SPDX-License-Identifier: MIT
#include "cli/runtime_command.h"

#include "calc/calculators/messages.h"
#include "calc/calculators/runtime_calculator.h"
#include "cli/calculation.h"

#include <array>

namespace lumora::cli {

namespace {

using Q = ConverterQuantity;

// The inputs in record order, with the unit each is shown in.
struct Quantity {
    Q quantity;
    const char* name;
    const char* unit;
    const char* key;
    const char* heading;
};

constexpr std::array<Quantity, 6> Quantities = {{
    {Q::LedCurrent, "current", "mA", "current_ma", "Current mA"},
    {Q::LedVf, "vf", "V", "vf_v", "Vf V"},
    {Q::BatteryVoltage, "battery", "V", "battery_v", "Battery V"},
    {Q::Capacity, "capacity", "mAh", "capacity_mah", "Capacity mAh"},
    {Q::Runtime, "runtime", "h", "runtime_h", "Runtime h"},
    {Q::Efficiency, "efficiency", "%", "efficiency_pct", "Efficiency %"},
}};

Report EmptyReport()
{
    Report report;
    for (const Quantity& q : Quantities)
        report.Columns.push_back({q.key, q.heading, true});
    report.Columns.push_back({"days", "Days", true});
    report.Columns.push_back({"clock", "Clock"});
    report.Columns.push_back({"solved", "Solved", false, false});
    report.Columns.push_back({"note", "Note"});
    report.TableInText = false;
    return report;
}

StepResult Calculate(const std::vector<Input>& inputs, bool sweeping, Report& report,
                     const std::optional<std::string>& preset)
{
    ConverterFields fields;
    fields.Days = "0";
    fields.Clock = "00:00:00";
    for (std::size_t i = 0; i < Quantities.size(); ++i)
        FieldText(fields, Quantities[i].quantity) = inputs[i].Text;
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
    for (const Quantity& q : Quantities)
        row.emplace_back(q.key, FieldText(outcome.Fields, q.quantity));
    if (solved) {
        row.emplace_back("days", outcome.Fields.Days);
        row.emplace_back("clock", outcome.Fields.Clock);
        row.emplace_back("solved", Quantities[static_cast<std::size_t>(*outcome.Target)].name);
    } else {
        row.emplace_back("note", result.Refusals.empty() ? result.Failure : result.Refusals.front());
    }
    report.AddRow(row);

    if (solved && !sweeping) {
        for (const Quantity& q : Quantities) {
            report.Summary.push_back({std::string(NameOf(q.quantity).Caption), FieldText(outcome.Fields, q.quantity),
                                      q.unit, q.quantity == outcome.Target ? "(solved)" : ""});
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
    const std::optional<std::string>* given[] = {&request.Current,  &request.Vf,      &request.Battery,
                                                 &request.Capacity, &request.Runtime, &request.Efficiency};
    std::vector<Input> inputs;
    for (std::size_t i = 0; i < Quantities.size(); ++i)
        inputs.push_back(MakeInput(Quantities[i].name, NameOf(Quantities[i].quantity).Caption, *given[i]));
    Input& efficiency = inputs[static_cast<std::size_t>(Q::Efficiency)];
    efficiency.MaxLength = EfficiencyMaxLength;
    if (!efficiency.Given)
        efficiency.Text = "83"; // the window's start text

    std::optional<std::string> preset;
    if (request.Cell) {
        const PackTexts pack = TextsOf(*request.Cell, request.CellPack);
        Input& battery = inputs[static_cast<std::size_t>(Q::BatteryVoltage)];
        Input& capacity = inputs[static_cast<std::size_t>(Q::Capacity)];
        if (!battery.Given)
            battery.Text = pack.Nominal;
        if (!capacity.Given && pack.CapacityMah)
            capacity.Text = *pack.CapacityMah;
        preset = NameOf(*request.Cell) + ", " + std::to_string(request.CellPack.Series) + "S" +
                 std::to_string(request.CellPack.Parallel) + "P";
    }
    if (request.Battery && request.Battery->find(':') != std::string::npos)
        return Stop(ExitCode::Usage, "--battery: a range FULL:EMPTY is for the resistor calculator; the runtime "
                                     "calculator takes one voltage");
    return RunCalculation(inputs, request.Sweep, EmptyReport(),
                          [&](const std::vector<Input>& in, bool sweeping, Report& report) {
                              return Calculate(in, sweeping, report, preset);
                          });
}

} // namespace lumora::cli
