#include "platform/win32/win32_key_value_store.h"

#include <cstring>
#include <limits>
#include <utility>

#include <windows.h>

#include "platform/win32/win32_error.h"
#include "platform/win32/win32_text.h"

namespace quorrix::platform {

using engine::NamedValue;
using engine::StoredValue;
using engine::StoreRoot;

namespace {

// Value names are at most 16383 characters; the buffer never needs to grow beyond this.
constexpr DWORD kMaxNameChars = 32768;

class KeyHandle {
public:
    KeyHandle() = default;
    ~KeyHandle()
    {
        if (m_key)
            RegCloseKey(m_key);
    }
    KeyHandle(const KeyHandle&) = delete;
    KeyHandle& operator=(const KeyHandle&) = delete;

    HKEY get() const { return m_key; }
    HKEY* out() { return &m_key; }

private:
    HKEY m_key = nullptr;
};

HKEY rootKey(StoreRoot root)
{
    switch (root) {
    case StoreRoot::CurrentUser:
        return HKEY_CURRENT_USER;
    case StoreRoot::LocalMachine:
        return HKEY_LOCAL_MACHINE;
    case StoreRoot::ClassesRoot:
        return HKEY_CLASSES_ROOT;
    }
    throwPlatformError(ERROR_INVALID_PARAMETER);
}

// Callers write paths such as "\SldWorks.Application\CLSID"; RegCreateKeyEx rejects a
// leading backslash, so the separators at either end are dropped.
std::wstring subKeyName(const std::string& keyPath)
{
    std::size_t first = keyPath.find_first_not_of('\\');
    if (first == std::string::npos)
        return {};
    std::size_t last = keyPath.find_last_not_of('\\');
    return utf16FromUtf8(keyPath.substr(first, last - first + 1));
}

bool isMissing(LSTATUS status)
{
    return status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND;
}

void check(LSTATUS status)
{
    if (status != ERROR_SUCCESS)
        throwPlatformError(static_cast<unsigned long>(status));
}

// False when the key does not exist; other failures throw.
bool openKey(StoreRoot root, const std::string& keyPath, REGSAM access, KeyHandle& key)
{
    const LSTATUS status
        = RegOpenKeyExW(rootKey(root), subKeyName(keyPath).c_str(), 0, access, key.out());
    if (isMissing(status))
        return false;
    check(status);
    return true;
}

std::string textFromData(const std::vector<BYTE>& data, DWORD size)
{
    // The stored length may or may not count a terminating NUL, and the data may hold more
    // after one; the text ends at the first NUL either way.
    std::wstring text(size / sizeof(wchar_t), L'\0');
    std::memcpy(text.data(), data.data(), text.size() * sizeof(wchar_t));
    const std::size_t nul = text.find(L'\0');
    if (nul != std::wstring::npos)
        text.resize(nul);
    return utf8FromUtf16(text);
}

StoredValue decode(DWORD type, const std::vector<BYTE>& data, DWORD size)
{
    switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ:
        return StoredValue::text(textFromData(data, size));
    case REG_BINARY:
        return StoredValue::bytes(std::vector<std::uint8_t>(data.begin(), data.begin() + size));
    case REG_DWORD:
        if (size == sizeof(std::uint32_t)) {
            std::uint32_t v = 0;
            std::memcpy(&v, data.data(), sizeof v);
            return StoredValue::dword(v);
        }
        break;
    default:
        break;
    }
    return StoredValue::other();
}

DWORD checkedSize(std::size_t bytes)
{
    if (bytes > std::numeric_limits<DWORD>::max())
        throwPlatformError(ERROR_ARITHMETIC_OVERFLOW);
    return static_cast<DWORD>(bytes);
}

// A buffer too small for an entry: grow what can have been too small and try again.
void grow(std::vector<wchar_t>& name, std::vector<BYTE>* data, DWORD neededData)
{
    if (name.size() < kMaxNameChars)
        name.resize(std::min<std::size_t>(name.size() * 2, kMaxNameChars));
    if (data)
        data->resize(std::max<std::size_t>(neededData, data->size() * 2));
}

} // namespace

std::optional<StoredValue> Win32KeyValueStore::read(
    StoreRoot root, const std::string& keyPath, const std::string& valueName)
{
    KeyHandle key;
    if (!openKey(root, keyPath, KEY_QUERY_VALUE, key))
        return std::nullopt;
    const std::wstring name = utf16FromUtf8(valueName);
    std::vector<BYTE> data(256);
    for (;;) {
        DWORD type = 0;
        DWORD size = checkedSize(data.size());
        const LSTATUS status
            = RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, data.data(), &size);
        if (status == ERROR_MORE_DATA) {
            // Another program may make the value longer between two calls; ask again.
            data.resize(std::max<std::size_t>(size, data.size() * 2));
            continue;
        }
        if (isMissing(status))
            return std::nullopt;
        check(status);
        return decode(type, data, size);
    }
}

