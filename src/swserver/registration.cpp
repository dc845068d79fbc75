#include "swserver/registration.h"

#include <algorithm>

#include <objbase.h>

#include "platform/win32/win32_text.h"

namespace quorrix::swserver {

namespace {

constexpr const wchar_t* kClasses = L"Software\\Classes";
constexpr const wchar_t* kClassIds = L"Software\\Classes\\CLSID";
constexpr const wchar_t* kDescription = L"QUORRIX SolidWorks stand-in";

// Class ids of the server: the last byte tells them apart, the one before it says which kind.
// {9E3D6B2A-4C71-4F0E-8A5B-3C2D1E0F7A00}
constexpr CLSID kBaseClassId
    = { 0x9e3d6b2a, 0x4c71, 0x4f0e, { 0x8a, 0x5b, 0x3c, 0x2d, 0x1e, 0x0f, 0x7a, 0x00 } };
constexpr unsigned char kSolidWorksKind = 0x7a;
constexpr unsigned char kDocumentManagerKind = 0x7b;

CLSID classIdOf(unsigned char kind, unsigned char index)
{
    CLSID id = kBaseClassId;
    id.Data4[6] = kind;
    id.Data4[7] = index;
    return id;
}

bool isOurs(const CLSID& id)
{
    return id.Data1 == kBaseClassId.Data1 && id.Data2 == kBaseClassId.Data2
        && id.Data3 == kBaseClassId.Data3 && std::equal(id.Data4, id.Data4 + 6, kBaseClassId.Data4);
}

std::wstring classIdText(const CLSID& id)
{
    wchar_t text[40] = {};
    StringFromGUID2(id, text, 40);
    return text;
}

long setDefault(HKEY root, const std::wstring& key, const std::wstring& value)
{
    HKEY handle = nullptr;
    long result = RegCreateKeyExW(
        root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr);
    if (result != ERROR_SUCCESS)
        return result;
    result
        = RegSetValueExW(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
            static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(handle);
    return result;
}

std::wstring defaultValue(HKEY root, const std::wstring& key)
{
    wchar_t text[256] = {};
    DWORD size = sizeof text - sizeof(wchar_t);
    if (RegGetValueW(root, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, text, &size)
        != ERROR_SUCCESS)
        return {};
    return text;
}

std::vector<std::wstring> subKeys(HKEY root, const std::wstring& key)
{
    std::vector<std::wstring> names;
    HKEY handle = nullptr;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_ENUMERATE_SUB_KEYS, &handle) != ERROR_SUCCESS)
        return names;
    wchar_t name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = 256;
        if (RegEnumKeyExW(handle, i, name, &length, nullptr, nullptr, nullptr, nullptr)
            != ERROR_SUCCESS)
            break;
        names.emplace_back(name, length);
    }
    RegCloseKey(handle);
    return names;
}

long deleteTree(HKEY root, const std::wstring& key)
{
    const long result = RegDeleteTreeW(root, key.c_str());
    if (result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND)
        RegDeleteKeyW(root, key.c_str());
    return result == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : result;
}

} // namespace

std::vector<ServedClass> servedClasses(const std::vector<std::string>& versionSuffixes)
{
    std::vector<ServedClass> classes;
    unsigned char index = 0;
    for (const std::string& suffix : versionSuffixes) {
        if (index == 0xff)
            break;
        classes.push_back(
            { "SldWorks.Application" + suffix, classIdOf(kSolidWorksKind, index++), false });
    }
    classes.push_back(
        { "SwDocumentMgr.SwDMClassFactory", classIdOf(kDocumentManagerKind, 0), true });
    return classes;
}

long registerServer(HKEY root, const std::vector<ServedClass>& classes,
    const std::wstring& programPath, const std::wstring& configPath)
{
    std::wstring command = L"\"" + programPath + L"\"";
    if (!configPath.empty())
        command += L" --config \"" + configPath + L"\"";
    for (const ServedClass& served : classes) {
        const std::wstring progId = platform::utf16FromUtf8(served.progId);
        const std::wstring id = classIdText(served.classId);
        const std::wstring classKey = std::wstring(kClassIds) + L"\\" + id;
        const std::wstring progIdKey = std::wstring(kClasses) + L"\\" + progId;
        for (const auto& [key, value] : { std::pair { progIdKey, std::wstring(kDescription) },
                 std::pair { progIdKey + L"\\CLSID", id }, std::pair { classKey, progId },
                 std::pair { classKey + L"\\ProgID", progId },
                 std::pair { classKey + L"\\LocalServer32", command } }) {
            if (const long result = setDefault(root, key, value); result != ERROR_SUCCESS)
                return result;
        }
    }
    return ERROR_SUCCESS;
}

long unregisterServer(HKEY root)
{
    long worst = ERROR_SUCCESS;
    for (const std::wstring& name : subKeys(root, kClasses)) {
        const std::wstring key = std::wstring(kClasses) + L"\\" + name;
        CLSID id {};
        const std::wstring text = defaultValue(root, key + L"\\CLSID");
        if (text.empty() || FAILED(CLSIDFromString(text.c_str(), &id)) || !isOurs(id))
            continue;
        if (const long result = deleteTree(root, key); result != ERROR_SUCCESS)
            worst = result;
    }
    for (const std::wstring& name : subKeys(root, kClassIds)) {
        CLSID id {};
        if (FAILED(CLSIDFromString(name.c_str(), &id)) || !isOurs(id))
            continue;
        if (const long result = deleteTree(root, std::wstring(kClassIds) + L"\\" + name);
            result != ERROR_SUCCESS)
            worst = result;
    }
    return worst;
}

} // namespace quorrix::swserver
