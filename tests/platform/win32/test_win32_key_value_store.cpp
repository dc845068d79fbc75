#include "platform/win32/win32_key_value_store.h"

#include <algorithm>
#include <vector>

#include <gtest/gtest.h>
#include <windows.h>

#include "engine/platform/platform_error.h"
#include "engine/settings/registry.h"
#include "engine/settings/settings_schema.h"
#include "platform/win32/test_registry_key.h"
#include "support/fakes.h"
#include "support/settings_samples.h"

namespace quorrix::platform {
namespace {

using engine::NamedValue;
using engine::StoredValue;
using engine::StoreRoot;

constexpr StoreRoot kUser = StoreRoot::CurrentUser;

class Win32KeyValueStoreTest : public ::testing::Test {
protected:
    // Writes a value the store itself cannot write, byte for byte.
    void writeRaw(const std::wstring& name, DWORD type, const void* data, DWORD size)
    {
        HKEY handle = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, m_key.widePath().c_str(), 0, nullptr, 0,
                      KEY_SET_VALUE, nullptr, &handle, nullptr),
            ERROR_SUCCESS);
        EXPECT_EQ(
            RegSetValueExW(handle, name.c_str(), 0, type, static_cast<const BYTE*>(data), size),
            ERROR_SUCCESS);
        RegCloseKey(handle);
    }

    std::vector<BYTE> queryRaw(const std::wstring& subKey, const std::wstring& name, DWORD& type)
    {
        const std::wstring path = m_key.widePath() + subKey;
        std::vector<BYTE> data(4096);
        DWORD size = static_cast<DWORD>(data.size());
        EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name.c_str(),
                      RRF_RT_ANY | RRF_NOEXPAND, &type, data.data(), &size),
            ERROR_SUCCESS);
        data.resize(size);
        return data;
    }

    test::TestRegistryKey m_key;
    const std::string& key = m_key.path();
    Win32KeyValueStore store;
};

TEST_F(Win32KeyValueStoreTest, RoundTripsEveryTypeAndReportsOthers)
{
    const std::vector<NamedValue> written = {
        { "Text", StoredValue::text("Blatt 1") },
        { "EmptyText", StoredValue::text("") },
        { "Bytes", StoredValue::bytes({ 0, 1, 0xff, 0 }) },
        { "EmptyBytes", StoredValue::bytes({}) },
        { "Dword", StoredValue::dword(0xfffffffeu) },
        { "Zero", StoredValue::dword(0) },
    };
    for (const NamedValue& v : written)
        store.write(kUser, key, v.name, v.value);
    for (const NamedValue& v : written)
        EXPECT_EQ(store.read(kUser, key, v.name), v.value) << v.name;

    // Text is a REG_SZ holding exactly one NUL, counted in its length.
    DWORD type = 0;
    const std::vector<BYTE> raw = queryRaw(L"", L"Text", type);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(raw.size(), (7u + 1u) * sizeof(wchar_t));

    // Writing "other" writes nothing, not even the key.
    store.write(kUser, key + "\\Untouched", "X", StoredValue::other());
    EXPECT_FALSE(store.keyExists(kUser, key + "\\Untouched"));

    const wchar_t multi[] = L"a\0b\0";
    const unsigned long long qword = 7;
    const wchar_t expand[] = L"%TEMP%\\x";
    const std::uint16_t shortDword = 1;
    writeRaw(L"Multi", REG_MULTI_SZ, multi, sizeof multi);
    writeRaw(L"Qword", REG_QWORD, &qword, sizeof qword);
    writeRaw(L"ShortDword", REG_DWORD, &shortDword, sizeof shortDword);
    writeRaw(L"Expand", REG_EXPAND_SZ, expand, sizeof expand);
    EXPECT_EQ(store.read(kUser, key, "Multi"), StoredValue::other());
    EXPECT_EQ(store.read(kUser, key, "Qword"), StoredValue::other());
    EXPECT_EQ(store.read(kUser, key, "ShortDword"), StoredValue::other());
    EXPECT_EQ(store.read(kUser, key, "Expand"), StoredValue::text("%TEMP%\\x"));
}

