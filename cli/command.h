// SPDX-License-Identifier: MIT
#pragma once

#include "cli/report.h"

#include <memory>
#include <string>

namespace CLI {
class App;
} // namespace CLI

namespace lumora::cli {

// A command of lumora-cli, in the unit that runs it: it adds its
// subcommand and owns its options; once the words are parsed, it runs what
// they ask for.
class Command {
  public:
    virtual ~Command() = default;
    // The subcommand, named and described, added to the program.
    virtual CLI::App* Add(CLI::App& program) = 0;
    // Its options, added only to the command the words name: a start-up
    // spent on the one command run, not on all of them.
    virtual void AddOptions(CLI::App& command) = 0;
    // What the parsed options ask for.
    virtual CommandOutput Run() = 0;
    // text, csv or json, as --format gave it.
    const std::string& Format() const { return m_format; }

  protected:
    std::string m_format = "text";
};

// Each command, in the order the program's help lists them.
std::unique_ptr<Command> RuntimeCommand();
std::unique_ptr<Command> ResistorCommand();
std::unique_ptr<Command> GraphCommand();
std::unique_ptr<Command> SustainCommand();
std::unique_ptr<Command> LedsCommand();
std::unique_ptr<Command> CellsCommand();
std::unique_ptr<Command> ChooseCommand();

} // namespace lumora::cli
