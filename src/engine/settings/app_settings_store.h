#pragma once

#include <string>
#include <vector>

#include "engine/platform/key_value_store.h"

namespace quorrix::engine {

// Per-user application settings addressed by application name and section. They live in
// the current user's part of the store, in the very key the program's earlier Windows
// versions used for such settings, so lists saved by those versions are still found.

struct AppSetting {
    std::string name;
    std::string value;
    bool operator==(const AppSetting&) const = default;
};

std::string appSettingsKeyPath(const std::string& application, const std::string& section);

// The section's text values in the order the store keeps them; empty when the section is
// missing. Values of other types are not settings of this kind and are left out.
// Store failures throw PlatformError.
std::vector<AppSetting> getAllSettings(
    KeyValueStore& store, const std::string& application, const std::string& section);

void saveSetting(KeyValueStore& store, const std::string& application, const std::string& section,
    const std::string& name, const std::string& value);

// Removes the section with all its values; a missing section is no error.
void deleteSection(
    KeyValueStore& store, const std::string& application, const std::string& section);

} // namespace quorrix::engine
