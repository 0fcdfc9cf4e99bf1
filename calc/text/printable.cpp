// SPDX-License-Identifier: MIT
#include "calc/text/printable.h"

#include <algorithm>
#include <iterator>

namespace lumora {

namespace {

// Code points that would act instead of showing: the control characters (Cc)
// and the invisible format characters (Cf) of Unicode 15.
bool IsInvisible(char32_t c)
{
    struct Range {
        char32_t first, last;
    };
    static constexpr Range Ranges[] = {
        {0x0000, 0x001F},   {0x007F, 0x009F},   {0x00AD, 0x00AD},   {0x0600, 0x0605},   {0x061C, 0x061C},
        {0x06DD, 0x06DD},   {0x070F, 0x070F},   {0x0890, 0x0891},   {0x08E2, 0x08E2},   {0x180E, 0x180E},
        {0x200B, 0x200F},   {0x202A, 0x202E},   {0x2060, 0x2064},   {0x2066, 0x206F},   {0xFEFF, 0xFEFF},
        {0xFFF9, 0xFFFB},   {0x110BD, 0x110BD}, {0x110CD, 0x110CD}, {0x13430, 0x1343F}, {0x1BCA0, 0x1BCA3},
        {0x1D173, 0x1D17A}, {0xE0001, 0xE0001}, {0xE0020, 0xE007F},
    };
    return std::any_of(std::begin(Ranges), std::end(Ranges),
                       [c](const Range& r) { return c >= r.first && c <= r.last; });
}

constexpr char32_t Replacement = 0xFFFD;

// The next code point of a UTF-8 text, or U+FFFD for a byte that starts no
// valid sequence (that byte alone is consumed).
char32_t NextCodePoint(std::string_view text, std::size_t& at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    int length = 0;
    char32_t c = 0;
    char32_t least = 0;
    if (lead < 0x80) {
        ++at;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, c = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, c = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, c = lead & 0x07, least = 0x10000;
    } else {
        ++at;
        return Replacement;
    }
    if (at + length > text.size()) {
        ++at;
        return Replacement;
    }
    for (int i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) {
            ++at;
            return Replacement;
        }
        c = (c << 6) | (byte(at + i) & 0x3F);
    }
    if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++at;
        return Replacement;
    }
    at += length;
    return c;
}

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

std::string Printable(std::string_view text, std::size_t longest)
{
    std::string shown;
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); ++count) {
        const char32_t c = NextCodePoint(text, at);
        if (count == longest) {
            AppendUtf8(shown, 0x2026); // "…"
            break;
        }
        AppendUtf8(shown, IsInvisible(c) ? Replacement : c);
    }
    return shown;
}

} // namespace lumora
