#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "engine/platform/key_value_store.h"
#include "engine/settings/settings.h"

namespace quorrix::engine {

class MessageBoxPort;
class RegionalFormat;

// The program's key in the current user's store.
inline constexpr const char* kProgramKey = "SOFTWARE\\Velmora\\QUORRIX";

// Registry value types by their Windows numbers.
enum class RegistryType : std::uint32_t { String = 1, Binary = 3, Dword = 4 };

// What a registry read gives: nothing, text, bytes or a 32-bit number.
using RegistryValue
    = std::variant<std::monostate, std::string, std::vector<std::uint8_t>, std::int32_t>;

// Reading and writing of single registry values and of the whole settings record. Errors
// of the store are shown as a message box titled with the operation's name, and the
// program carries on.
class Registry {
public:
    // programKey: where the settings live; tests point it elsewhere.
    Registry(KeyValueStore& store, MessageBoxPort& messages, const RegionalFormat& regional,
        std::string programKey = kProgramKey);

    // Text (cut at its first NUL), bytes or number; nothing when the key or value is
    // missing, has another type, or cannot be read.
    RegistryValue RegistryGetKeyValue(
        StoreRoot root, const std::string& keyPath, const std::string& valueName);
    // Creates the key when missing and writes the value as the given type; false when the
    // value cannot be written (the user has been told why).
    bool RegistrySetKeyValue(StoreRoot root, const std::string& keyPath,
        const std::string& valueName, const RegistryValue& value, RegistryType type);

    // Overwrites the fields that are stored and convert; the rest keep what they hold.
    void LoadRegistrySettings(Settings& settings);
    // Writes every setting as text in one update of the store; false when that failed.
    bool SaveRegistrySettings(const Settings& settings);

    void LoadProcessedCounters(UsageCounters& counters);
    bool SaveProcessedCounters(const UsageCounters& counters);

private:
    void showError(const std::string& operation, long number, const std::string& description);

    KeyValueStore& m_store;
    MessageBoxPort& m_messages;
    const RegionalFormat& m_regional;
    std::string m_programKey;
};

// The message text of a trapped error: "Error: " + number + ". " + description.
std::string errorText(long number, const std::string& description);

} // namespace quorrix::engine