TEST_F(Win32KeyValueStoreTest, TextEndsAtItsFirstNul)
{
    struct Row {
        const wchar_t* name;
        std::wstring stored;
        DWORD extraBytes; // an odd trailing byte some writers leave
        const char* expected;
    };
    const std::vector<Row> rows = {
        { L"Embedded", std::wstring(L"ab\0cd\0", 6), 0, "ab" },
        { L"Unterminated", L"xyz", 0, "xyz" },
        { L"OddLength", L"xy", 1, "xy" },
        { L"OnlyNul", std::wstring(1, L'\0'), 0, "" },
    };
    for (const Row& row : rows) {
        std::wstring padded = row.stored + L'?';
        writeRaw(row.name, REG_SZ, padded.data(),
            static_cast<DWORD>(row.stored.size() * sizeof(wchar_t) + row.extraBytes));
    }
    for (const Row& row : rows) {
        const std::string name(row.name, row.name + wcslen(row.name));
        EXPECT_EQ(store.read(kUser, key, name), StoredValue::text(row.expected)) << name;
    }
}

TEST_F(Win32KeyValueStoreTest, ListsValuesInTheRegistrysOrderWithAnyLength)
{
    const std::string longName(400, 'n');
    const std::string longText(70000, 't');
    store.write(kUser, key, "b", StoredValue::text("2"));
    store.write(kUser, key, "A", StoredValue::dword(1));
    store.write(kUser, key, longName, StoredValue::text(longText));
    store.write(kUser, key, "c", StoredValue::bytes({ 3 }));
    const unsigned long long qword = 1;
    writeRaw(L"d", REG_QWORD, &qword, sizeof qword);

    // The order is whatever RegEnumValueW reports (creation order on Windows, sorted by
    // name under Wine).
    std::vector<std::string> enumerated;
    HKEY raw = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, m_key.widePath().c_str(), 0, KEY_QUERY_VALUE, &raw),
        ERROR_SUCCESS);
    std::vector<wchar_t> name(1024);
    for (DWORD i = 0;; ++i) {
        DWORD length = static_cast<DWORD>(name.size());
        if (RegEnumValueW(raw, i, name.data(), &length, nullptr, nullptr, nullptr, nullptr)
            != ERROR_SUCCESS)
            break;
        enumerated.emplace_back(name.data(), name.data() + length);
    }
    RegCloseKey(raw);

    const std::vector<NamedValue> listed = store.listValues(kUser, key);
    std::vector<std::string> names;
    for (const NamedValue& v : listed)
        names.push_back(v.name);
    EXPECT_EQ(names, enumerated);

    const std::vector<NamedValue> expected = {
        { "b", StoredValue::text("2") },
        { "A", StoredValue::dword(1) },
        { longName, StoredValue::text(longText) },
        { "c", StoredValue::bytes({ 3 }) },
        { "d", StoredValue::other() },
    };
    ASSERT_EQ(listed.size(), expected.size());
    for (const NamedValue& e : expected)
        EXPECT_NE(std::find(listed.begin(), listed.end(), e), listed.end()) << e.name.substr(0, 8);
}

TEST_F(Win32KeyValueStoreTest, DeletesAKeyWithEverythingBelowIt)
{
    store.write(kUser, key + "\\Form Positions\\frmMain", "Left", StoredValue::text("10"));
    store.write(kUser, key + "\\Form Positions", "Top", StoredValue::text("20"));
    store.write(kUser, key + "\\Other", "Keep", StoredValue::text("1"));

    std::vector<std::string> subKeys = store.listSubKeys(kUser, key);
    std::sort(subKeys.begin(), subKeys.end());
    EXPECT_EQ(subKeys, (std::vector<std::string> { "Form Positions", "Other" }));

    store.deleteKey(kUser, key + "\\FORM POSITIONS");
    EXPECT_FALSE(store.keyExists(kUser, key + "\\Form Positions"));
    EXPECT_FALSE(store.keyExists(kUser, key + "\\Form Positions\\frmMain"));
    EXPECT_EQ(store.read(kUser, key + "\\Other", "Keep"), StoredValue::text("1"));
    EXPECT_EQ(store.listSubKeys(kUser, key), (std::vector<std::string> { "Other" }));

    EXPECT_NO_THROW(store.deleteKey(kUser, key + "\\Form Positions"));
    EXPECT_NO_THROW(store.deleteKey(kUser, key + "\\Missing\\Deeper"));
}

