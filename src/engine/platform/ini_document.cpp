#include "engine/platform/ini_document.h"

#include <algorithm>

#include "engine/platform/number_text.h"

namespace quorrix::engine {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::size_t skipBlanks(std::string_view text, std::size_t i)
{
    while (i < text.size() && isBlank(text[i]))
        ++i;
    return i;
}

bool isBlankLine(std::string_view text)
{
    return skipBlanks(text, 0) == text.size();
}

} // namespace

std::string foldCase(std::string_view text)
{
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

IniDocument::Line IniDocument::classify(std::string text)
{
    Line line;
    const std::size_t start = skipBlanks(text, 0);
    if (start < text.size() && text[start] == '[') {
        const std::size_t close = text.find(']', start + 1);
        if (close != std::string::npos) {
            line.kind = Kind::Section;
            line.folded
                = foldCase(trimBlanks(std::string_view(text).substr(start + 1, close - start - 1)));
        }
    } else if (start < text.size() && text[start] != ';') {
        const std::size_t equals = text.find('=', start);
        if (equals != std::string::npos) {
            line.kind = Kind::Entry;
            line.folded
                = foldCase(trimBlanks(std::string_view(text).substr(start, equals - start)));
            line.valueStart = skipBlanks(text, equals + 1);
        }
    }
    line.text = std::move(text);
    return line;
}

IniDocument::Line IniDocument::classify(TextLine read)
{
    Line line = classify(std::move(read.text));
    line.original = std::move(read.original);
    line.number = read.number;
    line.fault = read.fault;
    if (line.fault != LineFault::None && line.kind == Kind::Entry)
        line.kind = Kind::Other;
    return line;
}

IniDocument IniDocument::parse(std::string_view bytes)
{
    IniDocument doc;
    for (TextLine& line : readTextLines(bytes))
        doc.m_lines.push_back(classify(std::move(line)));
    return doc;
}

std::vector<LineProblem> IniDocument::problems() const
{
    std::vector<LineProblem> found;
    for (const Line& line : m_lines) {
        if (line.fault != LineFault::None)
            found.push_back({ line.number, line.fault });
    }
    return found;
}

std::optional<std::size_t> IniDocument::lineNumber(
    std::string_view section, std::string_view key) const
{
    const auto range = findSection(section);
    if (!range)
        return std::nullopt;
    const auto index = findKey(*range, key);
    if (!index || m_lines[*index].number == 0)
        return std::nullopt;
    return m_lines[*index].number;
}

std::string IniDocument::serialize() const
{
    std::size_t size = 0;
    for (const Line& line : m_lines)
        size += std::max(line.text.size(), line.original.size()) + 2;
    std::string out;
    out.reserve(size);
    for (const Line& line : m_lines) {
        out += line.original.empty() ? line.text : line.original;
        out += "\r\n";
    }
    return keepLeadingByteOrderMark(std::move(out));
}

std::string IniDocument::decodeValue(std::string_view raw)
{
    std::string value = trimBlanks(raw);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'')
        && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

std::string IniDocument::encodeValue(std::string_view value)
{
    std::string out(value);
    for (char& c : out) {
        if (holdsControlCharacter(std::string_view(&c, 1)))
            c = ' ';
    }
    const bool blankAtEnds = !out.empty() && (isBlank(out.front()) || isBlank(out.back()));
    const bool quoted = out.size() >= 2 && (out.front() == '"' || out.front() == '\'')
        && out.back() == out.front();
    if (blankAtEnds || quoted)
        return '"' + out + '"';
    return out;
}

std::optional<IniDocument::Range> IniDocument::findSection(std::string_view section) const
{
    const std::string wanted = foldCase(trimBlanks(section));
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i].kind == Kind::Section && m_lines[i].fault == LineFault::None
            && m_lines[i].folded == wanted) {
            std::size_t end = i + 1;
            while (end < m_lines.size() && m_lines[end].kind != Kind::Section)
                ++end;
            return Range { i, end };
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> IniDocument::findKey(const Range& range, std::string_view key) const
{
    const std::string wanted = foldCase(trimBlanks(key));
    for (std::size_t i = range.header + 1; i < range.end; ++i) {
        if (m_lines[i].kind == Kind::Entry && m_lines[i].folded == wanted)
            return i;
    }
    return std::nullopt;
}

std::optional<std::string> IniDocument::get(std::string_view section, std::string_view key) const
{
    const auto range = findSection(section);
    if (!range)
        return std::nullopt;
    const auto index = findKey(*range, key);
    if (!index)
        return std::nullopt;
    const Line& line = m_lines[*index];
    return decodeValue(std::string_view(line.text).substr(line.valueStart));
}

void IniDocument::set(std::string_view section, std::string_view key, std::string_view value)
{
    const std::string encoded = encodeValue(value);
    const auto range = findSection(section);
    if (!range) {
        m_lines.push_back(classify("[" + std::string(section) + "]"));
        m_lines.push_back(classify(std::string(key) + "=" + encoded));
        return;
    }
    if (const auto index = findKey(*range, key)) {
        Line& line = m_lines[*index];
        // Keep the key as the file spells it; only the value changes.
        const std::size_t equals = line.text.find('=');
        line = classify(line.text.substr(0, equals) + "=" + encoded);
        return;
    }
    std::size_t insertAt = range->end;
    while (insertAt > range->header + 1 && isBlankLine(m_lines[insertAt - 1].text))
        --insertAt;
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insertAt),
        classify(std::string(key) + "=" + encoded));
}

bool IniDocument::removeKey(std::string_view section, std::string_view key)
{
    const auto range = findSection(section);
    if (!range)
        return false;
    const auto index = findKey(*range, key);
    if (!index)
        return false;
    m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(*index));
    return true;
}

bool IniDocument::removeSection(std::string_view section)
{
    const auto range = findSection(section);
    if (!range)
        return false;
    m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(range->header),
        m_lines.begin() + static_cast<std::ptrdiff_t>(range->end));
    return true;
}

bool IniDocument::hasSection(std::string_view section) const
{
    return findSection(section).has_value();
}

std::vector<std::string> IniDocument::sectionNames() const
{
    std::vector<std::string> names;
    for (const Line& line : m_lines) {
        if (line.kind != Kind::Section || line.fault != LineFault::None)
            continue;
        const std::size_t open = line.text.find('[');
        const std::size_t close = line.text.find(']', open);
        names.push_back(trimBlanks(std::string_view(line.text).substr(open + 1, close - open - 1)));
    }
    return names;
}

std::vector<std::pair<std::string, std::string>> IniDocument::sectionEntries(
    std::string_view section) const
{
    std::vector<std::pair<std::string, std::string>> entries;
    const auto range = findSection(section);
    if (!range)
        return entries;
    for (std::size_t i = range->header + 1; i < range->end; ++i) {
        const Line& line = m_lines[i];
        if (line.kind != Kind::Entry)
            continue;
        const std::size_t equals = line.text.find('=');
        entries.emplace_back(trimBlanks(std::string_view(line.text).substr(0, equals)),
            decodeValue(std::string_view(line.text).substr(line.valueStart)));
    }
    return entries;
}

} // namespace quorrix::engine
