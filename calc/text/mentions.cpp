// SPDX-License-Identifier: MIT
#include "calc/text/mentions.h"

namespace lumora {

namespace {

bool IsKeyCharacter(char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-'; }

} // namespace

std::string WithMentions(std::string_view text, const Mention& mention)
{
    std::string out;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t open = text.find('{', at);
        const std::size_t close = open == std::string_view::npos ? open : text.find('}', open);
        if (close == std::string_view::npos) {
            out += text.substr(at);
            break;
        }
        const std::string_view inside = text.substr(open + 1, close - open - 1);
        const std::size_t space = inside.find(' ');
        const std::string_view key = inside.substr(0, space);
        out += text.substr(at, open - at);
        bool isKey = !key.empty();
        for (char c : key)
            isKey = isKey && IsKeyCharacter(c);
        if (isKey)
            out += mention(key, space == std::string_view::npos ? std::string_view() : inside.substr(space + 1));
        else
            out += text.substr(open, close - open + 1);
        at = close + 1;
    }
    return out;
}

std::string AsOptions(std::string_view text)
{
    return WithMentions(text, [](std::string_view key, std::string_view detail) {
        return "--" + std::string(key) + (detail.empty() ? "" : " " + std::string(detail));
    });
}

} // namespace lumora
