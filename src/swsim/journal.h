#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorrix::engine {
class FileSystem;
}

namespace quorrix::swsim {

// The object of journal entries that are notes, not calls; the note is the member.
inline constexpr const char* kNoteObject = "Note";

// One member call as the stand-in saw it.
struct JournalEntry {
    std::string object; // "SldWorks", "Document", "Sheet", "View", "PageSetup", ...
    std::string target; // which one: document title, sheet name; empty for the application
    std::string member;
    std::vector<std::string> args; // formatted as the journal shows them
    std::string result; // formatted result; "raised N" for an automation error

    // Object[target].Member(arg, arg) -> result
    std::string line() const;
};

// Every call made to the stand-in, in order; optionally also written to a file, one line
// per call, so an end-to-end check can read what a separate program did.
class Journal {
public:
    explicit Journal(engine::FileSystem& files);

    void setFilePath(std::string path) { m_filePath = std::move(path); }
    // Keeping every call in memory is for tests that look at entries(); a program run goes
    // over tens of thousands of documents and only streams the calls to its file, holding
    // just the calls that have not finished yet.
    void setRecording(bool recording) { m_recording = recording; }
    std::size_t add(JournalEntry entry);
    // Completes an entry; the file line is written then.
    void finish(std::size_t index, std::string result);
    // Notes that are not calls (what the stand-in did instead of what was asked).
    void note(std::string text);

    const std::vector<JournalEntry>& entries() const { return m_entries; }
    std::vector<JournalEntry> calls(std::string_view member) const;
    void clear() { m_entries.clear(); }

private:
    engine::FileSystem& m_files;
    std::string m_filePath;
    std::vector<JournalEntry> m_entries;
    // Unfinished calls while only streaming, by the number add() gave them; calls nest
    // (a call's faults may note), so there can be more than one.
    std::vector<std::pair<std::size_t, JournalEntry>> m_open;
    std::size_t m_streamed = 0;
    bool m_recording = true;
};

// Argument and result texts: strings quoted, Booleans True/False, numbers as C reads them.
std::string journalText(const std::string& value);
std::string journalText(const char* value);
std::string journalText(bool value);
std::string journalText(std::int32_t value);
std::string journalText(std::int16_t value);
std::string journalText(double value);
std::string journalText(const std::vector<std::string>& values);

} // namespace quorrix::swsim
