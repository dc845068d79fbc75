#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace quorrix::engine {
class FileSystem;
}

namespace quorrix::swsim {

// User preferences by family and id.
struct Preferences {
    std::map<std::int32_t, std::int32_t> integers;
    std::map<std::int32_t, double> doubles;
    std::map<std::int32_t, bool> toggles;
    std::map<std::int32_t, std::string> stringLists;
    bool operator==(const Preferences&) const = default;
};

// SolidWorks-like defaults: printer line weights 48-55, TIFF integers 6-11, toggle 28,
// TIFF user paper doubles 8 and 9, the eDrawings toggles 160, 212, 218, 221.
Preferences defaultPreferences();

// What survives ExitApp and a new connect in the same process, as an installed
// SolidWorks keeps its settings.
struct Installation {
    bool installed = true;
    std::string revision = "30.0.0";
    std::vector<std::string> versions { "" }; // registered ProgID suffixes; "" unnumbered
    Preferences preferences = defaultPreferences();
    std::string activePrinter;
    bool eDrawingsProfessional = false;

    // Faults of the whole installation.
    // Preference sets that return false: "Integer.9", "Double.9", "Toggle.28",
    // "StringList.1", or a bare id ("9") for every family.
    std::set<std::string> refusedPreferences;
    int crashAfterOpens = -1; // from the N+1-th OpenDoc2 on every call raises; -1 never
    std::set<std::string> raise; // members that always raise an automation error
    std::set<std::string> raiseOnce; // members that raise the first time they are called
    std::map<std::string, int> delayMilliseconds; // time spent in a member
    bool cannotBeEnded = false; // the program's attempts to end this SolidWorks fail
    // Calls a new instance refuses as busy before it answers; only the automation server
    // can refuse a call, the in-process stand-in answers at once.
    int busyCalls = 0;

    std::string spoolPath; // one JSON line per PrintOut2; empty: no spool file
    std::string journalPath; // one line per call; empty: no journal file
    bool operator==(const Installation&) const = default;
};

// The configuration file's path: QUORRIX_SWSIM_CONFIG when set, else swsim.ini in the
// given per-user configuration folder.
std::string simulatorConfigPath(const std::string& userConfigFolder);
// The same rule with the variable's value handed in (null when it is not set).
std::string simulatorConfigPath(const std::string& userConfigFolder, const char* environmentValue);

// The installation a configuration file describes; a missing file or key keeps the
// defaults. defaultSpoolPath is used when the file names no spool file; relative spool and
// journal paths are taken from the configuration file's folder. A file that exists but
// cannot be read throws PlatformError, as the FileSystem port does.
Installation loadInstallation(
    engine::FileSystem& files, const std::string& configPath, const std::string& defaultSpoolPath);

} // namespace quorrix::swsim
