#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/platform/text_encoding.h"

namespace quorrix::engine {

struct IniEntry {
    std::string section;
    std::string key;
    std::string value;
};

// The text of an INI file with the rules of the Windows profile-string functions: section
// and key names compare without regard to case; blanks around keys and values are dropped;
// one pair of enclosing double or single quotes is removed from a value; the first matching
// section and key win. Writing replaces the first matching key, or appends the key at the
// end of its section, or appends a new section at the end. Every line that is not a section
// header or a key (comments, lines before the first section, junk) is kept as it is.
// Values are read whole, whatever their length.
//
// Pure over bytes, so it can be fed anything. Each line is decoded on its own (see
// TextLine); a line that cannot be used is ignored for reading, listed by problems() and
// kept as it was. A damaged section header still ends the section before it, so the keys
// after it cannot slip into the wrong section.
class IniDocument {
public:
    static IniDocument parse(std::string_view bytes);
    // The lines joined with CR LF, a line break after the last one. Lines that were not
    // changed keep the bytes they were read with; new and changed lines are UTF-8.
    std::string serialize() const;

    // The lines of the text parse() was given that cannot be used, in file order.
    std::vector<LineProblem> problems() const;
    // The line number the value of get() comes from; nothing for a key not read from text.
    std::optional<std::size_t> lineNumber(std::string_view section, std::string_view key) const;

    std::optional<std::string> get(std::string_view section, std::string_view key) const;
    void set(std::string_view section, std::string_view key, std::string_view value);
    // Removes the first matching key; false when there was none.
    bool removeKey(std::string_view section, std::string_view key);
    // Removes the first matching section with its lines.
    bool removeSection(std::string_view section);

    bool hasSection(std::string_view section) const;
    std::vector<std::string> sectionNames() const;
    // The keys of the first matching section in file order, values as get() returns them.
    std::vector<std::pair<std::string, std::string>> sectionEntries(std::string_view section) const;

    // How a value is written so that get() returns it unchanged: quoted when it has blanks
    // at either end or is itself enclosed in quotes. Line breaks and other control
    // characters cannot live in an INI line and become blanks.
    static std::string encodeValue(std::string_view value);
    static std::string decodeValue(std::string_view raw);

private:
    enum class Kind { Other, Section, Entry };
    struct Line {
        std::string text; // as in the file
        Kind kind = Kind::Other;
        std::string folded; // lower-case section name or key for comparisons
        std::size_t valueStart = 0; // Entry: start of the trimmed value in text
        std::string original; // the bytes read, when they differ from text
        std::size_t number = 0; // line number in the text read; 0 for a line set later
        LineFault fault = LineFault::None; // a faulty section header matches no name
    };
    struct Range {
        std::size_t header; // index of the section line
        std::size_t end; // one past its last line
    };

    static Line classify(std::string text);
    static Line classify(TextLine line);
    std::optional<Range> findSection(std::string_view section) const;
    std::optional<std::size_t> findKey(const Range& range, std::string_view key) const;

    std::vector<Line> m_lines;
};

// ASCII case folding, the comparison used for section and key names.
std::string foldCase(std::string_view text);
bool equalsIgnoringCase(std::string_view a, std::string_view b);

} // namespace quorrix::engine
