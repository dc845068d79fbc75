#include "swsim/journal.h"

#include "engine/platform/file_system.h"
#include "engine/platform/number_text.h"
#include "engine/platform/platform_error.h"

namespace quorrix::swsim {

std::string JournalEntry::line() const
{
    if (object == kNoteObject)
        return object + ": " + member;
    std::string text = object;
    if (!target.empty())
        text += "[" + target + "]";
    text += "." + member + "(";
    for (std::size_t i = 0; i < args.size(); ++i)
        text += (i ? ", " : "") + args[i];
    text += ")";
    if (!result.empty())
        text += " -> " + result;
    return text;
}

Journal::Journal(engine::FileSystem& files)
    : m_files(files)
{
}

std::size_t Journal::add(JournalEntry entry)
{
    if (!m_recording && m_filePath.empty())
        return static_cast<std::size_t>(-1);
    m_entries.push_back(std::move(entry));
    return m_entries.size() - 1;
}

void Journal::finish(std::size_t index, std::string result)
{
    if (index >= m_entries.size())
        return; // cleared by a test in the meantime
    m_entries[index].result = std::move(result);
    if (m_filePath.empty())
        return;
    try {
        m_files.appendBytes(m_filePath, m_entries[index].line() + "\n");
    } catch (const engine::PlatformError&) {
        // A journal that cannot be written must not change what the program sees.
        m_filePath.clear();
    }
}

void Journal::note(std::string text)
{
    finish(add({ kNoteObject, "", std::move(text), {}, {} }), {});
}

std::vector<JournalEntry> Journal::calls(std::string_view member) const
{
    std::vector<JournalEntry> found;
    for (const JournalEntry& entry : m_entries) {
        if (entry.member == member)
            found.push_back(entry);
    }
    return found;
}

std::string journalText(const std::string& value)
{
    // Quotes are doubled and line feeds written as \n so a call stays on one line; Windows
    // paths keep their backslashes as they are.
    std::string text = "\"";
    for (char c : value) {
        if (c == '"')
            text += '"';
        if (c == '\n') {
            text += "\\n";
            continue;
        }
        text += c;
    }
    return text + "\"";
}

std::string journalText(const char* value)
{
    return journalText(std::string(value));
}
std::string journalText(bool value)
{
    return value ? "True" : "False";
}
std::string journalText(std::int32_t value)
{
    return std::to_string(value);
}
std::string journalText(std::int16_t value)
{
    return std::to_string(value);
}
std::string journalText(double value)
{
    return engine::formatDouble(value, '.');
}

std::string journalText(const std::vector<std::string>& values)
{
    std::string text = "{";
    for (std::size_t i = 0; i < values.size(); ++i)
        text += (i ? ", " : "") + journalText(values[i]);
    return text + "}";
}

} // namespace quorrix::swsim
