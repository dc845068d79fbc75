#pragma once

#include <cstdint>
#include <string>

#include "engine/platform/clock.h"
#include "engine/settings/settings.h"

namespace quorrix::engine {

struct ActionContext;
class FileSystem;

// Replaces path by its last component (after the last folder separator) and returns that
// component without its extension. On Windows both "\" and "/" separate folders.
std::string GetNamePart(std::string& path);

// The folder part of a document path, up to and including the last separator.
std::string documentFolder(const std::string& documentPath);

// True when the folder exists; any failure of the test counts as missing.
bool DirExists(FileSystem& files, const std::string& folder);

// Replaces ":d", ":m", ":y", ":h", ":n", ":s" (case-sensitive, every occurrence, in this
// order) by the two-digit day, month, four-digit year, hour, minute, second of now.
std::string ExpandDateTokens(const std::string& text, const LocalDateTime& now);

// The base name with the active pre/postfix set applied, when PrePostUseit is set.
std::string ApplyPrePostfix(
    const Settings& settings, const std::string& base, const LocalDateTime& now);

// An output file name made from titles, sheet names, prefixes and postfixes, made safe to
// write into its folder and the same on every platform, so a list run on Windows and on
// Linux gives the same names: folder separators, the characters Windows forbids
// (<>:"/\|?*) and control characters become "_", and so do dots and blanks at the end
// (Windows drops them, and a name of dots alone names a folder); a reserved device name
// (CON, PRN, AUX, NUL, COM0-9, LPT0-9, CONIN$, CONOUT$ in any case, before the first dot)
// gets "_" in front.
std::string safeFileName(const std::string& name);

// Where an action's file goes: the document's folder when saveInDocumentFolder is 1, else
// the configured folder with one separator added when it exists; else the error line with
// info text missingFolderInfo and the document's folder.
std::string outputFolder(ActionContext& context, std::int16_t saveInDocumentFolder,
    const std::string& configuredFolder, const std::string& documentPath, std::string& errorText,
    const std::string& fileName, std::int32_t missingFolderInfo);

// The pre/postfix dialog's working copy of the ten sets.
class PrePostWorkingCopy {
public:
    explicit PrePostWorkingCopy(const Settings& settings);

    int current() const { return m_current; }
    const std::string& prefix() const;
    const std::string& postfix() const;
    bool ignoreName() const;
    bool useIt() const { return m_useIt; }

    // The dialog's fields of the current set.
    void setFields(const std::string& prefix, const std::string& postfix, bool ignoreName);
    void setUseIt(bool useIt) { m_useIt = useIt; }
    // Another option button: the current fields stay in the copy, the clicked set becomes
    // current.
    void select(int index);
    // OK: the sets, the index and the switch go into the settings.
    void store(Settings& settings) const;

private:
    std::array<std::string, kPrePostSets> m_prefix;
    std::array<std::string, kPrePostSets> m_postfix;
    std::array<std::int16_t, kPrePostSets> m_ignore {};
    int m_current = 0;
    bool m_useIt = false;
};

} // namespace quorrix::engine
