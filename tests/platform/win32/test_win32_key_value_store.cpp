#include "platform/win32/win32_key_value_store.h"

#include <algorithm>
#include <vector>

#include <gtest/gtest.h>
#include <windows.h>

#include "engine/platform/platform_error.h"
#include "platform/win32/test_registry_key.h"

namespace quorrix::platform {
namespace {

using engine::NamedValue;
using engine::StoredValue;
constexpr engine::StoreRoot kUser = engine::StoreRoot::CurrentUser;

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

TEST_F(Win32KeyValueStoreTest, TextIsUtf16WithOneNulAndOtherTypesReadAsOther)
{
    store.write(kUser, key + "\\Größe €", "Größe €", StoredValue::text("Maß 12,5 € 𝄞"));
    DWORD type = 0;
    const std::vector<BYTE> raw = queryRaw(L"\\Größe €", L"Größe €", type);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    const std::wstring expected = L"Maß 12,5 € \U0001D11E";
    ASSERT_EQ(raw.size(), (expected.size() + 1) * sizeof(wchar_t));
    EXPECT_EQ(
        std::wstring(reinterpret_cast<const wchar_t*>(raw.data()), expected.size()), expected);

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
    const std::vector<NamedValue> listed = store.listValues(kUser, key);
    EXPECT_NE(std::find(listed.begin(), listed.end(), NamedValue { "Qword", StoredValue::other() }),
        listed.end());
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
        const std::string name(row.name, row.name + wcslen(row.name));
        EXPECT_EQ(store.read(kUser, key, name), StoredValue::text(row.expected)) << name;
    }
}

// Refusing to delete a whole root is in the ports' contract.
TEST_F(Win32KeyValueStoreTest, RefusesNamesThatAreNotUtf8)
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
