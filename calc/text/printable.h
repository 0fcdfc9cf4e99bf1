// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace lumora {

// A text as it can be shown in a message: control and invisible format
// characters and broken UTF-8 replaced by U+FFFD, and cut short with "…"
// after 'longest' characters.
std::string Printable(std::string_view text, std::size_t longest = std::string_view::npos);

} // namespace lumora
