// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace lumora {

// The published measurements beside the project, in ../shared/data: a
// file's text, or nullopt where the folder or the file is absent (a test
// then skips, saying why).
std::optional<std::string> SharedDataText(const std::string& name);

// "../shared/data/<name> is absent: <what for>", a skipping test's reason.
std::string AbsentText(const std::string& name, const std::string& purpose);

// The rows of a CSV text after its header, as their cells; '#' lines and
// blank lines passed over.
std::vector<std::vector<std::string>> CsvRows(const std::string& text);

} // namespace lumora
