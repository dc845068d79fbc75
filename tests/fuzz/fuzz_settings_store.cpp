// The settings store: its file reads back as written whatever a hand edit left in it, any
// key, name and value survive a write, and the settings record saved from what was read
// reads back the same.

#include <fuzzer/FuzzedDataProvider.h>

#include "engine/platform/ini_document.h"
#include "engine/settings/registry.h"
#include "fuzz/fuzz_check.h"
#include "platform/posix/store_file.h"
#include "support/fakes.h"

using namespace quorrix;
using engine::StoredValue;
using engine::StoreRoot;
using platform::StoreContent;

namespace {

// One key of the store, kept by folded value name: the settings record reads and writes
// hundreds of values, and a store that searches them one by one would leave libFuzzer a
// handful of inputs a second.
class ProgramKeyStore : public engine::KeyValueStore {
public:
    std::optional<StoredValue> read(StoreRoot, const std::string&, const std::string& name) override
    {
        const auto it = m_values.find(engine::foldCase(name));
        return it == m_values.end() ? std::nullopt : std::optional<StoredValue>(it->second);
    }
    void write(
        StoreRoot, const std::string&, const std::string& name, const StoredValue& value) override
    {
        m_values[engine::foldCase(name)] = value;
    }
    bool keyExists(StoreRoot, const std::string&) override { return !m_values.empty(); }
    std::vector<engine::NamedValue> listValues(StoreRoot, const std::string&) override
    {
        std::vector<engine::NamedValue> values;
        for (const auto& [name, value] : m_values)
            values.push_back({ name, value });
        return values;
    }
    std::vector<std::string> listSubKeys(StoreRoot, const std::string&) override { return {}; }
    void deleteKey(StoreRoot, const std::string&) override { m_values.clear(); }

private:
    std::map<std::string, StoredValue> m_values;
};

bool sameContent(const StoreContent& a, const StoreContent& b)
{
    if (a.keys.size() != b.keys.size())
        return false;
    for (std::size_t i = 0; i < a.keys.size(); ++i) {
        if (a.keys[i].path != b.keys[i].path || a.keys[i].values != b.keys[i].values
            || a.keys[i].foreignLines != b.keys[i].foreignLines)
            return false;
    }
    return true;
}

StoredValue anyValue(FuzzedDataProvider& input)
{
    switch (input.ConsumeIntegralInRange(0, 3)) {
    case 0:
        return StoredValue::text(input.ConsumeRandomLengthString(64));
    case 1: {
        const std::string raw = input.ConsumeRandomLengthString(16);
        return StoredValue::bytes({ raw.begin(), raw.end() });
    }
    case 2:
        return StoredValue::dword(input.ConsumeIntegral<std::uint32_t>());
    default:
        return StoredValue::other();
    }
}

// Keys, names and values the program could write: anything at all.
StoreContent anyContent(FuzzedDataProvider& input)
{
    StoreContent content;
    const int keys = input.ConsumeIntegralInRange(0, 3);
    for (int k = 0; k < keys; ++k) {
        platform::StoreKey key { input.ConsumeRandomLengthString(32), {}, {} };
        const int values = input.ConsumeIntegralInRange(0, 4);
        for (int v = 0; v < values; ++v)
            key.values.push_back({ input.ConsumeRandomLengthString(32), anyValue(input) });
        content.keys.push_back(std::move(key));
    }
    return content;
}

} // namespace

FUZZ_TARGET(bytes)
{

    // The file as it is found: written and read again, nothing changes.
    const StoreContent found = platform::parseStoreFile(bytes);
    const std::string written = platform::serializeStoreFile(found, "QUORRIX");
    const StoreContent reread = platform::parseStoreFile(written);
    FUZZ_CHECK(sameContent(reread, found));
    FUZZ_CHECK(platform::serializeStoreFile(reread, "QUORRIX") == written);

    // Whatever the program writes, it reads back.
    FuzzedDataProvider input(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    const StoreContent made = anyContent(input);
    FUZZ_CHECK(
        sameContent(platform::parseStoreFile(platform::serializeStoreFile(made, "T")), made));

    // The settings read from the file's values, saved and read again, are the same.
    ProgramKeyStore store;
    for (const platform::StoreKey& key : found.keys) {
        for (const engine::NamedValue& value : key.values)
            store.write(StoreRoot::CurrentUser, engine::kProgramKey, value.name, value.value);
    }
    test::RecordingMessageBox messages;
    const test::FixedRegionalFormat regional(bytes.size() % 2 == 0 ? '.' : ',');
    engine::Settings first = engine::defaultSettings();
    engine::Registry(store, messages, regional).LoadRegistrySettings(first);

    ProgramKeyStore saved;
    test::RecordingMessageBox savedMessages;
    engine::Registry savedRegistry(saved, savedMessages, regional);
    FUZZ_CHECK(savedRegistry.SaveRegistrySettings(first));
    engine::Settings second = engine::defaultSettings();
    savedRegistry.LoadRegistrySettings(second);
    FUZZ_CHECK(fuzz::settingTexts(second, false) == fuzz::settingTexts(first, false));
    FUZZ_CHECK(savedMessages.shown.empty());
}
