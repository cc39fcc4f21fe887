#include "core/image/escaped_text.h"

#include <cstddef>
#include <cstdint>

namespace orvo {

namespace {

// Length of the well-formed UTF-8 sequence at the start of `s` (RFC 3629: no overlong forms, no
// surrogates, nothing above U+10FFFF), or 0 when it does not start with one.
std::size_t sequenceLength(std::string_view s, char32_t& code)
{
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(s[i]); };
    const std::uint8_t lead = byte(0);
    std::size_t length = 0;
    char32_t min = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
        min = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
        min = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
        min = 0x10000;
    } else {
        return 0;
    }
    if (s.size() < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (byte(i) & 0x3F);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

void appendEscaped(std::string& out, std::uint8_t b)
{
    static const char kHex[] = "0123456789ABCDEF";
    out += "\\x";
    out += kHex[b >> 4];
    out += kHex[b & 0x0F];
}

} // namespace

std::string escapedText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        const auto b = static_cast<std::uint8_t>(text.front());
        if (b < 0x80) {
            if (b < 0x20 || b == 0x7F)
                appendEscaped(out, b);
            else
                out += static_cast<char>(b);
            text.remove_prefix(1);
            continue;
        }
        char32_t code = 0;
        std::size_t length = sequenceLength(text, code);
        const bool c1 = length > 0 && code <= 0x9F;
        if (length == 0 || c1) {
            for (std::size_t i = 0; i < (c1 ? length : 1); ++i)
                appendEscaped(out, static_cast<std::uint8_t>(text[i]));
            length = c1 ? length : 1;
        } else {
            out.append(text.substr(0, length));
        }
        text.remove_prefix(length);
    }
    return out;
}

std::string quotedText(std::string_view text)
{
    return "\"" + escapedText(text) + "\"";
}

} // namespace orvo