void Win32KeyValueStore::write(StoreRoot root, const std::string& keyPath,
    const std::string& valueName, const StoredValue& value)
{
    if (std::holds_alternative<StoredValue::Other>(value.data))
        return;

    DWORD type = REG_NONE;
    std::wstring text;
    const BYTE* bytes = nullptr;
    DWORD size = 0;
    std::uint32_t number = 0;
    if (value.isText()) {
        text = utf16FromUtf8(value.asText());
        type = REG_SZ;
        bytes = reinterpret_cast<const BYTE*>(text.c_str());
        size = checkedSize((text.size() + 1) * sizeof(wchar_t)); // one NUL, counted
    } else if (value.isBytes()) {
        type = REG_BINARY;
        bytes = value.asBytes().data();
        size = checkedSize(value.asBytes().size());
    } else {
        number = value.asDword();
        type = REG_DWORD;
        bytes = reinterpret_cast<const BYTE*>(&number);
        size = sizeof number;
    }
    const std::wstring name = utf16FromUtf8(valueName);

    KeyHandle key;
    check(RegCreateKeyExW(rootKey(root), subKeyName(keyPath).c_str(), 0, nullptr,
        REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, key.out(), nullptr));
    check(RegSetValueExW(key.get(), name.c_str(), 0, type, bytes, size));
}

bool Win32KeyValueStore::keyExists(StoreRoot root, const std::string& keyPath)
{
    KeyHandle key;
    return openKey(root, keyPath, KEY_QUERY_VALUE, key);
}

std::vector<NamedValue> Win32KeyValueStore::listValues(StoreRoot root, const std::string& keyPath)
{
    std::vector<NamedValue> values;
    KeyHandle key;
    if (!openKey(root, keyPath, KEY_QUERY_VALUE, key))
        return values;

    DWORD maxName = 0;
    DWORD maxData = 0;
    check(RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
        &maxName, &maxData, nullptr, nullptr));
    std::vector<wchar_t> name(std::min<std::size_t>(std::size_t { maxName } + 1, kMaxNameChars));
    std::vector<BYTE> data(std::max<DWORD>(maxData, 16));

    for (DWORD index = 0;;) {
        DWORD nameLength = checkedSize(name.size());
        DWORD size = checkedSize(data.size());
        DWORD type = 0;
        const LSTATUS status = RegEnumValueW(
            key.get(), index, name.data(), &nameLength, nullptr, &type, data.data(), &size);
        if (status == ERROR_NO_MORE_ITEMS)
            break;
        if (status == ERROR_MORE_DATA) {
            grow(name, &data, size);
            continue;
        }
        check(status);
        values.push_back({ utf8FromUtf16(name.data(), nameLength), decode(type, data, size) });
        ++index;
    }
    return values;
}

std::vector<std::string> Win32KeyValueStore::listSubKeys(StoreRoot root, const std::string& keyPath)
{
    std::vector<std::string> names;
    KeyHandle key;
    if (!openKey(root, keyPath, KEY_ENUMERATE_SUB_KEYS, key))
        return names;

    std::vector<wchar_t> name(256);
    for (DWORD index = 0;;) {
        DWORD nameLength = checkedSize(name.size());
        const LSTATUS status = RegEnumKeyExW(
            key.get(), index, name.data(), &nameLength, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS)
            break;
        if (status == ERROR_MORE_DATA) {
            grow(name, nullptr, 0);
            continue;
        }
        check(status);
        names.push_back(utf8FromUtf16(name.data(), nameLength));
        ++index;
    }
    return names;
}

void Win32KeyValueStore::deleteKey(StoreRoot root, const std::string& keyPath)
{
    const std::wstring name = subKeyName(keyPath);
    if (name.empty())
        throwPlatformError(ERROR_INVALID_PARAMETER);
    {
        KeyHandle key;
        if (!openKey(root, keyPath,
                DELETE | KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE | KEY_SET_VALUE, key))
            return;
        check(RegDeleteTreeW(key.get(), nullptr));
    }
    const LSTATUS status = RegDeleteKeyW(rootKey(root), name.c_str());
    if (!isMissing(status))
        check(status);
}

std::string Win32KeyValueStore::locationOf(StoreRoot root, const std::string& keyPath) const
{
    const char* name = root == StoreRoot::CurrentUser ? "HKEY_CURRENT_USER"
        : root == StoreRoot::LocalMachine             ? "HKEY_LOCAL_MACHINE"
                                                      : "HKEY_CLASSES_ROOT";
    return std::string(name) + "\\" + keyPath;
}

} // namespace quorrix::platform
