// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace lumora::cli {

// --sweep NAME=FROM:TO:STEP: one calculation for each value from FROM to TO.
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

} // namespace lumora::cli
