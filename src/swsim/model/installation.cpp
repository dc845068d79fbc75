#include "swsim/model/installation.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <optional>
#include <string_view>

#include "engine/platform/file_system.h"
#include "engine/platform/ini_document.h"
#include "engine/platform/path_text.h"
#include "engine/platform/platform_error.h"
#include "swsim/model/value_text.h"

namespace quorrix::swsim {

namespace {

using engine::IniDocument;

constexpr std::string_view kInstallationSection = "Installation";
constexpr std::string_view kPreferencesSection = "Preferences";
constexpr std::string_view kFilesSection = "Files";
constexpr std::string_view kFaultsSection = "Faults";
constexpr const char* kConfigVariable = "QUORRIX_SWSIM_CONFIG";
constexpr const char* kConfigFileName = "swsim.ini";

// Printer line weights thin to thick(6), in metres: the ISO pen series SolidWorks ships.
constexpr double kLineWeights[]
    = { 0.00018, 0.00025, 0.00035, 0.0005, 0.0007, 0.001, 0.0014, 0.002 };
constexpr std::int32_t kFirstLineWeight = 48;

// "Spool=spool.jsonl" beside swsim.ini, not wherever the program happens to be started.
std::string besideConfig(const std::string& configPath, const std::string& path)
{
    const std::filesystem::path given = engine::pathFromUtf8(path);
    if (path.empty() || given.has_root_name() || given.has_root_directory())
        return path;
    const std::filesystem::path folder = engine::pathFromUtf8(configPath).parent_path();
    return folder.empty() ? path : engine::utf8FromPath(folder / given);
}

// "30" means the ProgID "SldWorks.Application.30" as much as ".30" does.
std::vector<std::string> parseVersions(std::string_view text)
{
    std::vector<std::string> versions;
    for (std::string entry : splitList(text)) {
        if (!entry.empty() && entry.front() != '.')
            entry.insert(entry.begin(), '.');
        if (std::find(versions.begin(), versions.end(), entry) == versions.end())
            versions.push_back(std::move(entry));
    }
    return versions;
}

void readInstallationSection(const IniDocument& ini, Installation& installation)
{
    const auto value
        = [&ini](std::string_view key) { return readValue(ini, kInstallationSection, key); };
    if (const auto text = value("Installed"))
        installation.installed = readBool(*text).value_or(installation.installed);
    if (const auto text = value("Revision"); text && !text->empty())
        installation.revision = *text;
    if (const auto text = value("Versions"))
        installation.versions = parseVersions(*text);
    if (const auto text = value("EDrawingsProfessional"))
        installation.eDrawingsProfessional
            = readBool(*text).value_or(installation.eDrawingsProfessional);
    if (const auto text = value("ActivePrinter"))
        installation.activePrinter = *text;
}

void readFilesSection(const IniDocument& ini, const std::string& configPath,
    const std::string& defaultSpoolPath, Installation& installation)
{
    const auto spool = readValue(ini, kFilesSection, "Spool");
    installation.spoolPath
        = spool && !spool->empty() ? besideConfig(configPath, *spool) : defaultSpoolPath;
    installation.journalPath
        = besideConfig(configPath, readValue(ini, kFilesSection, "Journal").value_or(""));
}

void readFaultsSection(const IniDocument& ini, Installation& installation)
{
    const auto value = [&ini](std::string_view key) { return readValue(ini, kFaultsSection, key); };
    if (const auto text = value("RefusePreferences")) {
        installation.refusedPreferences.clear();
        for (const std::string& entry : splitList(*text)) {
            if (const auto key = refusedPreferenceKey(entry))
                installation.refusedPreferences.insert(*key);
        }
    }
    if (const auto text = value("CrashAfterOpens")) {
        const auto opens = readInt32(*text);
        if (opens && *opens >= 0)
            installation.crashAfterOpens = *opens;
    }
    if (const auto text = value("Raise"))
        installation.raise = readNameSet(*text);
    if (const auto text = value("RaiseOnce"))
        installation.raiseOnce = readNameSet(*text);
    if (const auto text = value("Delay"))
        installation.delayMilliseconds = readDelays(*text);
    if (const auto text = value("CannotBeEnded"))
        installation.cannotBeEnded = readBool(*text).value_or(installation.cannotBeEnded);
    if (const auto text = value("Busy")) {
        const auto calls = readInt32(*text);
        if (calls && *calls >= 0)
            installation.busyCalls = *calls;
    }
}

} // namespace

Preferences defaultPreferences()
{
    Preferences preferences;
    for (std::size_t i = 0; i < std::size(kLineWeights); ++i)
        preferences.doubles[kFirstLineWeight + static_cast<std::int32_t>(i)] = kLineWeights[i];
    // TIFF capture: print capture, black and white, PackBits, 300 dpi, A3, 100 %, fit to
    // the paper.
    preferences.integers[6] = 1;
    preferences.integers[7] = 0;
    preferences.integers[8] = 2;
    preferences.integers[9] = 300;
    preferences.integers[10] = 8;
    preferences.integers[11] = 100;
    preferences.toggles[28] = true;
    // TIFF user paper height and width, metres like every SolidWorks length (A3 landscape).
    preferences.doubles[8] = 0.297;
    preferences.doubles[9] = 0.42;
    // eDrawings export options.
    preferences.toggles[160] = false;
    preferences.toggles[212] = false;
    preferences.toggles[218] = true;
    preferences.toggles[221] = false;
    preferences.integers[237] = 0;
    return preferences;
}

std::string simulatorConfigPath(const std::string& userConfigFolder)
{
    return simulatorConfigPath(userConfigFolder, std::getenv(kConfigVariable));
}

std::string simulatorConfigPath(const std::string& userConfigFolder, const char* environmentValue)
{
    if (environmentValue && *environmentValue)
        return environmentValue;
    if (userConfigFolder.empty())
        return kConfigFileName;
    const char last = userConfigFolder.back();
    if (last == '/' || last == engine::kPathSeparator)
        return userConfigFolder + kConfigFileName;
    return userConfigFolder + engine::kPathSeparator + kConfigFileName;
}

Installation loadInstallation(
    engine::FileSystem& files, const std::string& configPath, const std::string& defaultSpoolPath)
{
    Installation installation;
    installation.spoolPath = defaultSpoolPath;
    std::optional<std::string> bytes;
    try {
        bytes = files.readBytes(configPath);
    } catch (const engine::PlatformError& error) {
        throw engine::PlatformError(error.number(),
            "the stand-in's configuration " + configPath
                + " cannot be read: " + error.description());
    }
    if (!bytes)
        return installation;
    const IniDocument ini = IniDocument::parse(*bytes);
    readInstallationSection(ini, installation);
    readPreferences(ini, kPreferencesSection, installation.preferences);
    readFilesSection(ini, configPath, defaultSpoolPath, installation);
    readFaultsSection(ini, installation);
    return installation;
}

} // namespace quorrix::swsim
