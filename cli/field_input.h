// SPDX-License-Identifier: MIT
#pragma once

#include "calc/calculators/error_window.h"
#include "calc/calculators/quantities.h"
#include "calc/text/field_text.h"
#include "cli/report.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::cli {

// One field of a calculator, filled through its option.
struct Input {
    std::string_view Name;    // the option without "--", and the sweep's NAME ("current")
    std::string_view Caption; // the field's caption ("Desired LED Current")
    NumberKind Kind = NumberKind::Decimal;
    bool Solvable = true;             // one of the quantities that can be left blank to solve
    std::size_t MaxLength = 0;        // characters the field holds; 0 for no limit
    std::optional<std::string> Given; // the option's text, when the user gave one
    std::string Text;                 // what the calculation reads: given, preset, default or blank
};

// A command that stops before calculating: one message, and its exit code.
CommandOutput Stop(ExitCode exit, std::string message);

// "a, b, c"
std::string CommaList(const std::vector<std::string>& items);

// The texts of a command's options by key ("current"); an option not given
// is not there, or holds nullopt.
using GivenTexts = std::map<std::string, std::optional<std::string>, std::less<>>;

// The text given for a key, if any.
std::optional<std::string> GivenText(const GivenTexts& texts, std::string_view key);

// The input of a calculator's field: its row's name, caption, typing rule,
// length and start text, holding the text given or, when none, the start.
Input InputOf(const QuantityRow& row, const std::optional<std::string>& given);

// "--current" for an input named "current".
std::string OptionOf(const Input& input);

// "--vf, --battery: <message>"
std::string Naming(const std::vector<std::string>& options, std::string_view message);

// Why a text could not have been typed into the field, naming the option:
// characters the key filter would swallow, or more than the field holds.
std::optional<std::string> RefusalOf(const Input& input, std::string_view text);

// The window's refusals as messages naming the options concerned: the
// efficiency or LED count for their range checks, the fields holding ".",
// the blank ones when more than one is, every solvable one when none is.
std::vector<std::string> RefusalsOf(const std::vector<ErrorWindow>& windows, const std::vector<Input>& inputs);

// A failure's plain words, after the option of the input to blame, if any.
std::string FailureOf(const std::string& text, const Input* culprit);

} // namespace lumora::cli
