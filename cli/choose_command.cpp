// SPDX-License-Identifier: MIT
#include "cli/choose_command.h"

#include "calc/text/field_text.h"
#include "calc/text/mentions.h"
#include "calc/text/number_text.h"
#include "cli/command.h"
#include "cli/graph_command.h"
#include "cli/options.h"
#include <CLI/CLI.hpp>

#include <algorithm>
#include <cmath>

namespace lumora::cli {

namespace {

std::string Quoted(const std::string& word)
{
    return word.find_first_of(" '\"\\$") == std::string::npos ? word : "'" + word + "'";
}

std::string CommandText(const std::vector<std::string>& args)
{
    std::string text = "lumora-cli";
    for (const std::string& word : args)
        text += " " + Quoted(word);
    return text;
}

// The row of one build: who it is and what it gives.
std::vector<std::pair<std::string_view, std::string>> CellsOf(std::size_t rank, const ChosenBuild& build)
{
    const ChosenRow row = RowOf(build);
    return {{"rank", std::to_string(rank)},
            {"led", row.Led},
            {"leds", row.Leds},
            {"cell", row.Cell},
            {"pack", row.Pack},
            {"driver", row.Driver},
            {"current_ma", row.CurrentMa},
            {"output_30s_lm", row.Output30s},
            {"fl1_runtime_h", row.Fl1Hours},
            {"sustained_lm", row.Sustained},
            {"peak_host_c", row.PeakHostC},
            {"peak_junction_c", row.PeakJunctionC},
            {"warnings", row.Warnings},
            {"misses", row.Misses},
            {"args", CommandText(GraphArgs(build.Texts))}};
}

Report TableOf(const std::vector<ChosenBuild>& builds, bool nearest)
{
    Report report;
    report.Columns = {{"rank", "#", true},
                      {"led", "LED", false},
                      {"leds", "LEDs", false},
                      {"cell", "Cell", false},
                      {"pack", "Pack", false},
                      {"driver", "Driver", false},
                      {"current_ma", "mA", true},
                      {"output_30s_lm", "lm at 30 s", true},
                      {"fl1_runtime_h", "FL1 h", true},
                      {"sustained_lm", "Sustained lm", true},
                      {"peak_host_c", "Host °C", true},
                      {"peak_junction_c", "Junction °C", true},
                      {"warnings", "Warnings", true}};
    if (nearest)
        report.Columns.push_back({"misses", "Misses", false});
    report.Columns.push_back({"args", "Graph it", false});
    for (std::size_t k = 0; k < builds.size(); ++k)
        report.AddRow(CellsOf(k + 1, builds[k]));
    return report;
}

std::vector<Field> QuestionFields(const BuildQuestion& question)
{
    std::vector<Field> fields = {{"output_lm", DoubleText(question.Lumens)},
                                 {"runtime_h", DoubleText(question.RuntimeHours)},
                                 {"max_leds", std::to_string(question.MostLeds)}};
    for (const auto& [key, text] : question.Held.Texts)
        fields.push_back({key, text, false});
    fields.push_back({"by", std::string(ChoiceRankNames()[static_cast<std::size_t>(question.By)]), false});
    fields.push_back({"allow_over_rating", question.AllowOverRating ? "true" : "false"});
    return fields;
}

Report JsonOf(const BuildQuestion& question, const BuildChoice& choice)
{
    Report report;
    report.Record = {{"question", QuestionFields(question)}};
    report.Head = {{"searched", std::to_string(choice.Searched)}, {"over_rating", std::to_string(choice.OverRating)}};
    if (!choice.Nothing.empty())
        report.Head.push_back({"nothing", choice.Nothing, false});
    report.PartsName = choice.Builds.empty() ? "nearest" : "builds";
    for (const ChosenBuild& build : choice.Builds.empty() ? choice.Nearest : choice.Builds) {
        Report part;
        part.Lists = {{"args", GraphArgs(build.Texts)}};
        part.Record = {{"inputs", FieldsOf(build.Run.Understood)}, {"summary", FieldsOf(build.Run.Figures)}};
        if (!build.Misses.empty())
            part.Record.push_back({"misses", {{"text", build.Misses, false}}});
        part.RecordWarnings = build.Run.Warnings;
        report.Parts.push_back(std::move(part));
    }
    return report;
}

std::string CountText(int count, const char* one, const char* many)
{
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

} // namespace

std::vector<std::string> GraphArgs(const BuildTexts& texts)
{
    std::vector<std::string> args = {"graph"};
    for (const auto& [key, text] : texts) {
        const LightInputRow* row = LightInputNamed(key);
        if (row && row->ChoiceFlags) {
            args.push_back("--" + text);
            continue;
        }
        args.push_back("--" + key);
        args.push_back(text);
    }
    return args;
}

CommandOutput RunChoose(const BuildQuestion& question, Format format)
{
    const BuildChoice choice = ChooseBuild(question);
    if (!choice.Refusals.empty())
        return RefusedOutput(choice.Refusals, false);
    CommandOutput output;
    const bool none = choice.Builds.empty();
    Report report =
        format == Format::Json ? JsonOf(question, choice) : TableOf(none ? choice.Nearest : choice.Builds, none);
    if (format == Format::Text) {
        report.Summary = {{"Wanted", DoubleText(question.Lumens) + " lm for " + DurationWords(question.RuntimeHours),
                           "", "(FL1, from 30 s after switch-on)"},
                          {"Searched", CountText(choice.Searched, "build", "builds"), "", ""},
                          {"Meet it", std::to_string(choice.Met), "",
                           choice.Met > static_cast<int>(choice.Builds.size())
                               ? "(the best " + std::to_string(choice.Builds.size()) + " shown, by " +
                                     std::string(ChoiceRankNames()[static_cast<std::size_t>(question.By)]) + ")"
                               : ""},
                          {"Past a rating", std::to_string(choice.OverRating), "",
                           choice.OverRating == 0     ? ""
                           : question.AllowOverRating ? "(kept, each with its warning)"
                                                      : "(left out; --allow-over-rating keeps them)"}};
        report.TableInText = true;
    }
    if (none) {
        output.Errors.push_back(choice.Nothing + "; the nearest builds are listed with what each misses");
        output.Exit = ExitCode::Unmet;
    } else if (choice.OverRating > 0 && !question.AllowOverRating) {
        output.Warnings.push_back(
            CountText(choice.OverRating, "build meets", "builds meet") +
            " it only past an LED's or a cell's rating: left out (--allow-over-rating keeps them)");
    }
    output.Results = std::move(report);
    return output;
}

namespace {

class Choose final : public Command {
  public:
    CLI::App* Add(CLI::App& program) override
    {
        return program.add_subcommand("choose", "choose a build: the LEDs, cells and drivers that give a wanted output "
                                                "for a wanted runtime, ranked");
    }

