#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace quorrix::engine {

enum class StoreRoot { CurrentUser, LocalMachine, ClassesRoot };

// A value as the store keeps it. Text is UTF-8; a value of a type the program does not
// handle (multi-string, 64-bit, ...) is Other and carries nothing.
struct StoredValue {
    struct Other {
        bool operator==(const Other&) const = default;
    };
    std::variant<std::string, std::vector<std::uint8_t>, std::uint32_t, Other> data;

    static StoredValue text(std::string t) { return { std::move(t) }; }
    static StoredValue bytes(std::vector<std::uint8_t> b) { return { std::move(b) }; }
    static StoredValue dword(std::uint32_t v) { return { v }; }
    static StoredValue other() { return { Other {} }; }

    bool isText() const { return std::holds_alternative<std::string>(data); }
    bool isBytes() const { return std::holds_alternative<std::vector<std::uint8_t>>(data); }
    bool isDword() const { return std::holds_alternative<std::uint32_t>(data); }
    const std::string& asText() const { return std::get<std::string>(data); }
    const std::vector<std::uint8_t>& asBytes() const
    {
        return std::get<std::vector<std::uint8_t>>(data);
    }
    std::uint32_t asDword() const { return std::get<std::uint32_t>(data); }

    bool operator==(const StoredValue&) const = default;
};

struct NamedValue {
    std::string name;
    StoredValue value;
    bool operator==(const NamedValue&) const = default;
};

// Registry-like hierarchical store: keys addressed by a root and a backslash-separated
// path, each key holding named, typed values. Key paths and value names compare without
// regard to letter case. A missing key or value is not an error; a failure of the store
// itself (access denied, disk full) throws PlatformError.
class KeyValueStore {
public:
    virtual ~KeyValueStore() = default;

    virtual std::optional<StoredValue> read(
        StoreRoot root, const std::string& keyPath, const std::string& valueName)
        = 0;
    // Creates the key (and its parents) when missing.
    virtual void write(StoreRoot root, const std::string& keyPath, const std::string& valueName,
        const StoredValue& value)
        = 0;
    virtual bool keyExists(StoreRoot root, const std::string& keyPath) = 0;
    // The values of a key in the order the store keeps them; empty when the key is missing.
    virtual std::vector<NamedValue> listValues(StoreRoot root, const std::string& keyPath) = 0;
    virtual std::vector<std::string> listSubKeys(StoreRoot root, const std::string& keyPath) = 0;
    // Deletes the key with all its subkeys and values; a missing key is no error. A root
    // (an empty path) is refused with PlatformError.
    virtual void deleteKey(StoreRoot root, const std::string& keyPath) = 0;

    // Many writes in a row (saving every setting) may be collected and made durable at
    // once. Stores that write through ignore these. Use StoreBatch rather than calling them.
    virtual void beginBatch() { }
    virtual void endBatch() { }

    // Where a key is kept, as the user finds it: a registry path, or a file and the key.
    virtual std::string locationOf(StoreRoot root, const std::string& keyPath) const
    {
        (void)root;
        return keyPath;
    }
};

// Groups the writes made during its lifetime into one update of the store. Call finish()
// to make them durable and hear about a failure; a batch left by an exception is still
// flushed, but a failure then cannot be reported on top of the one in flight.
class StoreBatch {
public:
    explicit StoreBatch(KeyValueStore& store)
        : m_store(store)
    {
        m_store.beginBatch();
    }
    ~StoreBatch()
    {
        if (!m_finished) {
            try {
                m_store.endBatch();
            } catch (...) { // NOLINT(bugprone-empty-catch): already unwinding
            }
        }
    }
    void finish()
    {
        m_finished = true;
        m_store.endBatch();
    }
    StoreBatch(const StoreBatch&) = delete;
    StoreBatch& operator=(const StoreBatch&) = delete;

private:
    KeyValueStore& m_store;
    bool m_finished = false;
};

} // namespace quorrix::engine
