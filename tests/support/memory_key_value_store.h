#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/platform/key_value_store.h"

namespace quorrix::test {

// Registry in memory: keys and value names compare without regard to case, values keep
// the order in which they were first written. Faults can be injected per value name.
class MemoryKeyValueStore : public engine::KeyValueStore {
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
    void deleteKey(engine::StoreRoot root, const std::string& keyPath) override;

    // Reads or writes of this value name throw PlatformError(5, "Access is denied.").
    void failOn(const std::string& valueName) { m_failing.insert(fold(valueName)); }
    int writeCount() const { return m_writes; }

private:
    struct Key {
        std::string path; // as first written
        std::vector<engine::NamedValue> values;
    };
    static std::string fold(const std::string& text);
    static std::string id(engine::StoreRoot root, const std::string& keyPath);
    Key* find(engine::StoreRoot root, const std::string& keyPath);
    void check(const std::string& valueName) const;

    std::map<std::string, Key> m_keys; // by folded root + path
    std::set<std::string> m_failing;
    int m_writes = 0;
};

} // namespace quorrix::test
