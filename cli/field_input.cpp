// SPDX-License-Identifier: MIT
#include "cli/field_input.h"

#include "calc/calculators/messages.h"

#include <algorithm>

namespace lumora::cli {

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

std::optional<std::string> GivenText(const GivenTexts& texts, std::string_view key)
{
    const auto found = texts.find(key);
    return found == texts.end() ? std::nullopt : found->second;
}

Input InputOf(const QuantityRow& row, const std::optional<std::string>& given)
{
    Input input;
    input.Name = row.Key;
    input.Caption = row.Caption;
    input.Kind = row.Kind;
    input.Solvable = row.Solvable;
    input.MaxLength = row.MaxLength;
    input.Given = given;
    input.Text = given.value_or(std::string(row.Start));
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

} // namespace lumora::cli
