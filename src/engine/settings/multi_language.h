#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/platform/ini_document.h"
#include "engine/platform/ini_file.h"
#include "engine/settings/language_control.h"

namespace quorrix::engine {

class FileSystem;
class MessageBoxPort;

// The texts of the user interface: translates windows from the language file, gives the
// numbered info texts, and offers INI access to other files (settings files). One instance
// lives as long as the program and serves every window.
class clsMultiLanguage {
public:
    clsMultiLanguage(FileSystem& files, MessageBoxPort& messages);

    std::int16_t INIGetSettingInteger(const std::string& section, const std::string& key,
        const std::string& fileName, std::int16_t defaultValue);
    std::string INIGetSettingString(const std::string& section, const std::string& key,
        const std::string& fileName, const std::string& defaultValue);
    bool INIWriteSetting(const std::string& section, const std::string& key,
        const std::string& value, const std::string& fileName);
    // Writes all entries with one read and one write of the file, with the same result as
    // writing them one by one; with startText the file starts over with that text.
    bool INIWriteSettings(const std::vector<IniEntry>& entries, const std::string& fileName,
        const std::optional<std::string>& startText = std::nullopt);

    // True when the file can be read (a missing file reads as empty); otherwise the user is
    // told once why not.
    bool INIReadable(const std::string& fileName);

    // A normal file (not a folder, not hidden or system) by this name; a name with wildcards
    // counts when any file matches.
    bool FileExists(const std::string& fileName);

    const std::string& IniFile() const { return m_iniFile; }
    // Takes the file when it exists, otherwise no file.
    void IniFile(const std::string& path);

    void GetAllControlText(LanguageForm& form);
    void GetControlText(LanguageForm& form, LanguageControl& control);
    std::string GetInfoText(std::int32_t number);
    void SetAllControlText(LanguageForm& form);
    void SetControlText(LanguageForm& form, LanguageControl& control);
    void SetNewIniFile(const std::string& fileName) { m_newIniFile = fileName; }

private:
    void showError(const std::string& operation, long number, const std::string& description);
    std::string read(
        const std::string& section, const std::string& key, const std::string& defaultValue);
    static std::vector<IniEntry> controlEntries(LanguageForm& form, LanguageControl& control);

    FileSystem& m_files;
    MessageBoxPort& m_messages;
    engine::IniFile m_ini;
    std::string m_iniFile;
    std::string m_newIniFile;
};

// Matches a file name against a pattern with "*" and "?", without regard to case.
bool matchesWildcard(std::string_view name, std::string_view pattern);

} // namespace quorrix::engine
