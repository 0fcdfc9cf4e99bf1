// SPDX-License-Identifier: MIT
#include "cli/sustain_command.h"

#include "cli/command.h"
#include "cli/options.h"
#include <CLI/CLI.hpp>

#include "calc/reports/sustained_output.h"
#include "cli/graph_command.h"

namespace lumora::cli {

CommandOutput RunSustain(const LightInputs& inputs)
{
    const SustainedOutput sustained = SustainLight(inputs);
    if (!sustained.Refusals.empty())
        return RefusedOutput(sustained.Refusals, sustained.Usage);
    CommandOutput output;
    Report report;
    report.Summary = SummaryOf(sustained.Summary);
    report.Record = {{"inputs", FieldsOf(sustained.Understood)}, {"sustained", FieldsOf(sustained.Figures)}};
    report.TableInText = false;
    output.Results = std::move(report);
    return output;
}

namespace {

class Sustain final : public Command {
  public:
    CLI::App* Add(CLI::App& program) override
    {
        return program.add_subcommand(
            "sustain", "what a host holds at its temperature limit: the highest steady LED current and output, and "
                       "the host a wanted output needs");
    }

    void AddOptions(CLI::App& subcommand) override
    {
        CLI::App* command = &subcommand;
        AddLightOptions(*command, m_light, SustainInputKeys());
        AddFormat(*command, m_format);
    }

    CommandOutput Run() override { return RunSustain(m_light.Inputs()); }

  private:
    LightOptions m_light;
};

} // namespace

std::unique_ptr<Command> SustainCommand() { return std::make_unique<Sustain>(); }

} // namespace lumora::cli
