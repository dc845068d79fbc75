#include "support/memory_key_value_store.h"

#include <algorithm>

#include "engine/platform/platform_error.h"

namespace quorrix::test {

using engine::NamedValue;
using engine::StoredValue;
using engine::StoreRoot;

std::string MemoryKeyValueStore::fold(const std::string& text)
{
    std::string out = text;
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    });
    return out;
}

std::string MemoryKeyValueStore::id(StoreRoot root, const std::string& keyPath)
{
    std::string path = fold(keyPath);
    while (!path.empty() && path.back() == '\\')
        path.pop_back();
    return std::to_string(static_cast<int>(root)) + ":" + path;
}

MemoryKeyValueStore::Key* MemoryKeyValueStore::find(StoreRoot root, const std::string& keyPath)
{
    auto it = m_keys.find(id(root, keyPath));
    return it == m_keys.end() ? nullptr : &it->second;
}

void MemoryKeyValueStore::check(const std::string& valueName) const
{
    if (m_failing.count(fold(valueName)))
        throw engine::PlatformError(5, "Access is denied.");
}

std::optional<StoredValue> MemoryKeyValueStore::read(
    StoreRoot root, const std::string& keyPath, const std::string& valueName)
{
    check(valueName);
    for (const NamedValue& v : listValues(root, keyPath)) {
        if (fold(v.name) == fold(valueName))
            return v.value;
    }
    return std::nullopt;
}

void MemoryKeyValueStore::write(StoreRoot root, const std::string& keyPath,
    const std::string& valueName, const StoredValue& value)
{
    check(valueName);
    ++m_writes;
    // Create the parents too, as the registry does.
    for (std::size_t end = keyPath.find('\\'); end != std::string::npos;
         end = keyPath.find('\\', end + 1)) {
        Key& parent = m_keys[id(root, keyPath.substr(0, end))];
        if (parent.path.empty())
            parent.path = keyPath.substr(0, end);
    }
    Key& key = m_keys[id(root, keyPath)];
    if (key.path.empty())
        key.path = keyPath;
    for (NamedValue& v : key.values) {
        if (fold(v.name) == fold(valueName)) {
            v.value = value;
            return;
        }
    }
    key.values.push_back({ valueName, value });
}

bool MemoryKeyValueStore::keyExists(StoreRoot root, const std::string& keyPath)
{
    return find(root, keyPath) != nullptr;
}

std::vector<NamedValue> MemoryKeyValueStore::listValues(StoreRoot root, const std::string& keyPath)
{
    Key* key = find(root, keyPath);
    return key ? key->values : std::vector<NamedValue> {};
}

std::vector<std::string> MemoryKeyValueStore::listSubKeys(
    StoreRoot root, const std::string& keyPath)
{
    const std::string prefix = id(root, keyPath) + "\\";
    std::vector<std::string> names;
    for (const auto& [k, key] : m_keys) {
        if (k.rfind(prefix, 0) == 0 && k.find('\\', prefix.size()) == std::string::npos)
            names.push_back(key.path.substr(key.path.rfind('\\') + 1));
    }
    return names;
}

void MemoryKeyValueStore::deleteKey(StoreRoot root, const std::string& keyPath)
{
    const std::string self = id(root, keyPath);
    std::erase_if(m_keys, [&](const auto& entry) {
        return entry.first == self || entry.first.rfind(self + "\\", 0) == 0;
    });
}

} // namespace quorrix::test
