#include "engine/settings/app_settings_store.h"

namespace quorrix::engine {

namespace {

constexpr StoreRoot kAppSettingsRoot = StoreRoot::CurrentUser;
constexpr const char* kAppSettingsBase = "Software\\VB and VBA Program Settings\\";

} // namespace

std::string appSettingsKeyPath(const std::string& application, const std::string& section)
{
    return kAppSettingsBase + application + "\\" + section;
}

std::vector<AppSetting> getAllSettings(
    KeyValueStore& store, const std::string& application, const std::string& section)
{
    std::vector<AppSetting> settings;
    for (const NamedValue& value :
        store.listValues(kAppSettingsRoot, appSettingsKeyPath(application, section))) {
        if (value.value.isText())
            settings.push_back({ value.name, value.value.asText() });
    }
    return settings;
}

void saveSetting(KeyValueStore& store, const std::string& application, const std::string& section,
    const std::string& name, const std::string& value)
{
    store.write(
        kAppSettingsRoot, appSettingsKeyPath(application, section), name, StoredValue::text(value));
}

void deleteSection(KeyValueStore& store, const std::string& application, const std::string& section)
{
    store.deleteKey(kAppSettingsRoot, appSettingsKeyPath(application, section));
}

} // namespace quorrix::engine
