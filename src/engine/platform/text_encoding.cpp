#include "engine/platform/text_encoding.h"

#include <array>
#include <cstdint>

namespace quorrix::engine {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
// The five bytes Windows-1252 does not define.
constexpr std::string_view kUndefinedBytes = "\x81\x8D\x8F\x90\x9D";

// Code points of bytes 0x80 to 0x9F in Windows-1252. The five bytes the code page leaves
// undefined keep their own value, as Windows itself maps them.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC,
    0x0081,
    0x201A,
    0x0192,
    0x201E,
    0x2026,
    0x2020,
    0x2021,
    0x02C6,
    0x2030,
    0x0160,
    0x2039,
    0x0152,
    0x008D,
    0x017D,
    0x008F,
    0x0090,
    0x2018,
    0x2019,
    0x201C,
    0x201D,
    0x2022,
    0x2013,
    0x2014,
    0x02DC,
    0x2122,
    0x0161,
    0x203A,
    0x0153,
    0x009D,
    0x017E,
    0x0178,
};

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

} // namespace

bool isValidUtf8(std::string_view bytes)
{
    std::size_t i = 0;
    const std::size_t n = bytes.size();
    while (i < n) {
        const auto c = static_cast<std::uint8_t>(bytes[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        char32_t cp = 0;
        char32_t minimum = 0;
        if ((c & 0xE0) == 0xC0) {
            length = 2;
            cp = c & 0x1F;
            minimum = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            length = 3;
            cp = c & 0x0F;
            minimum = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            length = 4;
            cp = c & 0x07;
            minimum = 0x10000;
        } else {
            return false;
        }
        if (i + length > n)
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto cc = static_cast<std::uint8_t>(bytes[i + k]);
            if ((cc & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        // Overlong forms, surrogates and values beyond Unicode are not UTF-8.
        if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

std::string windows1252ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (char ch : bytes) {
        const auto c = static_cast<std::uint8_t>(ch);
        if (c < 0x80)
            out += ch;
        else if (c < 0xA0)
            appendUtf8(out, kHighControls[c - 0x80]);
        else
            appendUtf8(out, c);
    }
    return out;
}

bool holdsControlCharacter(std::string_view text)
{
    for (char ch : text) {
        const auto c = static_cast<std::uint8_t>(ch);
        if (c < 0x20 && c != '\t')
            return true;
    }
    return false;
}

TextLine decodeTextLine(std::string_view bytes, std::size_t number)
{
    TextLine line;
    line.number = number;
    if (isValidUtf8(bytes)) {
        line.text = std::string(bytes);
    } else {
        line.text = windows1252ToUtf8(bytes);
        line.original = std::string(bytes);
        if (bytes.find_first_of(kUndefinedBytes) != std::string_view::npos)
            line.fault = LineFault::Undecodable;
    }
    if (holdsControlCharacter(bytes)) {
        line.fault = LineFault::ControlCharacter;
        line.original = std::string(bytes);
    }
    return line;
}

std::vector<TextLine> readTextLines(std::string_view bytes)
{
    if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom)
        bytes.remove_prefix(kUtf8Bom.size());
    std::vector<TextLine> lines;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = bytes.size();
        lines.push_back(decodeTextLine(bytes.substr(pos, end - pos), lines.size() + 1));
        pos = end + 1;
        if (end < bytes.size() && bytes[end] == '\r' && pos < bytes.size() && bytes[pos] == '\n')
            ++pos;
    }
    return lines;
}

std::string keepLeadingByteOrderMark(std::string bytes)
{
    if (bytes.starts_with(kUtf8Bom))
        bytes.insert(0, kUtf8Bom);
    return bytes;
}

} // namespace quorrix::engine