TEST_F(Win32KeyValueStoreTest, RefusesToDeleteAWholeRoot)
{
    for (const std::string path : { "", "\\", "\\\\" }) {
        try {
            store.deleteKey(kUser, path);
            ADD_FAILURE() << "deleted '" << path << "'";
        } catch (const engine::PlatformError& e) {
            EXPECT_EQ(e.number(), ERROR_INVALID_PARAMETER);
        }
    }
    EXPECT_TRUE(store.keyExists(kUser, "SOFTWARE"));
}

TEST_F(Win32KeyValueStoreTest, MissingKeysAndValuesAreNoError)
{
    store.write(kUser, key, "Present", StoredValue::text("x"));
    EXPECT_EQ(store.read(kUser, key, "Absent"), std::nullopt);
    EXPECT_EQ(store.read(kUser, key + "\\Absent", "Present"), std::nullopt);
    EXPECT_EQ(store.read(StoreRoot::ClassesRoot, "\\QUORRIX.NoSuchApp.1\\CLSID", ""), std::nullopt);
    EXPECT_FALSE(store.keyExists(kUser, key + "\\Absent"));
    EXPECT_TRUE(store.listValues(kUser, key + "\\Absent").empty());
    EXPECT_TRUE(store.listSubKeys(kUser, key + "\\Absent").empty());
}

TEST_F(Win32KeyValueStoreTest, NamesIgnoreCaseAndOuterBackslashes)
{
    store.write(kUser, key + "\\Mixed\\Case", "ValueName", StoredValue::text("first"));
    store.write(kUser, "\\" + key + "\\MIXED\\case\\", "VALUENAME", StoredValue::text("second"));

    EXPECT_EQ(store.read(kUser, key + "\\mixed\\CASE", "valuename"), StoredValue::text("second"));
    const std::vector<NamedValue> values = store.listValues(kUser, key + "\\Mixed\\Case");
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values[0].name, "ValueName"); // the spelling it was created with
    EXPECT_TRUE(store.keyExists(kUser, "\\" + key + "\\mixed"));
}

TEST_F(Win32KeyValueStoreTest, KeepsTextOutsideAscii)
{
    const std::string name = "Größe €";
    const std::string text = "Maß 12,5 € 𝄞";
    store.write(kUser, key + "\\" + name, name, StoredValue::text(text));

    EXPECT_EQ(store.read(kUser, key + "\\" + name, name), StoredValue::text(text));
    EXPECT_EQ(store.listSubKeys(kUser, key), std::vector<std::string> { name });
    EXPECT_EQ(store.listValues(kUser, key + "\\" + name),
        (std::vector<NamedValue> { { name, StoredValue::text(text) } }));

    // Stored as UTF-16, so other programs read the same characters.
    DWORD type = 0;
    const std::vector<BYTE> raw = queryRaw(L"\\Größe €", L"Größe €", type);
    const std::wstring expected = L"Maß 12,5 € \U0001D11E";
    ASSERT_EQ(raw.size(), (expected.size() + 1) * sizeof(wchar_t));
    EXPECT_EQ(
        std::wstring(reinterpret_cast<const wchar_t*>(raw.data()), expected.size()), expected);
}

TEST_F(Win32KeyValueStoreTest, RejectsNamesThatAreNotUtf8)
{
    try {
        store.write(kUser, key + "\\\xff\xfe", "x", StoredValue::text("x"));
        ADD_FAILURE() << "wrote a key with a malformed name";
    } catch (const engine::PlatformError& e) {
        EXPECT_EQ(e.number(), ERROR_NO_UNICODE_TRANSLATION);
    }
    EXPECT_TRUE(store.listSubKeys(kUser, key).empty());
}

} // namespace
} // namespace quorrix::platform

namespace quorrix::platform {
namespace {

TEST(Win32Registry, HoldsTheWholeSettingsRecord)
{
    test::TestRegistryKey key;
    Win32KeyValueStore store;
    test::RecordingMessageBox messages;
    for (char separator : { '.', ',' }) {
        test::FixedRegionalFormat regional(separator);
        engine::Registry registry(store, messages, regional, key.path());
        const engine::Settings original = test::unusualSettings(separator);
        ASSERT_TRUE(registry.SaveRegistrySettings(original));
        engine::Settings back = engine::defaultSettings();
        registry.LoadRegistrySettings(back);
        EXPECT_EQ(test::differingSettings(original, back), std::vector<std::string> {});
    }
    EXPECT_TRUE(messages.shown.empty());
}

} // namespace
} // namespace quorrix::platform
