#include "engine/settings/registry.h"

#include "engine/platform/message_box_port.h"
#include "engine/platform/number_text.h"
#include "engine/platform/platform_error.h"
#include "engine/platform/regional_format.h"
#include "engine/settings/settings_schema.h"

namespace quorrix::engine {

namespace {

// Run-time error numbers the program reports for values it cannot convert.
constexpr long kTypeMismatch = 13;

std::string cutAtNul(const std::string& text)
{
    return text.substr(0, text.find('\0'));
}

// The text a stored value stands for; nothing for bytes and unknown types, which no
// setting holds.
std::optional<std::string> textOf(const RegistryValue& value)
{
    if (const auto* text = std::get_if<std::string>(&value))
        return *text;
    if (const auto* number = std::get_if<std::int32_t>(&value))
        return std::to_string(*number);
    return std::nullopt;
}

RegistryValue fromStored(const StoredValue& stored)
{
    if (stored.isText())
        return cutAtNul(stored.asText());
    if (stored.isBytes())
        return stored.asBytes();
    if (stored.isDword())
        return static_cast<std::int32_t>(stored.asDword());
    return std::monostate {};
}

} // namespace

std::string errorText(long number, const std::string& description)
{
    return "Error: " + std::to_string(number) + ". " + description;
}

Registry::Registry(KeyValueStore& store, MessageBoxPort& messages, const RegionalFormat& regional,
    std::string programKey)
    : m_store(store)
    , m_messages(messages)
    , m_regional(regional)
    , m_programKey(std::move(programKey))
{
}

void Registry::showError(const std::string& operation, long number, const std::string& description)
{
    m_messages.show(
        errorText(number, description), operation, MessageIcon::Critical, MessageButtons::Ok);
}

RegistryValue Registry::RegistryGetKeyValue(
    StoreRoot root, const std::string& keyPath, const std::string& valueName)
{
    try {
        const auto stored = m_store.read(root, keyPath, valueName);
        return stored ? fromStored(*stored) : RegistryValue {};
    } catch (const PlatformError& e) {
        showError("RegistryGetKeyValue", e.number(), e.description());
        return {};
    }
}

bool Registry::RegistrySetKeyValue(StoreRoot root, const std::string& keyPath,
    const std::string& valueName, const RegistryValue& value, RegistryType type)
{
    std::optional<StoredValue> stored;
    switch (type) {
    case RegistryType::String:
        if (const auto text = textOf(value))
            stored = StoredValue::text(cutAtNul(*text));
        break;
    case RegistryType::Binary:
        if (const auto* bytes = std::get_if<std::vector<std::uint8_t>>(&value))
            stored = StoredValue::bytes(*bytes);
        else if (const auto* text = std::get_if<std::string>(&value))
            stored = StoredValue::bytes({ text->begin(), text->end() });
        break;
    case RegistryType::Dword:
        if (const auto* number = std::get_if<std::int32_t>(&value))
            stored = StoredValue::dword(static_cast<std::uint32_t>(*number));
        else if (const auto* text = std::get_if<std::string>(&value))
            if (const auto parsed = parseInt32(*text, m_regional.decimalSeparator()))
                stored = StoredValue::dword(static_cast<std::uint32_t>(*parsed));
        break;
    default:
        return false; // a type the program never writes
    }
    if (!stored) {
        showError("RegistrySetKeyValue", kTypeMismatch, "Type mismatch");
        return false;
    }
    try {
        m_store.write(root, keyPath, valueName, *stored);
        return true;
    } catch (const PlatformError& e) {
        showError("RegistrySetKeyValue", e.number(), e.description());
        return false;
    }
}

void Registry::LoadRegistrySettings(Settings& settings)
{
    const char separator = m_regional.decimalSeparator();
    bool reported = false;
    for (const SettingDefinition& definition : settingsSchema()) {
        std::optional<StoredValue> stored;
        try {
            stored = m_store.read(StoreRoot::CurrentUser, m_programKey, definition.name);
        } catch (const PlatformError& e) {
            // A store that fails once usually fails for every value: say it once.
            if (!reported)
                showError("RegistryGetKeyValue", e.number(), e.description());
            reported = true;
            continue;
        }
        if (!stored)
            continue;
        if (const auto text = textOf(fromStored(*stored)))
            assignSetting(definition, settings, *text, separator, TextSource::Registry);
    }
    settings.selectActiveFilter();
}

bool Registry::SaveRegistrySettings(const Settings& settings)
{
    const char separator = m_regional.decimalSeparator();
    try {
        StoreBatch batch(m_store);
        for (const SettingDefinition& definition : settingsSchema()) {
            m_store.write(StoreRoot::CurrentUser, m_programKey, definition.name,
                StoredValue::text(cutAtNul(settingText(definition, settings, separator))));
        }
        batch.finish();
        return true;
    } catch (const PlatformError& e) {
        // Stop at the first failure: the rest would fail the same way, and one message
        // says it all.
        showError("RegistrySetKeyValue", e.number(), e.description());
        return false;
    }
}

void Registry::LoadProcessedCounters(UsageCounters& counters)
{
    counters = UsageCounters {};
    const char separator = m_regional.decimalSeparator();
    const auto load = [&](const char* name, std::int32_t& field) {
        if (const auto text
            = textOf(RegistryGetKeyValue(StoreRoot::CurrentUser, m_programKey, name))) {
            if (const auto value = parseInt32(*text, separator))
                field = *value;
        }
    };
    load("ProcessedDrawings", counters.ProcessedDrawings);
    load("ProcessedSheets", counters.ProcessedSheets);
}

bool Registry::SaveProcessedCounters(const UsageCounters& counters)
{
    return RegistrySetKeyValue(StoreRoot::CurrentUser, m_programKey, "ProcessedDrawings",
               std::to_string(counters.ProcessedDrawings), RegistryType::String)
        && RegistrySetKeyValue(StoreRoot::CurrentUser, m_programKey, "ProcessedSheets",
            std::to_string(counters.ProcessedSheets), RegistryType::String);
}

} // namespace quorrix::engine
