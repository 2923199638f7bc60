#include "image/printable_text.h"

#include <cstdint>
#include <cstdio>

namespace q9tx {
namespace {

void AppendEscaped(std::string& text, unsigned value)
{
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\x%02X", value & 0xFFu);
    text += escaped;
}

bool IsControl(std::uint32_t codePoint)
{
    return codePoint < 0x20 || (codePoint >= 0x7F && codePoint <= 0x9F);
}

// The length of the well-formed UTF-8 character at `at` and its code point; 0 when the
// bytes there are not one (overlong forms and surrogates included).
std::size_t CharacterAt(std::string_view text, std::size_t at, std::uint32_t& codePoint)
{
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
    const std::uint8_t lead = byte(at);
    std::size_t length = 0;
    std::uint32_t lowest = 0;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, codePoint = lead & 0x1Fu, lowest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, codePoint = lead & 0x0Fu, lowest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, codePoint = lead & 0x07u, lowest = 0x10000;
    } else {
        return 0;
    }
    if (at + length > text.size())
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80)
            return 0;
        codePoint = (codePoint << 6) | (byte(at + i) & 0x3Fu);
    }
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    return codePoint < lowest || codePoint > 0x10FFFF || surrogate ? 0 : length;
}

}  // namespace

std::string PrintableText(std::string_view utf8)
{
    std::string text;
    text.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        std::uint32_t codePoint = 0;
        const std::size_t length = CharacterAt(utf8, at, codePoint);
        if (length == 0) {
            AppendEscaped(text, static_cast<std::uint8_t>(utf8[at]));
            ++at;
            continue;
        }
        if (IsControl(codePoint))
            AppendEscaped(text, codePoint);
        else
            text.append(utf8.substr(at, length));
        at += length;
    }
    return text;
}

std::string PrintableLatin1(std::string_view latin1)
{
    std::string utf8;
    for (const char ch : latin1) {
        const auto value = static_cast<std::uint8_t>(ch);
        if (value < 0x80) {
            utf8 += ch;
        } else {
            utf8 += static_cast<char>(0xC0 | (value >> 6));
            utf8 += static_cast<char>(0x80 | (value & 0x3F));
        }
    }
    return PrintableText(utf8);
}

}  // namespace q9tx