    void AddOptions(CLI::App& subcommand) override
    {
        AddLightOptions(subcommand, m_light);
        subcommand
            .add_option("--runtime", m_runtime,
                        "The FL1 runtime wanted, at least: hours (1.5), H:MM (1:30), "
                        "'90 min' or '1.5 h'.")
            ->option_text("DURATION")
            ->required();
        subcommand.add_option("--max-leds", m_question.MostLeds, "The most LEDs a build may have (default 4).")
            ->option_text("N");
        subcommand
            .add_option("--by", m_by,
                        "How the builds are ranked: runtime (the longest FL1 runtime, the "
                        "default), sustained (the highest sustained output), temperature (the "
                        "coolest host) or size (the fewest LEDs, then the fewest cells).")
            ->option_text("RANK");
        subcommand.add_option("--top", m_question.Top, "How many builds to list (default 10).")->option_text("N");
        subcommand.add_flag("--allow-over-rating", m_question.AllowOverRating,
                            "Keep builds that drive an LED or a cell past its maker's rating, each with its warning.");
        AddFormat(subcommand, m_format);
    }

    CommandOutput Run() override
    {
        BuildQuestion question = m_question;
        question.Held = m_light.Inputs();
        std::vector<RunRefusal> refusals;
        const std::optional<std::string> output = question.Held.Text("output");
        const std::optional<double> lumens = output ? ReadNumber(*output) : std::nullopt;
        if (!output)
            return RefusedOutput({{"output", "give the output wanted, in lumens out the front at 30 s"}}, true);
        question.Held.Texts.erase("output");
        question.Lumens = lumens.value_or(NAN);
        const std::optional<double> hours = ReadDuration(m_runtime);
        question.RuntimeHours = hours.value_or(NAN);
        if (!hours)
            refusals.push_back({"runtime", "\"" + m_runtime +
                                               "\" is no duration above 0: give hours (1.5), H:MM "
                                               "(1:30), '90 min' or '1.5 h'"});
        if (!(question.Lumens > 0.0) || !std::isfinite(question.Lumens))
            refusals.push_back({"output", "the wanted output must be a number of lumens above 0"});
        const std::optional<ChoiceRank> by = ChoiceRankNamed(m_by);
        if (!by)
            refusals.push_back({"", "--by: no ranking \"" + m_by + "\"; known: runtime, sustained, temperature, size"});
        if (m_question.MostLeds < 1 || m_question.MostLeds > MostLedsAsked)
            refusals.push_back(
                {"", "--max-leds: a build may have from 1 to " + std::to_string(MostLedsAsked) + " LEDs"});
        if (m_question.Top < 1)
            refusals.push_back({"", "--top: list at least 1 build"});
        if (!refusals.empty())
            return RefusedOutput(refusals, false);
        question.By = *by;
        return RunChoose(question, *FormatNamed(m_format));
    }

  private:
    LightOptions m_light;
    BuildQuestion m_question;
    std::string m_runtime;
    std::string m_by = "runtime";
};

} // namespace

std::unique_ptr<Command> ChooseCommand() { return std::make_unique<Choose>(); }

} // namespace lumora::cli
