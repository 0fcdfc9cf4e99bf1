// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

namespace lumora {

// Texts that can reach a field only by pasting and that never read as a
// number: signs and exponents, separators, spaces, non-ASCII digits, control
// characters and an embedded NUL.
inline const std::vector<std::string>& HostileTexts()
{
    // clang-format off
    static const std::vector<std::string> texts = {
        "1e3", "+5", " 5", "5 ", "1,000", "1.2.3", "--5", "5-", "\xd9\xa3", "\xef\xbc\x95", "\x01", "0x10",
        "inf", "nan", "-", "-.", "\t", "5\n", std::string("5\0", 2), "\xe2\x80\x93" "5"};
    // clang-format on
    return texts;
}

} // namespace lumora
