#pragma once

#include <string>

namespace quorrix::engine {

// Percent-encodes the UTF-8 bytes of a text for a link: everything but letters, digits and
// "-._~" becomes %XX, so "&", "?", "#", "%", blanks and line breaks cannot end a field.
inline std::string percentEncode(const std::string& text)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        const bool unreserved = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')
            || (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' || c == '~';
        if (unreserved) {
            out += ch;
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 0x0F];
        }
    }
    return out;
}

} // namespace quorrix::engine
