// SPDX-License-Identifier: MIT
#include "cli/sustain_command.h"

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

} // namespace lumora::cli
