// SPDX-License-Identifier: MIT
#include "cli/sustain_command.h"

#include "calc/reports/sustained_output.h"
#include "cli/graph_command.h"

namespace lumora::cli {

CommandOutput RunSustain(const LightInputs& inputs)
{
    const SustainedOutput sustained = SustainLight(inputs);
    CommandOutput output;
    if (!sustained.Refusals.empty()) {
        output.Exit = sustained.Usage ? ExitCode::Usage : ExitCode::Refused;
        for (const RunRefusal& refusal : sustained.Refusals)
            output.Errors.push_back(OptionText(refusal));
        return output;
    }
    Report report;
    for (const RunFigure& figure : sustained.Summary)
        report.Summary.push_back({figure.Label, figure.Value, figure.Unit, figure.Mark});
    const auto fields = [](const std::vector<RunField>& list) {
        std::vector<Field> out;
        for (const RunField& field : list)
            out.push_back({field.Key, field.Text, field.Numeric});
        return out;
    };
    report.Record = {{"inputs", fields(sustained.Understood)}, {"sustained", fields(sustained.Figures)}};
    report.TableInText = false;
    output.Results = std::move(report);
    return output;
}

} // namespace lumora::cli
