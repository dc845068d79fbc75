#include "engine/settings/settings_file.h"

#include <cstdio>

#include "engine/platform/message_box_port.h"
#include "engine/platform/regional_format.h"
#include "engine/settings/multi_language.h"
#include "engine/settings/settings_schema.h"

namespace quorrix::engine {

namespace {

constexpr int kInfoFileMissing = 101;
constexpr int kInfoFileMissingTitle = 86;

std::vector<IniEntry> entriesOf(const Settings& settings, char separator)
{
    std::vector<IniEntry> entries;
    for (const SettingsFileKey& key : settingsFileLayout()) {
        if (key.mode != KeyMode::ReadOnly)
            entries.push_back(
                { key.section, key.key, settingText(*key.setting, settings, separator) });
    }
    return entries;
}

} // namespace

std::string SettingsFileHeader(const LocalDateTime& now)
{
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%02d.%02d.%04d %02d:%02d:%02d", now.day, now.month,
        now.year, now.hour, now.minute, now.second);
    return std::string("QRX Printer configuration file\r\ngenerated on ") + stamp + "\r\n";
}

SettingsFiles::SettingsFiles(
    clsMultiLanguage& texts, MessageBoxPort& messages, const RegionalFormat& regional)
    : m_texts(texts)
    , m_messages(messages)
    , m_regional(regional)
{
}

bool SettingsFiles::SaveSettingsFile(const std::string& fileName, const Settings& settings)
{
    return m_texts.INIWriteSettings(entriesOf(settings, m_regional.decimalSeparator()), fileName);
}

bool SettingsFiles::SaveNewSettingsFile(
    const std::string& fileName, const Settings& settings, const LocalDateTime& now)
{
    return m_texts.INIWriteSettings(
        entriesOf(settings, m_regional.decimalSeparator()), fileName, SettingsFileHeader(now));
}

void SettingsFiles::LoadSettingsFile(
    const std::string& fileName, bool skipMultiJob, Settings& settings)
{
    if (!m_texts.FileExists(fileName)) {
        m_messages.show(m_texts.GetInfoText(kInfoFileMissing),
            m_texts.GetInfoText(kInfoFileMissingTitle), MessageIcon::Exclamation,
            MessageButtons::Ok);
        return;
    }
    // A file that cannot be read says so once, not once for every key.
    if (!m_texts.INIReadable(fileName))
        return;
    const char separator = m_regional.decimalSeparator();
    for (const SettingsFileKey& key : settingsFileLayout()) {
        if (key.mode == KeyMode::WriteOnly)
            continue;
        if (skipMultiJob && key.section == "MultiJob")
            break; // the multi-job section comes last
        // A key the file lacks reads as the field's current value and so changes nothing.
        const std::string current = readTargetText(*key.setting, settings, separator);
        const std::string text
            = m_texts.INIGetSettingString(key.section, key.key, fileName, current);
        assignSetting(*key.setting, settings, text, separator, TextSource::SettingsFile);
        if (key.key == "FilterNameIndex")
            settings.selectActiveFilter();
    }
}

} // namespace quorrix::engine
