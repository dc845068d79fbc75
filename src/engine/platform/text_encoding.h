#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quorrix::engine {

bool isValidUtf8(std::string_view bytes);

std::string windows1252ToUtf8(std::string_view bytes);

// Why a line of a text file cannot be used.
enum class LineFault {
    None,
    // A NUL or another control character (tab aside): no path, name or text of the program
    // holds one, so the line is damaged or not text at all.
    ControlCharacter,
    // Neither UTF-8 nor Windows-1252: bytes that code page leaves undefined.
    Undecodable,
};

// One line of a text file. Each line is decoded on its own: UTF-8 when its bytes are valid
// UTF-8, else Windows-1252 (older tools wrote the ANSI code page), so one line in another
// encoding cannot change how the others read.
struct TextLine {
    std::size_t number = 0; // 1 for the first line
    std::string text; // UTF-8; for a faulty line only good enough to show
    // The bytes as the file holds them, when they differ from text (a Windows-1252 line or a
    // faulty one); empty otherwise. Writing these back keeps the line as it was read.
    std::string original;
    LineFault fault = LineFault::None;

    const std::string& bytes() const { return original.empty() ? text : original; }
};

TextLine decodeTextLine(std::string_view bytes, std::size_t number = 0);

// The lines of a file's bytes. Lines end at CR LF, LF or CR; a line end after the last line
// opens no further line; a leading UTF-8 byte-order mark is skipped.
std::vector<TextLine> readTextLines(std::string_view bytes);

// The bytes of a file made of lines as they were read: readTextLines skips one leading
// byte-order mark, so a first line that itself begins with one gets another in front and
// reads back unchanged.
std::string keepLeadingByteOrderMark(std::string bytes);

// True when the text holds a NUL or another control character except tab.
bool holdsControlCharacter(std::string_view text);

// Where and why a line could not be used.
struct LineProblem {
    std::size_t number = 0;
    LineFault fault = LineFault::None;
    bool operator==(const LineProblem&) const = default;
};

} // namespace quorrix::engine
