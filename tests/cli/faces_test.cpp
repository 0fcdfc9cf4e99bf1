// SPDX-License-Identifier: MIT
// lumora-cli's options are the core's rows: each input of a calculator and
// of a light's run has its option, with its default in the help, so that
// the command line, the page and the window cannot drift apart.
#include "calc/calculators/quantities.h"
#include "calc/reports/sustained_output.h"
#include "calc/request/light_inputs.h"
#include "cli/command_line.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace lumora::cli {
namespace {

std::string Help(const std::string& command)
{
    std::ostringstream out, err;
    EXPECT_EQ(RunCommandLine({command, "--help"}, out, err), 0);
    // CLI11 wraps long lines; one line of words is what is read.
    std::string help;
    for (char c : out.str()) {
        if (c == '\n' || c == ' ') {
            if (!help.empty() && help.back() != ' ')
                help += ' ';
        } else {
            help += c;
        }
    }
    return help;
}

// Every input of a run is an option of graph, every input of the sustained
// output one of sustain, each with its default.
TEST(Faces, EveryLightInputIsAnOptionWithItsDefault)
{
    const std::string graph = Help("graph"), sustain = Help("sustain");
    const std::span<const std::string_view> sustained = SustainInputKeys();
    for (const LightInputRow& row : LightInputRows()) {
        const bool inSustain = std::find(sustained.begin(), sustained.end(), row.Key) != sustained.end();
        EXPECT_EQ(graph.find("--" + std::string(row.Key) + " ") != std::string::npos,
                  !row.SustainOnly && !row.ChoiceFlags)
            << row.Key;
        EXPECT_EQ(sustain.find("--" + std::string(row.Key) + " ") != std::string::npos, inSustain) << row.Key;
        const std::string& help = row.SustainOnly ? sustain : graph;
        if (row.ChoiceFlags) {
            for (const InputChoice& choice : row.Choices())
                EXPECT_NE(help.find("--" + choice.Value + " "), std::string::npos) << choice.Value;
            continue;
        }
        EXPECT_NE(help.find("--" + std::string(row.Key) + " "), std::string::npos) << row.Key;
        const std::string_view stands = row.Default.empty() ? row.DefaultNote : row.Default;
        if (!stands.empty()) {
            EXPECT_NE(help.find("When not given: " + std::string(stands)), std::string::npos) << row.Key;
        }
    }
}

TEST(Faces, EveryQuantityTypedIsAnOptionWithItsStartText)
{
    for (const auto& [command, rows] :
         {std::pair{"runtime", RuntimeQuantities()}, {"resistor", ResistorQuantities()}}) {
        const std::string help = Help(command);
        for (const QuantityRow& row : rows) {
            const bool option = help.find("--" + std::string(row.Key) + " ") != std::string::npos;
            EXPECT_EQ(option, !row.Written) << command << " " << row.Key;
            if (!row.Written && !row.Start.empty()) {
                EXPECT_NE(help.find("(" + std::string(row.Start) + " when not given"), std::string::npos) << row.Key;
            }
        }
    }
}

// The options a command's help lists: "--cell", "--help".
std::set<std::string> OptionsOf(const std::string& command)
{
    std::set<std::string> options;
    const std::string help = Help(command);
    const std::string listed = help.substr(help.find("Options:"));
    const std::regex option(R"((?:^| |,)(--[a-z][a-z0-9-]*))");
    for (auto it = std::sregex_iterator(listed.begin(), listed.end(), option); it != std::sregex_iterator(); ++it)
        options.insert((*it)[1]);
    return options;
}

std::string SourceFile(const std::string& path)
{
    std::ifstream file(std::string(LUMORA_SOURCE_DIR) + "/" + path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

const std::vector<std::string> Commands = {"runtime", "resistor", "graph", "choose", "sustain", "cells", "leds"};

// The bash completion offers each command's options, no more and no fewer:
// a new input row is a new option, and the completion must follow.
TEST(Faces, CompletionOffersEveryOption)
{
    const std::string completion = SourceFile("packaging/lumora-cli.bash-completion");
#ifdef _WIN32
    if (completion.empty())
        GTEST_SKIP() << "the sources are not at hand under Wine";
#endif
    ASSERT_FALSE(completion.empty());
    for (const std::string& command : Commands) {
        const std::regex line("\\n\\s*" + command + "\\) options=\"([^\"]*)\"");
        std::smatch found;
        ASSERT_TRUE(std::regex_search(completion, found, line)) << command;
        std::istringstream words(found[1].str());
        std::set<std::string> offered;
        for (std::string word; words >> word;)
            offered.insert(word);
        EXPECT_EQ(offered, OptionsOf(command)) << command;
    }
}

// The manual page names every option of every command.
TEST(Faces, ManualPageNamesEveryOption)
{
    const std::string manual = SourceFile("packaging/lumora-cli.1");
#ifdef _WIN32
    if (manual.empty())
        GTEST_SKIP() << "the sources are not at hand under Wine";
#endif
    ASSERT_FALSE(manual.empty());
    for (const std::string& command : Commands) {
        for (const std::string& option : OptionsOf(command)) {
            std::string written;
            for (char c : option)
                written += c == '-' ? std::string("\\-") : std::string(1, c);
            EXPECT_NE(manual.find(written), std::string::npos) << command << " " << option;
        }
    }
}

} // namespace
} // namespace lumora::cli
