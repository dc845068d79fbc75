#pragma once

#include <string>

#include "engine/platform/clock.h"
#include "engine/settings/settings.h"

namespace quorrix::engine {

class clsMultiLanguage;
class MessageBoxPort;
class RegionalFormat;

// Settings files: most of the settings record as an INI file the user can keep, share and
// load again, and that a multi-job switches between its jobs.
class SettingsFiles {
public:
    SettingsFiles(
        clsMultiLanguage& texts, MessageBoxPort& messages, const RegionalFormat& regional);

    // Writes every section and key into the file in one go, replacing the values of keys that
    // exist and keeping everything else the file holds. False when the file could not be
    // written (the user has been told).
    bool SaveSettingsFile(const std::string& fileName, const Settings& settings);
    // What the save command writes: the two header lines, then every setting; a file that
    // was there before is replaced as a whole, and only once the new content is complete.
    bool SaveNewSettingsFile(
        const std::string& fileName, const Settings& settings, const LocalDateTime& now);
    // Reads the keys the file has into the record; keys that are missing or do not convert
    // leave their fields alone. With skipMultiJob the multi-job slots are not touched. A
    // missing or unreadable file is reported once and changes nothing.
    void LoadSettingsFile(const std::string& fileName, bool skipMultiJob, Settings& settings);

private:
    clsMultiLanguage& m_texts;
    MessageBoxPort& m_messages;
    const RegionalFormat& m_regional;
};

// "QRX Printer configuration file" and "generated on dd.mm.yyyy hh:mm:ss", each with CR LF.
std::string SettingsFileHeader(const LocalDateTime& now);

// The multi-job's copy of the settings: this stem, a name of its own per run, ".qrxcfg".
inline constexpr const char* kTempSettingsFileStem = "quorrix_tempsettings";

} // namespace quorrix::engine
