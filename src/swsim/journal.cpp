#include "swsim/journal.h"

#include <algorithm>

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

namespace {

// Numbers of streamed calls have the top bit set, so they never meet an index of entries().
constexpr std::size_t kStreamedCall = ~(~std::size_t(0) >> 1);
constexpr std::size_t kNoCall = ~std::size_t(0);

} // namespace

std::size_t Journal::add(JournalEntry entry)
{
    if (m_recording) {
        m_entries.push_back(std::move(entry));
        return m_entries.size() - 1;
    }
    if (m_filePath.empty())
        return kNoCall;
    const std::size_t number = kStreamedCall | m_streamed++;
    m_open.emplace_back(number, std::move(entry));
    return number;
}

void Journal::finish(std::size_t index, std::string result)
{
    JournalEntry* entry = nullptr;
    JournalEntry streamed;
    if ((index & kStreamedCall) == 0) {
        if (index >= m_entries.size())
            return; // cleared by a test in the meantime
        entry = &m_entries[index];
    } else {
        const auto open = std::find_if(m_open.begin(), m_open.end(),
            [index](const auto& call) { return call.first == index; });
        if (open == m_open.end())
            return;
        streamed = std::move(open->second);
        m_open.erase(open);
        entry = &streamed;
    }
    entry->result = std::move(result);
    if (m_filePath.empty())
        return;
    try {
        m_files.appendBytes(m_filePath, entry->line() + "\n");
    } catch (const engine::PlatformError&) {
        // A journal that cannot be written must not change what the program sees.
        m_filePath.clear();
        m_open.clear();
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
