// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>

namespace lumora::cli {

// The builder's own files a command reads (a meter's log, a tester's logs,
// a fitted cell): the core takes their text and a name to call them by.

// A file's whole text; nullopt when it cannot be read.
std::optional<std::string> FileText(const std::string& path);

// A path's last part, "log.csv" of "data/log.csv" (either slash).
std::string BaseName(const std::string& path);

} // namespace lumora::cli
