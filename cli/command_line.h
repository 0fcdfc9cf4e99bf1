// SPDX-License-Identifier: MIT
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace lumora::cli {

// Runs lumora-cli on its arguments (the program's name left out): results
// go to 'out', messages to 'err'. Returns the exit code: 0 solved, 1 input
// refused, 2 usage, 3 calculation failed.
int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace lumora::cli
