// SPDX-License-Identifier: MIT
#include "cli/calculation.h"

#include "calc/calculators/messages.h"

#include <algorithm>

namespace lumora::cli {

namespace {

// Adds a message the first time it comes, after 'where' it came from.
void AddOnce(std::vector<std::string>& seen, std::vector<std::string>& list, const std::string& where,
             const std::string& text)
{
    if (std::find(seen.begin(), seen.end(), text) != seen.end())
        return;
    seen.push_back(text);
    list.push_back(where + text);
}

std::string Known(const std::vector<Input>& inputs)
{
    std::vector<std::string> names;
    for (const Input& input : inputs)
        names.emplace_back(input.Name);
    return CommaList(names);
}

} // namespace

CommandOutput Stop(ExitCode exit, std::string message)
{
    CommandOutput output;
    output.Exit = exit;
    output.Errors.push_back(std::move(message));
    return output;
}

std::string CommaList(const std::vector<std::string>& items)
{
    std::string text;
    for (const std::string& item : items)
        text += (text.empty() ? "" : ", ") + item;
    return text;
}

Input MakeInput(std::string_view name, std::string_view caption, const std::optional<std::string>& given)
{
    Input input;
    input.Name = name;
    input.Caption = caption;
    input.Given = given;
    input.Text = given.value_or("");
    return input;
}

std::string OptionOf(const Input& input) { return "--" + std::string(input.Name); }

std::string Naming(const std::vector<std::string>& options, std::string_view message)
{
    return CommaList(options) + ": " + std::string(message);
}

std::optional<std::string> RefusalOf(const Input& input, std::string_view text)
{
    if (!IsTypeableText(text, input.Kind))
        return Naming({OptionOf(input)}, NotANumberSentence(input.Caption, text, input.Kind));
    if (input.MaxLength > 0 && text.size() > input.MaxLength)
        return Naming({OptionOf(input)}, std::string(input.Caption) + " holds at most " +
                                             std::to_string(input.MaxLength) + " characters.");
    return std::nullopt;
}

std::vector<std::string> RefusalsOf(const std::vector<ErrorWindow>& windows, const std::vector<Input>& inputs)
{
    const auto options = [&](auto&& concerned) {
        std::vector<std::string> names;
        for (const Input& input : inputs) {
            if (concerned(input))
                names.push_back(OptionOf(input));
        }
        return names;
    };
    std::vector<std::string> refusals;
    for (ErrorWindow window : windows) {
        std::vector<std::string> named;
        switch (window) {
        case ErrorWindow::Form2: named = options([](const Input& i) { return i.Solvable; }); break;
        case ErrorWindow::Form3: named = options([](const Input& i) { return IsBlank(i.Text); }); break;
        case ErrorWindow::Form6: named = options([](const Input& i) { return i.Name == "efficiency"; }); break;
        case ErrorWindow::Form7: named = options([](const Input& i) { return IsLonePoint(i.Text); }); break;
        case ErrorWindow::Form8: named = options([](const Input& i) { return i.Name == "leds"; }); break;
        }
        refusals.push_back(Naming(named, ErrorMessage(window)));
    }
    return refusals;
}

std::string FailureOf(const std::string& text, const Input* culprit)
{
    return culprit ? Naming({OptionOf(*culprit)}, text) : text;
}

CommandOutput RunCalculation(std::vector<Input>& inputs, const std::optional<SweepSpec>& sweep, Report report,
                             const Step& step)
{
    CommandOutput output;
    for (const Input& input : inputs) {
        if (input.Given) {
            if (std::optional<std::string> refusal = RefusalOf(input, *input.Given))
                output.Errors.push_back(std::move(*refusal));
        }
    }
    if (!output.Errors.empty()) {
        output.Exit = ExitCode::Refused;
        return output;
    }

    Input* swept = nullptr;
    std::vector<std::string> values{""};
    if (sweep) {
        const auto found =
            std::find_if(inputs.begin(), inputs.end(), [&](const Input& i) { return i.Name == sweep->Name; });
        if (found == inputs.end())
            return Stop(ExitCode::Usage,
                        "--sweep: there is no input \"" + sweep->Name + "\"; sweep one of " + Known(inputs));
        swept = &*found;
        if (swept->Given)
            return Stop(ExitCode::Usage, "--sweep: " + OptionOf(*swept) + " is given too; leave it out to sweep it");
        auto sweptValues = SweepValues(*sweep, swept->Kind == NumberKind::Whole);
        if (auto* problem = std::get_if<std::string>(&sweptValues))
            return Stop(ExitCode::Refused, "--sweep " + sweep->Name + ": " + *problem);
        values = std::move(std::get<std::vector<std::string>>(sweptValues));
        for (const std::string& value : values) {
            if (std::optional<std::string> refusal = RefusalOf(*swept, value))
                return Stop(ExitCode::Refused, "--sweep " + sweep->Name + "=" + value + ": " + *refusal);
        }
    }

    std::vector<std::string> seen;
    bool refused = false, failed = false, solved = false;
    for (const std::string& value : values) {
        if (swept)
            swept->Text = value;
        const StepResult result = step(inputs, swept != nullptr, report);
        const std::string where = swept ? sweep->Name + "=" + value + ": " : "";
        for (const std::string& refusal : result.Refusals)
            AddOnce(seen, output.Errors, where, refusal);
        if (!result.Failure.empty())
            AddOnce(seen, output.Errors, where, result.Failure);
        for (const std::string& warning : result.Warnings)
            AddOnce(seen, output.Warnings, "", warning);
        refused = refused || !result.Refusals.empty();
        failed = failed || !result.Failure.empty();
        solved = solved || (result.Refusals.empty() && result.Failure.empty());
    }
    output.Exit = refused ? ExitCode::Refused : failed ? ExitCode::Failed : ExitCode::Solved;
    if (solved)
        output.Results = std::move(report);
    return output;
}

} // namespace lumora::cli
