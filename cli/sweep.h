// SPDX-License-Identifier: MIT
#pragma once

#include "cli/field_input.h"
#include "cli/report.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace lumora::cli {

// A calculation run once, or with --sweep NAME=FROM:TO:STEP once for each
// value from FROM to TO.

// --sweep NAME=FROM:TO:STEP.
struct SweepSpec {
    std::string Name;
    std::string From, To, Step;
};

// The largest number of rows one sweep may give.
inline constexpr std::size_t LargestSweep = 100000;

// Splits "NAME=FROM:TO:STEP"; a text saying what is wrong otherwise.
std::variant<SweepSpec, std::string> ParseSweep(std::string_view text);

// The values of a sweep as field texts ("3.5", "4"), counted exactly in
// decimal so that no step drifts: FROM and TO are field texts (digits and
// one "."; digits only when whole), STEP has the sign that leads from FROM
// to TO. A text saying what is wrong otherwise: a zero or wrong-signed step,
// more than LargestSweep rows, more digits than can be counted exactly.
std::variant<std::vector<std::string>, std::string> SweepValues(const SweepSpec& spec, bool whole);

// What one calculation came to. On success the step has added its rows.
struct StepResult {
    std::vector<std::string> Refusals; // the window's checks refused the inputs
    std::string Failure;               // the calculation stopped
    std::vector<std::string> Warnings;
};

// One calculation over the inputs' texts, adding to the report. 'sweeping'
// asks for a row even when the calculation is refused or fails, and no
// summary.
using Step = std::function<StepResult(const std::vector<Input>& inputs, bool sweeping, Report& report)>;

// Checks every given text by the window's typing rules, then runs the step
// once, or once for each value of the sweep with the swept input's text
// replaced. Messages of a sweep name the step they first came from, each
// message once.
CommandOutput RunCalculation(std::vector<Input>& inputs, const std::optional<SweepSpec>& sweep, Report report,
                             const Step& step);

} // namespace lumora::cli
