// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace lumora {

// Words that mention an input by its key, as "{current}" or, with a detail
// only the command line shows, "{cell NAME}". Each face writes a mention its
// own way: the command line as its option ("--cell NAME"), the page by the
// quantity's name ("the battery preset"), so that no face shows another's
// syntax.

using Mention = std::function<std::string(std::string_view key, std::string_view detail)>;

// The text with each mention written by 'mention'; braces that hold no
// mention stay as they are.
std::string WithMentions(std::string_view text, const Mention& mention);

// The text as the command line words it: "{cell NAME}" is "--cell NAME".
std::string AsOptions(std::string_view text);

} // namespace lumora
