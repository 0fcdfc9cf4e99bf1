// SPDX-License-Identifier: MIT
#pragma once

#include "calc/reports/build_choice.h"
#include "cli/report.h"

#include <string>
#include <vector>

namespace lumora::cli {

// "lumora-cli choose": the builds that give a wanted output for a wanted
// runtime, ranked (calc/reports/build_choice.h), each with the graph's
// arguments that draw it; exit code 4 where none does.

// The graph's arguments of a build: "graph", "--led", "xm-l2", ...
std::vector<std::string> GraphArgs(const BuildTexts& texts);

CommandOutput RunChoose(const BuildQuestion& question, Format format);

} // namespace lumora::cli
