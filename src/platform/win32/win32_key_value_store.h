#pragma once

#include "engine/platform/key_value_store.h"

namespace quorrix::platform {

// The Windows registry. Every call opens the key it needs and closes it again, so nothing
// is held open between calls and other programs see each write at once.
class Win32KeyValueStore : public engine::KeyValueStore {
public:
    std::optional<engine::StoredValue> read(
        engine::StoreRoot root, const std::string& keyPath, const std::string& valueName) override;
    void write(engine::StoreRoot root, const std::string& keyPath, const std::string& valueName,
        const engine::StoredValue& value) override;
    bool keyExists(engine::StoreRoot root, const std::string& keyPath) override;
    std::vector<engine::NamedValue> listValues(
        engine::StoreRoot root, const std::string& keyPath) override;
    std::vector<std::string> listSubKeys(
        engine::StoreRoot root, const std::string& keyPath) override;
    // Refuses an empty key path: that would empty the whole root.
    void deleteKey(engine::StoreRoot root, const std::string& keyPath) override;
    std::string locationOf(engine::StoreRoot root, const std::string& keyPath) const override;
};

} // namespace quorrix::platform
