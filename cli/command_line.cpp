// SPDX-License-Identifier: MIT
#include "cli/command_line.h"

#include "calc/text/printable.h"
#include "cli/command.h"
#include "cli/report.h"
#include "cli/sweep.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <fstream>
#include <ostream>

namespace lumora::cli {

namespace {

constexpr const char* Program = "lumora-cli";

int Print(const CommandOutput& output, const std::string& format, std::ostream& out, std::ostream& err)
{
    if (output.File && output.File->Path == "-") {
        out << output.File->Text;
        out.flush();
    } else if (output.File) {
        std::ofstream file(output.File->Path, std::ios::binary);
        file << output.File->Text;
        file.close();
        if (!file) {
            err << Program << ": cannot write the picture to " << Printable(output.File->Path) << '\n';
            return static_cast<int>(ExitCode::Failed);
        }
    }
    if (output.Results && !(output.File && output.File->Path == "-"))
        Write(*output.Results, *FormatNamed(format), out);
    out.flush();
    for (const std::string& warning : output.Warnings)
        err << Program << ": warning: " << Printable(warning) << '\n';
    for (const std::string& error : output.Errors)
        err << Program << ": " << Printable(error) << '\n';
    return static_cast<int>(output.Exit);
}

// A mistyped command is named, not taken for a missing one: the message,
// or "" when the first word is an option or a command.
std::string UnknownCommand(const CLI::App& app, const std::vector<std::string>& args)
{
    std::vector<std::string> known;
    for (const CLI::App* command : app.get_subcommands({}))
        known.push_back(command->get_name());
    if (args.empty() || args.front().empty() || args.front().front() == '-' ||
        std::find(known.begin(), known.end(), args.front()) != known.end())
        return {};
    return "there is no command \"" + Printable(args.front(), 1000) + "\"; known: " + CommaList(known) + "\n" +
           "Try '" + Program + " --help' for the commands and their options.";
}

// The words parsed: nullopt to go on, or the exit code of a help, a
// version or a usage slip, printed.
std::optional<int> Parse(CLI::App& app, const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    try {
        std::vector<std::string> reversed(args.rbegin(), args.rend()); // CLI11 takes them last first
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        const auto selected = app.get_subcommands();
        out << (selected.empty() ? app.help() : selected.front()->help(Program));
        return 0;
    } catch (const CLI::CallForVersion&) {
        out << std::string(Program) + " " + LUMORA_VERSION << '\n';
        return 0;
    } catch (const CLI::ParseError& error) {
        err << Program << ": " << Printable(error.what(), 1000) << '\n'
            << "Try '" << Program << " --help' for the commands and their options.\n";
        return static_cast<int>(ExitCode::Usage);
    }
    return std::nullopt;
}

} // namespace

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    CLI::App app{"The runtime and resistor calculators of Lumora, for LED flashlights.", Program};
    app.set_version_flag("--version", std::string(Program) + " " + LUMORA_VERSION);
    app.require_subcommand(1);
    app.footer("Leave out the one quantity to solve for. Exit codes: 0 solved, 1 input refused, 2 usage, "
               "3 calculation failed, 4 nothing meets the question (choose). 'lumora-cli COMMAND --help' shows a "
               "command's options.");
    std::vector<std::pair<std::unique_ptr<Command>, CLI::App*>> commands;
    for (auto make :
         {RuntimeCommand, ResistorCommand, GraphCommand, ChooseCommand, SustainCommand, LedsCommand, CellsCommand}) {
        std::unique_ptr<Command> command = make();
        CLI::App* added = command->Add(app);
        if (!args.empty() && args.front() == added->get_name())
            command->AddOptions(*added);
        commands.emplace_back(std::move(command), added);
    }
    if (const std::string unknown = UnknownCommand(app, args); !unknown.empty()) {
        err << Program << ": " << unknown << '\n';
        return static_cast<int>(ExitCode::Usage);
    }
    if (const std::optional<int> done = Parse(app, args, out, err))
        return *done;
    for (auto& [command, added] : commands) {
        if (added->parsed())
            return Print(command->Run(), command->Format(), out, err);
    }
    return static_cast<int>(ExitCode::Usage); // require_subcommand(1) leaves none unparsed
}

} // namespace lumora::cli
