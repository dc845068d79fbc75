#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "engine/settings/settings.h"

namespace quorrix::engine {

enum class FieldType { Flag, Int, Long, Double, String };

using FieldRef = std::variant<std::int16_t*, std::int32_t*, double*, std::string*>;
using FieldAccessor = FieldRef (*)(Settings&, std::size_t slot);

// One stored setting: its value name, type and default, and the field of the record it
// belongs to. The list of them, in the order of the registry, is the one place that says
// what is stored; defaults, the registry and the settings files all work from it.
struct SettingDefinition {
    std::string name;
    FieldType type = FieldType::Int;
    FieldAccessor field = nullptr; // written from here
    FieldAccessor readInto = nullptr; // read into here (the legacy filter texts land in set 0)
    std::size_t slot = 0;
    std::variant<std::int32_t, double, std::string> defaultValue;
    bool hasRange = false; // an index into a table: outside it keeps what the field holds
    std::int32_t minimum = 0;
    std::int32_t maximum = 0;
    bool tolerantFlag = false; // "Wahr"/"Falsch" and unknown texts accepted in the registry
    bool readAsInt16 = false; // a 32-bit field read through a 16-bit conversion
};

// Every stored setting in registry order.
const std::vector<SettingDefinition>& settingsSchema();
const SettingDefinition* findSetting(std::string_view valueName);

enum class KeyMode { ReadWrite, WriteOnly, ReadOnly };

// One key of a settings file: the section, the key and the setting it carries.
struct SettingsFileKey {
    std::string section;
    std::string key;
    const SettingDefinition* setting = nullptr;
    KeyMode mode = KeyMode::ReadWrite;
};

// The keys of a settings file in the order they are written and read.
const std::vector<SettingsFileKey>& settingsFileLayout();

// Every field at its default, the session-only fields cleared.
Settings defaultSettings();

// The stored text of a setting: flags "-1"/"0", numbers in decimal, doubles in the user's
// format with the given separator, strings as they are.
std::string settingText(
    const SettingDefinition& definition, const Settings& settings, char decimalSeparator);
// The text of the field a read of the setting goes into.
std::string readTargetText(
    const SettingDefinition& definition, const Settings& settings, char decimalSeparator);

enum class TextSource { Registry, SettingsFile };

// Converts a stored text to the setting's type and stores it; false, with the field left
// as it was, when the text does not convert or an index lies outside its table.
bool assignSetting(const SettingDefinition& definition, Settings& settings, std::string_view text,
    char decimalSeparator, TextSource source);

} // namespace quorrix::engine
